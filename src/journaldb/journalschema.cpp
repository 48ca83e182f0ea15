#include "journalschema.h"

#include "sqlitestatement.h"

#include <QByteArray>
#include <QList>
#include <QScopeGuard>

#include <array>
#include <optional>

namespace Orvella::JournalSchema {

namespace {

// Each step takes the schema one version further; step i makes version i + 1.
const std::array<const char *, JournalSchema::Version> Steps{{
    // 1: readings, their positions, full-text search and the journal's own settings.
    "CREATE TABLE reading ("
    " id INTEGER PRIMARY KEY,"
    " time TEXT NOT NULL,"          // local, with its offset: 2026-12-08T09:15:02+01:00
    " utc INTEGER NOT NULL,"        // seconds since 1970, for the order
    " utc_offset INTEGER NOT NULL," // the time's offset from UTC, in seconds
    " day TEXT NOT NULL,"           // the local day, for the calendar
    " name TEXT NOT NULL,"
    " spread INTEGER NOT NULL,"
    " spread_name TEXT NOT NULL,"
    " source TEXT NOT NULL,"
    " file TEXT NOT NULL,"
    " question TEXT NOT NULL DEFAULT '',"
    " notes TEXT NOT NULL DEFAULT '',"
    " cards TEXT NOT NULL);" // "card:reversed ..." for lists and for telling readings apart
    "CREATE INDEX reading_by_time ON reading(utc);"
    "CREATE INDEX reading_by_day ON reading(day);"
    "CREATE INDEX reading_by_file ON reading(file) WHERE file <> '';"
    "CREATE TABLE position ("
    " reading INTEGER NOT NULL REFERENCES reading(id) ON DELETE CASCADE,"
    " number INTEGER NOT NULL,"
    " title TEXT NOT NULL,"
    " card INTEGER NOT NULL,"
    " card_name TEXT NOT NULL,"
    " keyword TEXT NOT NULL,"
    " reversed INTEGER NOT NULL,"
    " PRIMARY KEY (reading, number)) WITHOUT ROWID;"
    "CREATE INDEX position_by_card ON position(card, reading);"
    // Prefixes of one to three letters indexed too: the first keystrokes of a
    // search then match thousands of readings in milliseconds.
    "CREATE VIRTUAL TABLE search USING fts5(name, spread, cards, question, notes,"
    " tokenize = 'unicode61 remove_diacritics 2', prefix = '1 2 3');"
    "CREATE TABLE setting (key TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID;",
    // 2: how a reading turned out, and when the user said so ("" until then).
    "ALTER TABLE reading ADD COLUMN outcome TEXT NOT NULL DEFAULT '';"
    "ALTER TABLE reading ADD COLUMN outcome_date TEXT NOT NULL DEFAULT '';",
}};

// Every table, index, view and trigger of @p db, with the statement that made
// it; but for the search's own tables, whose statements SQLite writes and may
// word otherwise in another version: a backup made elsewhere is still ours.
std::optional<QList<QByteArray>> makeUp(sqlite3 *db)
{
    SqliteStatement query(db, "SELECT type, name, tbl_name, CASE WHEN type = 'table' AND"
                              " name GLOB 'search_*' THEN '' ELSE ifnull(sql, '') END"
                              " FROM sqlite_schema ORDER BY type, name");
    QList<QByteArray> rows;
    int result;
    while ((result = query.step()) == SQLITE_ROW) {
        for (int column = 0; column < 4; ++column)
            rows << query.bytes(column).toByteArray();
    }
    return result == SQLITE_DONE ? std::optional(rows) : std::nullopt;
}

} // namespace

bool hasTablesOf(sqlite3 *db, int version)
{
    // Nothing at all before the first version; every table of ours after it.
    SqliteStatement query(db, "SELECT count(*), count(type = 'table' AND name IN ('reading',"
                              " 'position', 'search', 'setting') OR NULL) FROM sqlite_schema");
    if (query.step() != SQLITE_ROW)
        return false;
    return version == 0 ? query.integer(0) == 0 : query.integer(1) == 4;
}

bool hasSchemaOf(sqlite3 *db, int version)
{
    // What this program's steps up to @p version make, in memory, to hold it against.
    sqlite3 *made = nullptr;
    const auto close = qScopeGuard([&] { sqlite3_close_v2(made); });
    if (sqlite3_open_v2(":memory:", &made, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        return false;
    for (int step = 0; step < version; ++step) {
        if (sqlite3_exec(made, Steps[size_t(step)], nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
    }
    const std::optional<QList<QByteArray>> ours = makeUp(made);
    return ours && ours == makeUp(db);
}

const char *stepFrom(int version)
{
    return Steps[size_t(version)];
}

} // namespace Orvella::JournalSchema
