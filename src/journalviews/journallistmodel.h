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

    /** Shows @p readings; those waiting for their outcome by @p today are marked. */
    void setReadings(QList<JournalSummary> readings, QDate today = {});
    const QList<JournalSummary> &readings() const { return m_readings; }
    /** The row showing reading @p id, or -1. */
    int rowOf(qint64 id) const;
    /** Marks what was written about reading @p id, and whether it has an outcome. */
    void setWords(qint64 id, JournalSummary::Written written, bool hasOutcome);
    /** Whether @p reading is past a week and still waits to hear how it turned out. */
    bool isOverdue(const JournalSummary &reading) const { return reading.awaitsOutcome(m_today); }
    /** The day the readings were listed on. */
    QDate today() const { return m_today; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    /** Who a reading is for, as listed: the name typed, or else the file it came from. */
    static QString shownName(const JournalSummary &reading);
    /** What is heard of a reading: its time, name, spread and cards. */
    /** @p reading in words; for a tip, a name of pages cut short. */
    QString spokenText(const JournalSummary &reading, bool forTip = false) const;

private:
    QList<JournalSummary> m_readings;
    QDate m_today;
};

} // namespace Orvella

Q_DECLARE_METATYPE(const Orvella::JournalSummary *)
