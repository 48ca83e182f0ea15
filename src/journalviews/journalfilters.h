#pragma once

#include "journal/journalstore.h"

#include <QObject>

class QComboBox;
class QLineEdit;

namespace Orvella {

/**
 * The search and the filters over the journal's list: the words typed, the
 * spread, the card (or the cards chosen together in the statistics) and
 * whether every reading is shown, those waiting to hear how they turned out,
 * or those of this day in earlier years. Fills the filters' lists, and tells
 * when the user changes any of them.
 */
class JournalFilters : public QObject
{
    Q_OBJECT

public:
    JournalFilters(QLineEdit *search, QComboBox *spread, QComboBox *card, QComboBox *show,
                   QObject *parent);

    /** What they keep on @p today, on every day. */
    JournalFilter filter(QDate today) const;
    /** Whether the search keeps only the readings it finds. */
    bool searching() const;
    /** Whether a filter (spread, card, what to show) keeps only some readings. */
    bool filtering() const;
    /**
     * What keeps the readings, in words, as a printed page says it after
     * "readings": found by "otter", of the Pathway Spread and with The Owl. Empty
     * when they keep every reading.
     */
    QString text() const;

    /** Narrows the card filter to readings that also hold @p card, without telling. */
    void addCard(int card);
    /** Keeps the readings of @p spread alone, without telling. */
    void chooseSpread(int spread);
    /** Keeps every reading again. */
    void clear();

signals:
    /** The search or a filter changed: by the user, or cleared. */
    void changed();

private:
    /** The cards the card filter keeps readings of; none for every reading. */
    QList<int> cards() const;

    QLineEdit *m_search;
    QComboBox *m_spread;
    QComboBox *m_card;
    QComboBox *m_show;
};

} // namespace Orvella
