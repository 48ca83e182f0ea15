#include "sqlitejournalstore.h"

#include "journal/journalsearch.h"
#include "journalschema.h"
#include "readingcolumns.h"
#include "sqlitestatement.h"

#include "platform/fileaccess.h"

#include <QHash>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <algorithm>
#include <limits>

namespace Orvella {

using namespace ReadingColumns;

namespace {

JournalStore::Problem problemOf(int result)
{
    switch (result & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return JournalStore::Problem::Busy;
    case SQLITE_FULL:
        return JournalStore::Problem::Full;
    case SQLITE_IOERR:
        // No room to make the memory readers share beside the journal: a full disk.
        return result == SQLITE_IOERR_SHMSIZE ? JournalStore::Problem::Full
                                              : JournalStore::Problem::Failed;
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return JournalStore::Problem::NotWritable;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
        return JournalStore::Problem::Damaged;
    default:
        return JournalStore::Problem::Failed;
    }
}

// A day as the journal keeps it: year-month-day, which sorts as days do; empty for none.
QString storedDay(QDate day)
{
    return day.isValid() ? day.toString(Qt::ISODate) : QString();
}

QDate dayStored(const QString &text)
{
    return QDate::fromString(text, Qt::ISODate);
}

// FROM and WHERE of the readings a filter keeps: ?1 the words searched (only
// when @p searched), ?2 to ?10 what bindFilter() gives. One statement for any
// number of cards: ?5 lists them (",7,12,"), ?9 counts them. ?10 is symbols
// searched as written, which the index leaves out.
// Found readings are ranked by where the words are: in the name or the cards
// first, then the spread or the question, then the notes alone. (A weight of
// 0 leaves a column out of bm25(), which is below 0 where words are found.)
QByteArray filteredReadings(bool searched)
{
    QByteArray sql = searched ? " FROM (SELECT rowid,"
                                " CASE WHEN bm25(search, 1, 0, 1, 0, 0) < 0 THEN 0"
                                " WHEN bm25(search, 0, 1, 0, 1, 0) < 0 THEN 1 ELSE 2 END AS rank"
                                " FROM search WHERE search MATCH ?1) found"
                                " JOIN reading r ON r.id = found.rowid"
                              : " FROM reading r";
    return sql
           + " WHERE (?2 IS NULL OR r.spread = ?2) AND (?3 = '' OR r.day >= ?3)"
             " AND (?4 = '' OR r.day <= ?4)"
             " AND (?9 = 0 OR (SELECT count(DISTINCT p.card) FROM position p"
             " WHERE p.reading = r.id AND instr(?5, ',' || p.card || ',')) = ?9)"
             // The readings JournalSummary::awaitsOutcome marks.
             " AND (?6 = '' OR (r.outcome = '' AND r.spread <> ?8 AND r.day < ?6))"
             " AND (?7 = '' OR (substr(r.day, 5) = substr(?7, 5) AND r.day < ?7))"
             " AND (?10 = '' OR instr(r.name, ?10) OR instr(r.question, ?10)"
             " OR instr(r.notes, ?10) OR instr(r.outcome, ?10))";
}

void bindFilter(SqliteStatement &query, const JournalFilter &filter, const JournalSearch &search)
{
    QString cardsText = QStringLiteral(",");
    for (const int card : filter.cards)
        cardsText += QString::number(card) + u',';
    if (!search.words.isEmpty())
        query.bind(1, search.words);
    if (filter.spread)
        query.bind(2, qint64(*filter.spread));
    query.bind(3, storedDay(filter.from))
        .bind(4, storedDay(filter.to))
        .bind(5, cardsText)
        .bind(6, storedDay(filter.overdueOn.addDays(-OverdueDays)))
        .bind(7, storedDay(filter.onThisDay))
        .bind(8, qint64(CardOfTheDaySpread))
        .bind(9, qint64(filter.cards.size()))
        .bind(10, search.symbols);
}

// The columns of a reading that entryOfRow() reads, in its order. Outcomes
// came with the second version: before it, they read as none.
QByteArray readingColumns(int schemaVersion = JournalSchema::Version)
{
    return QByteArray("id, utc, utc_offset, name, spread, spread_name, source, file, question, "
                      "notes, ")
           + (schemaVersion < 2 ? "'', ''" : "outcome, outcome_date");
}

// The columns of a position that cardOfRow() reads, in its order.
constexpr char PositionColumns[] = "reading, number, title, card, card_name, keyword, reversed";

// A reading of a row of its readingColumns().
JournalEntry entryOfRow(const SqliteStatement &row)
{
    JournalEntry entry;
    entry.id = row.integer(0);
    entry.time = timeOf(row.integer(1), row.integer(2));
    entry.name = row.text(3);
    entry.spread = int(row.integer(4));
    entry.spreadName = row.text(5);
    entry.source = journalSourceFromName(row.text(6)).value_or(JournalSource::Drawn);
    entry.file = row.text(7);
    entry.question = row.text(8);
    entry.notes = row.text(9);
    entry.outcome = row.text(10);
    entry.outcomeDate = dayStored(row.text(11));
    return entry;
}

// A card of a row of its PositionColumns.
JournalCard cardOfRow(const SqliteStatement &row)
{
    JournalCard card;
    card.position = int(row.integer(1));
    card.title = row.text(2);
    card.card = int(row.integer(3));
    card.cardName = row.text(4);
    card.keyword = row.text(5);
    card.reversed = row.integer(6) != 0;
    return card;
}

// In the order the journal lists them, each reading's cards in the order of their positions.
void sortAsKept(QList<JournalEntry> &entries)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const JournalEntry &a, const JournalEntry &b) {
                         return std::pair(a.time.toSecsSinceEpoch(), a.id)
                                < std::pair(b.time.toSecsSinceEpoch(), b.id);
                     });
    for (JournalEntry &entry : entries) {
        std::stable_sort(
            entry.cards.begin(), entry.cards.end(),
            [](const JournalCard &a, const JournalCard &b) { return a.position < b.position; });
    }
}

// Whether "... > ?1" reads from just past @p after on, or stops in a damaged page.
bool readsFrom(sqlite3 *db, const QByteArray &sql, qint64 after)
{
    SqliteStatement rows(db, sql);
    rows.bind(1, after);
    const int result = rows.step();
    return result == SQLITE_ROW || result == SQLITE_DONE;
}

// Reads the rows of @p sql, which selects those of a key beyond ?1 in its
// order, handing each to @p take, which gives its key back; past each damaged
// stretch, from the first key beyond it found readable (by doubling, then halving).
void readPastDamage(sqlite3 *db, const QByteArray &sql,
                    const std::function<qint64(const SqliteStatement &)> &take)
{
    for (qint64 after = 0;;) {
        {
            SqliteStatement rows(db, sql);
            rows.bind(1, after);
            int result;
            while ((result = rows.step()) == SQLITE_ROW)
                after = take(rows);
            if (result == SQLITE_DONE)
                return;
        }
        qint64 gap = 1;
        while (!readsFrom(db, sql, after + gap)) {
            if (gap > std::numeric_limits<qint64>::max() / 4 - after)
                return;
            gap *= 2;
        }
        qint64 unreadable = after;
        qint64 readable = after + gap;
        while (readable - unreadable > 1) {
            const qint64 middle = unreadable + (readable - unreadable) / 2;
            (readsFrom(db, sql, middle) ? readable : unreadable) = middle;
        }
        after = readable;
    }
}

} // namespace

SqliteJournalStore::~SqliteJournalStore()
{
    m_statements.clear(); // finalized before the connection closes
    // Closing folds the log into a file still at its place only; the log of one
    // moved away would stay at the journal's path and be read into the file now
    // there. Folded into the file moved away, and emptied, it is nobody's.
    if (!m_readOnly && hasMoved())
        sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    sqlite3_close_v2(m_db);
}

void SqliteJournalStore::setPatience(int milliseconds)
{
    if (m_db)
        sqlite3_busy_timeout(m_db, milliseconds);
}

bool SqliteJournalStore::judge(int result)
{
    const bool fine = result == SQLITE_OK || result == SQLITE_DONE || result == SQLITE_ROW;
    // Damage once seen stays said: nothing more is read from or written to it.
    if (m_problem != Problem::Damaged)
        m_problem = fine ? Problem::None : problemOf(result);
    return fine;
}

std::optional<qint64> SqliteJournalStore::dataVersion()
{
    SqliteStatement &query = cached("PRAGMA data_version");
    const int result = query.step();
    std::optional<qint64> version;
    if (result == SQLITE_ROW)
        version = query.integer(0);
    query.reset();
    return version;
}

bool SqliteJournalStore::changedElsewhere()
{
    if (!readable())
        return false;
    if (hasMoved()) {
        m_problem = Problem::Moved;
        return true;
    }
    const std::optional<qint64> now = dataVersion();
    const bool changed = now && m_dataVersion && *now != *m_dataVersion;
    if (now)
        m_dataVersion = now;
    return changed;
}

bool SqliteJournalStore::writable()
{
    if (!readable())
        return false;
    if (m_readOnly) {
        m_problem = m_whyReadOnly;
        return false;
    }
    // Written on, a file no longer at its place would take the readings out of
    // sight, and its log would be read into whatever file now has its name.
    if (hasMoved()) {
        m_problem = Problem::Moved;
        return false;
    }
    return true;
}

bool SqliteJournalStore::hasMoved()
{
    int moved = 0;
    return m_db && !m_copy
           && sqlite3_file_control(m_db, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK
           && moved;
}

std::optional<qint64> SqliteJournalStore::keep(const JournalEntry &entry)
{
    if (!writable())
        return std::nullopt;
    qint64 id = 0;
    const bool kept = transaction([&] { return insert(entry, id); });
    return kept ? std::optional<qint64>(id) : std::nullopt;
}

std::optional<JournalStore::Kept>
SqliteJournalStore::keepAll(const QList<JournalEntry> &entries,
                            const std::function<void(int)> &progress,
                            const std::function<bool()> &cancelled)
{
    if (!writable())
        return std::nullopt;
    Kept counts;
    bool stopped = false;
    const bool kept = transaction([&] {
        for (qsizetype i = 0; i < entries.size(); ++i) {
            // Asked every hundred readings: often enough to stop at once, rarely enough to be free.
            if (i % 100 == 0) {
                if (progress)
                    progress(int(i));
                if (cancelled && cancelled()) {
                    stopped = true;
                    return false;
                }
            }
            // Within the batch too: a reading twice in it is kept once.
            if (const std::optional<qint64> same = findSame(entries[i])) {
                bool filled = false;
                bool differs = false;
                if (!fillMissingWords(*same, entries[i], filled, differs))
                    return false;
                counts.completed += filled;
                counts.differing += differs;
                continue;
            }
            if (m_problem != Problem::None)
                return false;
            qint64 id = 0;
            if (!insert(entries[i], id))
                return false;
            ++counts.added;
        }
        return true;
    });
    if (stopped)
        m_problem = Problem::None;
    if (kept && progress)
        progress(int(entries.size()));
    return kept ? std::optional<Kept>(counts) : std::nullopt;
}

bool SqliteJournalStore::fillMissingWords(qint64 id, const JournalEntry &entry, bool &filled,
                                          bool &differs)
{
    filled = differs = false;
    if (entry.question.isEmpty() && entry.notes.isEmpty() && entry.outcome.isEmpty())
        return true;
    // The journal's own words win: what the user wrote since stays as it is.
    SqliteStatement &reading = cached(
        "UPDATE reading SET question = CASE question WHEN '' THEN ?2 ELSE question END,"
        " notes = CASE notes WHEN '' THEN ?3 ELSE notes END,"
        " outcome = CASE outcome WHEN '' THEN ?4 ELSE outcome END,"
        " outcome_date = CASE outcome WHEN '' THEN ?5 ELSE outcome_date END"
        " WHERE id = ?1 AND ((question = '' AND ?2 <> '') OR (notes = '' AND ?3 <> '')"
        " OR (outcome = '' AND ?4 <> ''))");
    reading.bind(1, id).bind(2, entry.question).bind(3, entry.notes).bind(4, entry.outcome);
    reading.bind(5, storedDay(entry.outcomeDate));
    if (!judge(reading.run()))
        return false;
    filled = sqlite3_changes(m_db) > 0;
    if (filled && !searchWordsAgain(id))
        return false;
    // Words of its own that the import's differ from, now that the missing ones are filled.
    SqliteStatement &other = cached("SELECT (?2 <> '' AND question <> ?2) OR (?3 <> '' AND notes"
                                    " <> ?3) OR (?4 <> '' AND outcome <> ?4) FROM reading"
                                    " WHERE id = ?1");
    other.bind(1, id).bind(2, entry.question).bind(3, entry.notes).bind(4, entry.outcome);
    const int result = other.step();
    differs = result == SQLITE_ROW && other.integer(0) != 0;
    other.reset();
    return judge(result);
}

SqliteStatement &SqliteJournalStore::cached(const char *sql)
{
    auto found = m_statements.find(sql);
    // One that could not be prepared (another program held the journal) is tried again.
    if (found != m_statements.end() && found->second->prepared() != SQLITE_OK) {
        m_statements.erase(found);
        found = m_statements.end();
    }
    if (found == m_statements.end())
        found = m_statements.emplace(sql, std::make_unique<SqliteStatement>(m_db, sql)).first;
    found->second->reset();
    return *found->second;
}

bool SqliteJournalStore::insert(const JournalEntry &entry, qint64 &id)
{
    // Prepared once and kept: an import of thousands runs twice as fast.
    SqliteStatement &reading = cached(
        "INSERT INTO reading (time, utc, utc_offset, day, name, spread,"
        " spread_name, source, file, question, notes, cards, outcome,"
        " outcome_date) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const QDateTime time = journalTime(entry.time);
    reading.bind(1, entry.timeText())
        .bind(2, time.toSecsSinceEpoch())
        .bind(3, qint64(time.offsetFromUtc()))
        .bind(4, storedDay(time.date()))
        .bind(5, entry.name)
        .bind(6, qint64(entry.spread))
        .bind(7, entry.spreadName)
        .bind(8, journalSourceName(entry.source))
        .bind(9, entry.file)
        .bind(10, entry.question)
        .bind(11, entry.notes)
        .bind(12, cardsKey(entry.cards))
        .bind(13, entry.outcome)
        .bind(14, storedDay(entry.outcomeDate));
    if (!judge(reading.run()))
        return false;
    id = sqlite3_last_insert_rowid(m_db);
    for (const JournalCard &card : entry.cards) {
        SqliteStatement &position = cached("INSERT INTO position (reading, number, title, card,"
                                           " card_name, keyword, reversed)"
                                           " VALUES (?, ?, ?, ?, ?, ?, ?)");
        position.bind(1, id)
            .bind(2, qint64(card.position))
            .bind(3, card.title)
            .bind(4, qint64(card.card))
            .bind(5, card.cardName)
            .bind(6, card.keyword)
            .bind(7, qint64(card.reversed));
        if (!judge(position.run()))
            return false;
    }
    // From the values, not selected from the row just kept: an import of
    // thousands takes 0.8 s so, 1.3 s the other way.
    SqliteStatement &search = cached(
        "INSERT INTO search (rowid, name, spread, cards, question,"
        " notes) VALUES (?1, ?2, ?3, ?4, ?5, " ORVELLA_SEARCHED_NOTES("?6", "?7") ")");
    search.bind(1, id).bind(2, entry.name).bind(3, entry.spreadName);
    search.bind(4, searchedCards(entry.cards)).bind(5, entry.question).bind(6, entry.notes);
    search.bind(7, entry.outcome);
    return judge(search.run());
}

std::optional<qint64> SqliteJournalStore::findSame(const JournalEntry &entry)
{
    if (!readable())
        return std::nullopt;
    // A file read again (opened, handed over or imported) is the same reading
    // whenever it shows the same cards, as is a drawn one saved as that file;
    // any other reading is its moment, whatever file it was saved as since.
    const bool fromFile = !entry.file.isEmpty() && entry.source != JournalSource::Drawn;
    SqliteStatement &query = cached(
        fromFile ? "SELECT id FROM reading WHERE file = ?1 AND spread = ?2 AND cards = ?3"
                   " LIMIT 1"
                 : "SELECT id FROM reading WHERE utc = ?1 AND spread = ?2 AND cards = ?3"
                   " AND name = ?4 LIMIT 1");
    query.bind(2, qint64(entry.spread)).bind(3, cardsKey(entry.cards));
    if (fromFile)
        query.bind(1, entry.file);
    else
        query.bind(1, journalTime(entry.time).toSecsSinceEpoch()).bind(4, entry.name);
    const int result = query.step();
    judge(result);
    const std::optional<qint64> found = result == SQLITE_ROW
                                            ? std::optional<qint64>(query.integer(0))
                                            : std::nullopt;
    query.reset();
    return found;
}

QList<JournalSummary> SqliteJournalStore::list(const JournalFilter &filter)
{
    QList<JournalSummary> found;
    if (!readable())
        return found;
    const JournalSearch search = journalSearch(filter.text);
    QByteArray sql = "SELECT r.id, r.utc, r.utc_offset, r.name, r.spread, r.file,"
                     " r.question <> '', r.cards, r.spread_name, r.outcome <> '', r.notes <> ''";
    sql += filteredReadings(!search.words.isEmpty());
    // Newest first, among the readings found alike.
    sql += search.words.isEmpty() ? " ORDER BY r.utc DESC, r.id DESC"
                                  : " ORDER BY found.rank, r.utc DESC, r.id DESC";
    SqliteStatement query(m_db, sql);
    bindFilter(query, filter, search);
    QHash<int, QString> spreadNames;
    int result;
    while ((result = query.step()) == SQLITE_ROW) {
        JournalSummary summary;
        summary.id = query.integer(0);
        summary.time = timeOf(query.integer(1), query.integer(2));
        summary.name = query.text(3);
        summary.spread = int(query.integer(4));
        // One shared text per spread rather than one per reading.
        auto spreadName = spreadNames.find(summary.spread);
        if (spreadName == spreadNames.end())
            spreadName = spreadNames.insert(summary.spread, query.text(8));
        summary.spreadName = *spreadName;
        summary.file = query.text(5);
        summary.written = JournalSummary::writtenOf(query.integer(6) != 0, query.integer(10) != 0);
        summary.cards = cardMarks(query.bytes(7));
        summary.hasOutcome = query.integer(9) != 0;
        found.append(std::move(summary));
    }
    judge(result);
    return found;
}

QList<JournalEntry> SqliteJournalStore::select(const char *where, const QVariant &argument)
{
    const bool every = *where == '\0';
    const auto bindArgument = [&](SqliteStatement &statement) {
        if (argument.typeId() == QMetaType::QString)
            statement.bind(1, argument.toString());
        else if (argument.isValid())
            statement.bind(1, argument.toLongLong());
    };
    QList<JournalEntry> entries;
    if (!readable())
        return entries;
    // The readings and their cards from one snapshot: a reading another program
    // deletes in between would otherwise come without its cards.
    const bool ownSnapshot = sqlite3_get_autocommit(m_db)
                             && sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    const auto endSnapshot = qScopeGuard([&] {
        if (ownSnapshot)
            sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    });
    QHash<qint64, qsizetype> at;
    {
        SqliteStatement readings(m_db, "SELECT " + readingColumns() + " FROM reading " + where
                                           + " ORDER BY utc, id");
        bindArgument(readings);
        int result;
        while ((result = readings.step()) == SQLITE_ROW) {
            at.insert(readings.integer(0), entries.size());
            entries.append(entryOfRow(readings));
        }
        if (!judge(result))
            return {};
    }
    const QByteArray owners = every ? QByteArray()
                                    : QByteArray(" WHERE reading IN (SELECT id FROM reading ")
                                          + where + ')';
    SqliteStatement positions(m_db, "SELECT " + QByteArray(PositionColumns) + " FROM position"
                                        + owners + " ORDER BY reading, number");
    bindArgument(positions);
    int result;
    while ((result = positions.step()) == SQLITE_ROW) {
        const auto owner = at.constFind(positions.integer(0));
        if (owner == at.constEnd())
            continue;
        entries[*owner].cards.append(cardOfRow(positions));
    }
    return judge(result) ? entries : QList<JournalEntry>{};
}

QList<JournalEntry> SqliteJournalStore::salvage()
{
    // Read as the version it is: a sound journal is brought up to date as it
    // is opened, a damaged one is only read.
    QList<JournalEntry> entries;
    QHash<qint64, qsizetype> at;
    readPastDamage(m_db,
                   "SELECT " + readingColumns(m_salvagedVersion)
                       + " FROM reading WHERE id > ?1 ORDER BY id",
                   [&](const SqliteStatement &row) {
                       at.insert(row.integer(0), entries.size());
                       entries.append(entryOfRow(row));
                       return entries.constLast().id;
                   });
    readPastDamage(m_db,
                   "SELECT " + QByteArray(PositionColumns)
                       + " FROM position WHERE reading > ?1 ORDER BY reading, number",
                   [&](const SqliteStatement &row) {
                       const qint64 reading = row.integer(0);
                       if (const auto owner = at.constFind(reading); owner != at.constEnd())
                           entries[*owner].cards.append(cardOfRow(row));
                       return reading;
                   });
    sortAsKept(entries);
    return entries;
}

std::optional<JournalEntry> SqliteJournalStore::entry(qint64 id)
{
    QList<JournalEntry> found = select("WHERE id = ?1", id);
    return found.isEmpty() ? std::nullopt : std::optional<JournalEntry>(found.takeFirst());
}

QList<JournalEntry> SqliteJournalStore::entries(const QList<qint64> &ids)
{
    // Handed to SQLite as one JSON array, however many there are.
    QStringList numbers;
    for (const qint64 id : ids)
        numbers << QString::number(id);
    return select("WHERE id IN (SELECT value FROM json_each(?1))",
                  u'[' + numbers.join(u',') + u']');
}

QList<JournalEntry> SqliteJournalStore::all()
{
    return m_salvaging ? salvage() : select("");
}

bool SqliteJournalStore::setWords(qint64 id, const QString &question, const QString &notes)
{
    return change(id, "UPDATE reading SET question = ?1, notes = ?2 WHERE id = ?3", question,
                  notes);
}

bool SqliteJournalStore::setOutcome(qint64 id, const QString &outcome, const QDate &date)
{
    return change(id, "UPDATE reading SET outcome = ?1, outcome_date = ?2 WHERE id = ?3", outcome,
                  outcome.isEmpty() ? QString() : storedDay(date));
}

bool SqliteJournalStore::setFile(qint64 id, const QString &file)
{
    if (!writable())
        return false;
    SqliteStatement reading(m_db, "UPDATE reading SET file = ?1 WHERE id = ?2");
    reading.bind(1, file).bind(2, id);
    return judge(reading.run());
}

bool SqliteJournalStore::change(qint64 id, const char *sql, const QString &first,
                                const QString &second)
{
    if (!writable())
        return false;
    return transaction([&] {
        SqliteStatement reading(m_db, sql);
        reading.bind(1, first).bind(2, second).bind(3, id);
        return judge(reading.run()) && searchWordsAgain(id);
    });
}

bool SqliteJournalStore::searchWordsAgain(qint64 id)
{
    // clang-format off
    SqliteStatement &search = cached("UPDATE search SET (question, notes) = (SELECT question, "
                                     ORVELLA_SEARCHED_NOTES("notes", "outcome")
                                     " FROM reading WHERE id = ?1) WHERE rowid = ?1");
    // clang-format on
    search.bind(1, id);
    return judge(search.run());
}

std::optional<QByteArray> SqliteJournalStore::backup(QString *why)
{
    const auto failed = [why](const QString &reason) {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    if (!readable())
        return failed(QStringLiteral("The journal could not be read."));
    // A consistent copy in one read transaction, even while another program writes.
    QTemporaryDir folder;
    if (!folder.isValid())
        return failed(QStringLiteral("No temporary folder could be made for the copy."));
    const QString copy = folder.filePath(QStringLiteral("journal.sqlite"));
    SqliteStatement vacuum(m_db, "VACUUM INTO ?");
    vacuum.bind(1, copy);
    if (const int result = vacuum.run(); !judge(result)) {
        return failed(QStringLiteral("No copy could be made in a temporary folder: ")
                      + QString::fromUtf8(sqlite3_errstr(result)) + u'.');
    }
    const std::optional<QByteArray> bytes = readSmallFile(copy, std::numeric_limits<int>::max());
    if (!bytes)
        return failed(QStringLiteral("The copy made could not be read back."));
    return bytes;
}

bool SqliteJournalStore::remove(qint64 id)
{
    if (!writable())
        return false;
    return transaction([&] {
        SqliteStatement search(m_db, "DELETE FROM search WHERE rowid = ?");
        search.bind(1, id);
        // Its positions go with it (ON DELETE CASCADE).
        SqliteStatement reading(m_db, "DELETE FROM reading WHERE id = ?");
        reading.bind(1, id);
        return judge(search.run()) && judge(reading.run());
    });
}

QList<QDate> SqliteJournalStore::days(const JournalFilter &filter)
{
    QList<QDate> days;
    if (!readable())
        return days;
    const JournalSearch search = journalSearch(filter.text);
    SqliteStatement query(m_db, "SELECT DISTINCT r.day" + filteredReadings(!search.words.isEmpty())
                                    + " ORDER BY r.day");
    bindFilter(query, filter, search);
    int result;
    while ((result = query.step()) == SQLITE_ROW)
        days.append(dayStored(query.text(0)));
    judge(result);
    return days;
}

QString SqliteJournalStore::setting(const QString &key, const QString &fallback)
{
    if (!readable())
        return fallback;
    SqliteStatement query(m_db, "SELECT value FROM setting WHERE key = ?");
    query.bind(1, key);
    const int result = query.step();
    judge(result);
    return result == SQLITE_ROW ? query.text(0) : fallback;
}

bool SqliteJournalStore::setSetting(const QString &key, const QString &value)
{
    if (!writable())
        return false;
    return transaction([&] {
        SqliteStatement query(m_db, "INSERT OR REPLACE INTO setting (key, value) VALUES (?, ?)");
        query.bind(1, key).bind(2, value);
        return judge(query.run());
    });
}

} // namespace Orvella
