#pragma once

#include <sqlite3.h>

namespace Orvella::JournalSchema {

/** The journal schema this program writes, kept in PRAGMA user_version. */
inline constexpr int Version = 2;

/** The statements that take a journal of @p version (0 for none) to the next. */
const char *stepFrom(int version);
/** Whether @p db holds nothing at all (version 0) or every table of ours (any other). */
bool hasTablesOf(sqlite3 *db, int version);
/** Whether @p db holds exactly what our steps up to @p version make, and nothing else. */
bool hasSchemaOf(sqlite3 *db, int version);

} // namespace Orvella::JournalSchema
