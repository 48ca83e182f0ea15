#pragma once

#include "journal/journalstore.h"

#include <QAbstractListModel>

namespace Orvella {

/**
 * The readings a journal list shows, one row each. Its display text is what
 * a screen reader says of a row: date, time, name, spread and cards.
 */
class JournalListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    /** The row's JournalSummary, for painting it. */
    static constexpr int SummaryRole = Qt::UserRole + 1;

    using QAbstractListModel::QAbstractListModel;

    void setReadings(QList<JournalSummary> readings);
    const QList<JournalSummary> &readings() const { return m_readings; }
    /** The row showing reading @p id, or -1. */
    int rowOf(qint64 id) const;
    /** Marks whether reading @p id has a question or notes. */
    void setHasWords(qint64 id, bool hasWords);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    /** "8 December 2026, 09:15": how a reading's time is shown and heard. */
    static QString timeText(const QDateTime &time);
    /** What is heard of a reading: its time, name, spread and cards. */
    static QString spokenText(const JournalSummary &reading);

private:
    QList<JournalSummary> m_readings;
};

} // namespace Orvella

Q_DECLARE_METATYPE(const Orvella::JournalSummary *)
