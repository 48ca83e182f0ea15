#pragma once

#include "journal/journalentry.h"
#include "journal/journalstore.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>

// How a reading's values are kept in the journal's columns, and read back.
namespace Orvella::ReadingColumns {

/** The cards as kept in a row, "41:1 3:0 ...": for lists and for telling readings apart. */
QString cardsKey(const QList<JournalCard> &cards);
/** The cards of a kept key. */
QList<JournalCardMark> cardMarks(QByteArrayView key);
/** A kept time: seconds since 1970 and the offset from UTC it was seen at. */
QDateTime timeOf(qint64 utc, qint64 offset);
/** What the search finds a reading by: its cards' names and keywords. */
QString searchedCards(const QList<JournalCard> &cards);

} // namespace Orvella::ReadingColumns

// The notes and the outcome of a reading, found by the search as one text:
// worked out by SQL from the two, be they columns or parameters. A macro, as
// it is pasted into the statements' literals.
#define ORVELLA_SEARCHED_NOTES(notes, outcome) \
    "CASE " outcome " WHEN '' THEN " notes " ELSE " notes " || char(10) || " outcome " END"
