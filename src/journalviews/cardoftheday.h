#pragma once

#include "journal/journalentry.h"

#include <QDate>

#include <optional>

namespace Orvella {

class Journal;
class JournalStore;

/**
 * The card of the day: drawn the first time it is asked for on a day, and
 * the same card when asked again that day, also in a later run. Kept in the
 * journal as a one-card reading while new readings are kept, and noted in a
 * file beside it, so that the day's card holds even when it is not kept.
 */
class CardOfTheDay
{
public:
    explicit CardOfTheDay(Journal &journal) : m_journal(journal) {}

    /**
     * Today's card. The day is the day it is asked on, as the journal opens:
     * a message read past midnight asks for the new day's.
     */
    JournalEntry today();

private:
    /** The card drawn on @p day, as the journal or the note beside it has it. */
    std::optional<JournalEntry> drawnOn(JournalStore *store, QDate day) const;
    QString notePath() const;

    Journal &m_journal;
    std::optional<JournalEntry> m_drawn;
};

} // namespace Orvella
