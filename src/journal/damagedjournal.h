#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace Orvella {

/** The ending of a journal's write-ahead log, which holds its latest changes. */
QString journalLogSuffix();
/** The endings of the files SQLite keeps beside a journal, which belong with it. */
QStringList journalCompanionSuffixes();

/** Where the words not yet kept in the journal set aside as @p aside are written. */
QString damagedJournalNotes(const QString &aside);

/**
 * A name beside the journal at @p path for what is kept aside from it,
 * <name>.<why>-<date> (and -2, -3, ... when that is taken): no file of that
 * name, its companions' or its notes' is there yet.
 */
QString journalAsideName(const QString &path, const QString &why, QDate today);

/**
 * Where a new journal is made of what can still be read of the damaged one
 * at @p path, before it takes that one's place.
 */
QString rebuiltJournalName(const QString &path);
/**
 * Moves the journal at @p from to @p to, with the files SQLite keeps beside
 * it; false when the journal itself could not be moved.
 */
bool moveJournal(const QString &from, const QString &to);
/**
 * Puts the journal rebuilt for the one at @p path in its place where a kill
 * came between setting the damaged one aside and that.
 */
void completeJournalRebuild(const QString &path);
/**
 * Removes the journal rebuilt at @p path that never took its place, with its
 * companions: all it holds is still in the damaged journal it was made of.
 */
void discardRebuiltJournal(const QString &path);

/**
 * Moves the damaged journal at @p path aside, with the files that go with it
 * (its write-ahead log and shared memory), as <name>.damaged-<date> (and
 * -2, -3, ... when that is taken): nothing of it is deleted. Its new path, or
 * an empty text when it could not be moved.
 */
QString setDamagedJournalAside(const QString &path, QDate today);

} // namespace Orvella
