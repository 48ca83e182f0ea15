#pragma once

#include "journal/journalstore.h"

#include "journalschema.h"
#include "sqlitestatement.h"

#include <QTemporaryDir>

#include <sqlite3.h>

#include <map>
#include <memory>

namespace Orvella {

/**
 * The journal in one SQLite database file: write-ahead logging, foreign keys,
 * the schema's version in PRAGMA user_version, upgraded one version at a time,
 * each step in one transaction. A file written by a newer version of the
 * program is opened read-only and never altered. Waits for a journal another
 * program holds as long as its patience allows, then says Busy.
 *
 * SQLite's own C interface rather than Qt's SQL module: opening a journal and
 * keeping a reading with it cost 2.2 MiB of memory against 3.0 MiB through
 * QtSql and its driver, in the same time.
 */
class SqliteJournalStore : public JournalStore
{
public:
    /** The journal schema this program writes. */
    static constexpr int SchemaVersion = JournalSchema::Version;

    static std::unique_ptr<JournalStore> open(const QString &path, Access access);
    ~SqliteJournalStore() override;

    void setPatience(int milliseconds) override;
    Problem whyReadOnly() const override { return m_readOnly ? m_whyReadOnly : Problem::None; }
    Problem problem() const override { return m_problem; }

    std::optional<qint64> keep(const JournalEntry &entry) override;
    std::optional<qint64> findSame(const JournalEntry &entry) override;
    std::optional<Kept> keepAll(const QList<JournalEntry> &entries,
                                const std::function<void(int)> &progress,
                                const std::function<bool()> &cancelled) override;
    QList<JournalSummary> list(const JournalFilter &filter) override;
    std::optional<JournalEntry> entry(qint64 id) override;
    QList<JournalEntry> entries(const QList<qint64> &ids) override;
    QList<JournalEntry> all() override;
    bool setWords(qint64 id, const QString &question, const QString &notes) override;
    bool setOutcome(qint64 id, const QString &outcome, const QDate &date) override;
    bool setFile(qint64 id, const QString &file) override;
    bool remove(qint64 id) override;
    QList<QDate> days(const JournalFilter &filter = {}) override;
    std::optional<QByteArray> backup(QString *why = nullptr) override;
    bool changedElsewhere() override;
    QString setting(const QString &key, const QString &fallback) override;
    bool setSetting(const QString &key, const QString &value) override;

private:
    SqliteJournalStore() = default;

    /**
     * Opens the journal at @p path for @p access: for reading only instead
     * when a newer program wrote it, and a copy of it elsewhere when nothing
     * can be written beside it (a read-only folder, a full disk). False, with
     * the problem recorded, when it cannot be used at all.
     */
    bool prepare(const QString &path, Access access);
    /** Opens the file at @p path, made owner-only first when it is to be written and missing. */
    bool openFile(const QString &path);
    /** The schema version of a sound file; nothing, with the problem recorded, otherwise. */
    std::optional<int> soundVersion(Access access);
    /** Whether a file of schema @p version may be used for @p access; if not, the problem noted. */
    bool fits(int version, Access access);
    /**
     * Reads a copy of the journal at @p path and its log, made in a folder of
     * our own, for @p access (ReadOnly or Salvage).
     */
    bool prepareCopy(const QString &path, Access access);
    bool upgrade(int from);
    /** SQLite's count of the changes others committed; nothing when it cannot be read. */
    std::optional<qint64> dataVersion();
    /** Records what @p result says went wrong; true when it is a success code. */
    bool judge(int result);
    /** Whether the file may be read: open, and not found damaged. */
    bool readable() const { return m_db && m_problem != Problem::Damaged; }
    bool writable();
    /** Whether the file opened is no longer the one at its path. */
    bool hasMoved();
    /** Runs @p change in one write transaction, rolled back unless it returns true. */
    template<typename Change>
    bool transaction(Change &&change);
    /** The readings @p where keeps, oldest first, its parameter ?1 bound to @p argument. */
    QList<JournalEntry> select(const char *where, const QVariant &argument = {});
    /** What can still be read of a damaged journal: readings whose rows and cards can be. */
    QList<JournalEntry> salvage();
    bool insert(const JournalEntry &entry, qint64 &id);
    /**
     * Gives kept reading @p id the words of @p entry it lacks; @p filled says
     * whether any, @p differs whether words of its own differ from @p entry's.
     */
    bool fillMissingWords(qint64 id, const JournalEntry &entry, bool &filled, bool &differs);
    /** Brings reading @p id's search words up to date with its row. */
    bool searchWordsAgain(qint64 id);
    /** The statement for @p sql, a text that lives as long as the program, prepared once. */
    SqliteStatement &cached(const char *sql);
    /** Runs @p sql on reading @p id with two texts, and brings its search words up to date. */
    bool change(qint64 id, const char *sql, const QString &first, const QString &second);

    sqlite3 *m_db = nullptr;
    std::map<const char *, std::unique_ptr<SqliteStatement>> m_statements;
    // How it is open, as prepare() found it: read-only when asked so, when a
    // newer program wrote it (m_newer), or when it is read from a copy
    // (m_copy); m_whyReadOnly is what a write is then refused with.
    std::unique_ptr<QTemporaryDir> m_copy;
    bool m_readOnly = false;
    bool m_newer = false;
    bool m_salvaging = false;  // opened to read what a damaged journal still holds
    int m_salvagedVersion = 0; // and the version of its make-up
    Problem m_whyReadOnly = Problem::NotWritable;
    std::optional<qint64> m_dataVersion;
    Problem m_problem = Problem::None;
};

template<typename Change>
bool SqliteJournalStore::transaction(Change &&change)
{
    if (!judge(sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr)))
        return false;
    if (change() && judge(sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr)))
        return true;
    const Problem problem = m_problem;
    sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    m_problem = problem;
    return false;
}

} // namespace Orvella
