#pragma once

#include <QString>

namespace Orvella {

/**
 * --export-journal: every reading kept in the journal in @p folder, oldest
 * first, written to @p target as JSON, or as CSV when its name ends in .csv;
 * "-" writes JSON to standard output. A journal not made yet exports as
 * empty. Reads the journal as it is, also while a copy of the program keeps
 * readings in it. The exit code: 0, or 1 with a message on standard error.
 */
int exportJournalCommand(const QString &folder, const QString &target);

/**
 * --journal-statistics: how often each card came up over every reading kept
 * in the journal in @p folder, against chance, as CSV to @p target ("-":
 * standard output). The exit code as exportJournalCommand() gives it.
 */
int journalStatisticsCommand(const QString &folder, const QString &target);

/**
 * --import-journal: keeps the readings of @p files in the journal in
 * @p folder (made when missing), also while a copy of the program runs, and
 * prints what it did. The exit code: 0 when every file was taken whole, 1
 * when anything was refused or nothing could be kept.
 */
int importJournalCommand(const QString &folder, const QStringList &files);

} // namespace Orvella
