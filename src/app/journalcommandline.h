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

} // namespace Orvella
