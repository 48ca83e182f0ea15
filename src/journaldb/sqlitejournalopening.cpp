#include "sqlitejournalstore.h"

#include "journallog.h"

#include "journal/damagedjournal.h"
#include "platform/fileaccess.h"

#include <QFile>
#include <QFileInfo>

// Opening a journal: judging its files and its make-up, and bringing an older
// one up to date. Keeping and finding readings in it is sqlitejournalstore.cpp's.

namespace Orvella {

namespace {

// Only ordinary files of the folder's owner are opened, the journal and the
// files SQLite keeps beside it: SQLite would wait in opening a pipe, and
// another account's file would take the user's notes or bring its own in.
// The folder is the user's alone, so nobody else can swap one in after this look.
JournalStore::Problem problemOfFiles(const QString &path)
{
    const uint owner = QFileInfo(QFileInfo(path).absolutePath()).ownerId();
    for (const QString &suffix : QStringList{QString()} + journalCompanionSuffixes()) {
        if (!anythingAt(path + suffix))
            continue;
        const QFileInfo file(path + suffix);
        if (file.isSymLink() || !file.isFile())
            return JournalStore::Problem::Damaged;
        if (file.ownerId() != owner)
            return JournalStore::Problem::NotYours;
    }
    return JournalStore::Problem::None;
}

// Whether the log beside the journal at @p path would lose committed changes.
// Judged after problemOfFiles(): the log, if any, is an ordinary file of the
// user's, which opens at once.
bool logLosesChanges(const QString &path)
{
    QFile log(path + journalLogSuffix());
    return log.open(QIODevice::ReadOnly) && JournalLog::losesChanges(log);
}

// Another's file, or one found damaged: held to a make-up of ours before anything is read.
bool isForeign(JournalStore::Access access)
{
    return access == JournalStore::Access::Foreign || access == JournalStore::Access::Salvage;
}

} // namespace

std::unique_ptr<JournalStore> SqliteJournalStore::open(const QString &path, Access access)
{
    // No page cache set aside up front (SQLite takes twenty pages' worth at
    // once): a journal reads few pages at a time. Only before SQLite starts.
    static const int configured = sqlite3_config(SQLITE_CONFIG_PAGECACHE, nullptr, 0, 0);
    Q_UNUSED(configured);
    std::unique_ptr<SqliteJournalStore> store(new SqliteJournalStore);
    store->prepare(path, access);
    return store;
}

bool SqliteJournalStore::prepare(const QString &path, Access access)
{
    m_readOnly = access == Access::ReadOnly || access == Access::Salvage;
    m_salvaging = access == Access::Salvage;
    m_problem = problemOfFiles(path);
    if (m_problem != Problem::None)
        return false;
    // Opened, SQLite would pass over the changes a damaged log holds past its
    // damage, and the next write would take the log's place: the journal is
    // damaged, and is set aside, log and all, to be read for what it still holds.
    if (access != Access::Salvage && logLosesChanges(path)) {
        m_problem = Problem::Damaged;
        return false;
    }
    const QFileInfo found(path);
    // Where nothing can be written beside it, its log can be neither read in
    // place nor brought up to date: a copy of the two is, for reading only.
    if (m_readOnly && found.exists() && !QFileInfo(found.absolutePath()).isWritable())
        return prepareCopy(path, access);
    if (!openFile(path))
        return false;
    // A file the user may not write is opened for reading all the same, and
    // every reading kept in it would fail: said as it is, to be opened again.
    if (!m_readOnly && sqlite3_db_readonly(m_db, "main") == 1) {
        m_problem = Problem::NotWritable;
        return false;
    }
    const std::optional<int> version = soundVersion(access);
    if (!version && m_readOnly && m_problem == Problem::Full && !m_copy) {
        // A reader needs room beside the journal: read from a copy elsewhere instead.
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        m_whyReadOnly = Problem::Full;
        return prepareCopy(path, access);
    }
    if (!version || (!isForeign(access) && !fits(*version, access)))
        return false;
    if (m_salvaging)
        m_salvagedVersion = *version;
    if (*version > SchemaVersion && !m_readOnly) {
        // Written by a newer program: opened again for reading only.
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        m_newer = true;
        return prepare(path, Access::ReadOnly);
    }
    if (m_readOnly && !m_salvaging && !m_copy && *version < SchemaVersion) {
        // Older, or never written: read as this version would have it, from a
        // copy brought up to date, the journal itself left as it is.
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        return prepareCopy(path, access);
    }
    m_newer = m_newer || *version > SchemaVersion;
    if (m_newer)
        m_whyReadOnly = Problem::Newer;
    else
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
    judge(sqlite3_exec(m_db, "PRAGMA foreign_keys = ON", nullptr, nullptr, nullptr));
    if (m_readOnly) {
        m_dataVersion = dataVersion();
        return m_problem == Problem::None;
    }
    // Write-ahead logging: readers never wait for a writer, and a commit is
    // whole after a crash. NORMAL syncs at checkpoints, not at each commit:
    // what was committed survives the program being killed.
    if (!judge(sqlite3_exec(m_db, "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL", nullptr,
                            nullptr, nullptr)))
        return false;
    if (*version != SchemaVersion && !upgrade(*version))
        return false;
    m_dataVersion = dataVersion();
    return true;
}

bool SqliteJournalStore::openFile(const QString &path)
{
    // Made by us, owner-only, before SQLite opens it: its log and shared
    // memory then take the same permissions. It holds the user's notes.
    if (!m_readOnly && !anythingAt(path)) {
        QFile made(path);
        if (!made.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                       QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
            m_problem = Problem::NotWritable;
            return false;
        }
    }
    // SQLite makes the files beside the journal as writable as the journal
    // is then: those made while it could only be read would keep it so once
    // the user made it writable again. They are ours (judged above), and hold no words.
    if (!m_readOnly && QFileInfo(path).permissions().testFlag(QFileDevice::WriteOwner)) {
        for (const QString &suffix : journalCompanionSuffixes()) {
            const QFileInfo beside(path + suffix);
            if (beside.isFile() && !beside.permissions().testFlag(QFileDevice::WriteOwner))
                QFile::setPermissions(beside.filePath(),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
    }
    const int flags = (m_readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE)
                      | SQLITE_OPEN_NOFOLLOW;
    if (!judge(sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr)))
        return false;
    sqlite3_extended_result_codes(m_db, 1);
    setPatience(100);
    // Until its version is known, closing must not fold the log into the file:
    // a newer program's journal is never altered.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    return true;
}

std::optional<int> SqliteJournalStore::soundVersion(Access access)
{
    int version = 0;
    {
        // Finished before anything else runs: an unfinished statement holds a transaction open.
        SqliteStatement versionQuery(m_db, "PRAGMA user_version");
        if (!judge(versionQuery.step()))
            return std::nullopt;
        version = int(versionQuery.integer(0));
    }
    // No version of ours is below the first: whatever wrote this, it is not a journal.
    if (version < 0) {
        m_problem = Problem::Damaged;
        return std::nullopt;
    }
    // Another's file is held to our make-up before the check below runs the
    // checks of its tables: one of its own could hold the import for ever.
    if (isForeign(access) && !fits(version, access))
        return std::nullopt;
    if (access == Access::Salvage)
        return version;
    // A file that is not a database, cut short or overwritten in places fails here.
    SqliteStatement check(m_db, "PRAGMA quick_check(1)");
    const int result = check.step();
    if (!judge(result))
        return std::nullopt;
    if (result != SQLITE_ROW || check.text(0) != QLatin1String("ok")) {
        m_problem = Problem::Damaged;
        return std::nullopt;
    }
    return version;
}

bool SqliteJournalStore::fits(int version, Access access)
{
    if (isForeign(access)) {
        // Views, triggers or columns worked out as they are read could hold
        // the import for ever: only our own tables are read. A file without
        // them (version 0) is no journal of ours, only an empty database.
        m_newer = version > SchemaVersion;
        if (m_newer || version == 0 || !JournalSchema::hasSchemaOf(m_db, version)) {
            m_problem = m_newer ? Problem::Newer : Problem::Damaged;
            return false;
        }
    } else if (version <= SchemaVersion && !JournalSchema::hasTablesOf(m_db, version)) {
        m_problem = Problem::Damaged;
        return false;
    }
    return true;
}

bool SqliteJournalStore::prepareCopy(const QString &path, Access access)
{
    m_copy = std::make_unique<QTemporaryDir>();
    const QString copy = m_copy->filePath(QStringLiteral("journal.sqlite"));
    for (const QString &suffix : {QString(), journalLogSuffix()}) {
        if (!QFileInfo::exists(path + suffix))
            continue;
        if (!m_copy->isValid() || !QFile::copy(path + suffix, copy + suffix)
            || !QFile::setPermissions(copy + suffix,
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
            m_problem = m_whyReadOnly;
            return false;
        }
    }
    // Written, so its log is read into it; a damaged one is read past its damage still.
    const bool ready = prepare(copy, access == Access::Salvage ? access : Access::ReadWrite);
    m_readOnly = true;
    return ready;
}

bool SqliteJournalStore::upgrade(int from)
{
    for (int version = from; version < SchemaVersion; ++version) {
        const QByteArray step = QByteArray(JournalSchema::stepFrom(version))
                                + ";\nPRAGMA user_version = " + QByteArray::number(version + 1);
        const bool done = transaction(
            [&] { return judge(sqlite3_exec(m_db, step.constData(), nullptr, nullptr, nullptr)); });
        if (!done)
            return false;
    }
    return true;
}

} // namespace Orvella
