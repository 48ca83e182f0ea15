#pragma once

#include <QString>

namespace Orvella {

/** What the journal's search looks for, given what was typed into it. */
struct JournalSearch
{
    /**
     * The full-text query: every word must match, each also as the start of
     * a longer word ("bea" finds "Bear"); quotes and operators typed are
     * taken as plain text.
     */
    QString words;
    /**
     * Where no word was typed, symbols were (an emoji, say), which the word
     * index leaves out: the text typed, found as it is written in a name,
     * question, notes or outcome.
     */
    QString symbols;

    /** Whether it keeps only the readings it finds: blanks and punctuation alone keep all. */
    bool searches() const { return !words.isEmpty() || !symbols.isEmpty(); }
    bool operator==(const JournalSearch &) const = default;
};

JournalSearch journalSearch(const QString &typed);

/**
 * Whether the search @p typed keeps readings by the cards they hold: one of
 * its words starts a word of some cards' names or keywords, but not of all
 * ("owl" does; "the", which every card's name holds, does not).
 */
bool journalSearchChoosesCards(const QString &typed);

} // namespace Orvella
