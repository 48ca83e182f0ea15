#include "journal/damagedjournal.h"
#include "journal/journalexport.h"
#include "journaldb/sqlitejournalstore.h"
#include "oracle/carddeck.h"
#include "reading/draw.h"
#include "support/files.h"
#include "support/scriptedrandom.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace Orvella;

Q_DECLARE_METATYPE(Orvella::JournalFilter)

namespace {

// Set in a child copy of this test: keep readings in the journal at this path until killed.
const char KeepForeverVariable[] = "ORVELLA_TEST_KEEP_FOREVER";

JournalEntry entryOf(int spread, QList<double> cards, const QString &name, const QString &when,
                     JournalSource source = JournalSource::Drawn, const QString &file = {})
{
    Test::ScriptedRandom random(std::move(cards));
    Reading reading;
    Draw(reading, qint16(spread), random);
    return journalEntry(reading, QDateTime::fromString(when, Qt::ISODate), source, name, file);
}

std::unique_ptr<JournalStore> openStore(const QString &path)
{
    return SqliteJournalStore::open(path, JournalStore::Access::ReadWrite);
}

QStringList names(const QList<JournalSummary> &readings)
{
    QStringList found;
    for (const JournalSummary &reading : readings)
        found << reading.name;
    return found;
}

// Left as a program that was killed leaves it: its last change still in the log.
void setVersion(const QString &path, int version)
{
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    sqlite3_exec(db, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
    if (version > SqliteJournalStore::SchemaVersion) // what a newer program might have added
        sqlite3_exec(db, "CREATE TABLE later(x)", nullptr, nullptr, nullptr);
    sqlite3_exec(db, QByteArray("PRAGMA user_version = " + QByteArray::number(version)).constData(),
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

} // namespace

class TestJournalStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void keepsFindsAndForgets();
    void searchAndFilters_data();
    void searchAndFilters();
    void exportsAsDocumented();
    void openingJudgesTheFile_data();
    void openingJudgesTheFile();
    void killedWhileKeepingLosesNothing();
    void rebuildCutShortIsPutInPlace();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<JournalStore> m_store;
    // The Bat, upright, in Ann's Pathway; The Bear, reversed, in Bo's Butterfly from a file.
    JournalEntry m_ann = entryOf(
        0, {41 / 43.0, 0.1}, QStringLiteral("Ann"), QStringLiteral("2026-12-06T09:15:02+01:00"));
    JournalEntry m_bo = entryOf(
        1, {4 / 43.0, 0.9},
        QStringLiteral("Bo"), QStringLiteral("2026-12-07T21:00:00-05:00"), JournalSource::Opened,
                                             QStringLiteral("/home/bo/a.mca"));
    JournalEntry m_cy = entryOf(2, {},
                                QStringLiteral("Cy"), QStringLiteral("2026-12-08T10:00:00+00:00"));
    // A year before Cy, to the day.
    JournalEntry m_eve = entryOf(3, {},
                                 QStringLiteral("Eve"), QStringLiteral("2025-12-08T08:00:00+00:00"));
};

void TestJournalStore::initTestCase()
{
    m_store = openStore(m_dir.filePath(QStringLiteral("journal.sqlite")));
    QCOMPARE(m_store->problem(), JournalStore::Problem::None);
    m_ann.notes = QStringLiteral("A long journey ahead, na\u0131\u0308ve \U0001D49Clpha");
    m_ann.outcome = QStringLiteral("It rained");
    m_ann.outcomeDate = QDate(2026, 12, 7);
    m_eve.notes = QStringLiteral("A bat flew by \U0001F987! \u2764\uFE0F + 1");
    for (JournalEntry *entry : {&m_ann, &m_bo, &m_cy, &m_eve}) {
        const std::optional<qint64> id = m_store->keep(*entry);
        QVERIFY(id);
        entry->id = *id;
    }
}

void TestJournalStore::keepsFindsAndForgets()
{
    QCOMPARE(m_store->entry(m_bo.id).value_or(JournalEntry{}), m_bo);
    QCOMPARE(m_store->all(), (QList<JournalEntry>{m_eve, m_ann, m_bo, m_cy}));
    // Those asked for alone, oldest first whatever the order asked in.
    QCOMPARE(m_store->entries({m_cy.id, m_eve.id, 999}), (QList<JournalEntry>{m_eve, m_cy}));
    QCOMPARE(m_store->entries({}), QList<JournalEntry>{});
    QCOMPARE(names(m_store->list({})), (QStringList{"Cy", "Bo", "Ann", "Eve"}));
    QCOMPARE(m_store->days(),
             (QList<QDate>{{2025, 12, 8}, {2026, 12, 6}, {2026, 12, 7}, {2026, 12, 8}}));

    // The same file showing the same reading is known, and so is the same
    // moment's reading; another reading from the file, or at another moment, is not.
    QCOMPARE(m_store->findSame(m_bo), std::optional<qint64>(m_bo.id));
    QCOMPARE(m_store->findSame(m_ann), std::optional<qint64>(m_ann.id));
    JournalEntry changed = m_bo;
    changed.cards[0].reversed = !changed.cards[0].reversed;
    QVERIFY(!m_store->findSame(changed));
    JournalEntry later = m_ann;
    later.time = later.time.addSecs(1);
    QVERIFY(!m_store->findSame(later));
    // A drawn reading saved as a file since is still the one drawn, in a copy from before or after.
    JournalEntry saved = m_ann;
    saved.file = QStringLiteral("/home/ann/ann.mca");
    QVERIFY(m_store->setFile(m_ann.id, saved.file));
    for (const JournalEntry &copy : {m_ann, saved})
        QCOMPARE(m_store->findSame(copy), std::optional<qint64>(m_ann.id));
    QVERIFY(m_store->setFile(m_ann.id, QString()));

    // Words and outcomes written later are found, and a reading removed takes its cards with it.
    QVERIFY(m_store->setWords(m_cy.id, QStringLiteral("Which way?"), QStringLiteral("the river")));
    QVERIFY(m_store->setOutcome(m_cy.id, QStringLiteral("Found the bridge"), {2026, 12, 9}));
    QCOMPARE(names(m_store->list({.text = QStringLiteral("river")})), QStringList{"Cy"});
    QCOMPARE(names(m_store->list({.text = QStringLiteral("bridge")})), QStringList{"Cy"});
    QCOMPARE(m_store->entry(m_cy.id)->outcomeDate, QDate(2026, 12, 9));
    QVERIFY(m_store->setOutcome(m_cy.id, {}, {2026, 12, 9}));
    QCOMPARE(m_store->entry(m_cy.id)->outcomeDate, QDate());
    QCOMPARE(names(m_store->list({.text = QStringLiteral("bridge")})), QStringList{});
    const JournalEntry extra = entryOf(0, {}, QStringLiteral("Dee"), m_cy.timeText());
    const qint64 id = m_store->keep(extra).value_or(0);
    QVERIFY(m_store->remove(id));
    QVERIFY(!m_store->entry(id));
    QCOMPARE(m_store->all().size(), 4);
    QVERIFY(m_store->setSetting(QStringLiteral("k"), QStringLiteral("v")));
    QCOMPARE(m_store->setting(QStringLiteral("k")), QStringLiteral("v"));

    // Its own changes are no news; another program's are, once.
    QVERIFY(!m_store->changedElsewhere());
    QVERIFY(openStore(m_dir.filePath(QStringLiteral("journal.sqlite")))
                ->setSetting(QStringLiteral("k"), QStringLiteral("w")));
    QVERIFY(m_store->changedElsewhere());
    QVERIFY(!m_store->changedElsewhere());
}

void TestJournalStore::searchAndFilters_data()
{
    QTest::addColumn<JournalFilter>("filter");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("a name") << JournalFilter{.text = "ann"} << QStringList{"Ann"};
    QTest::newRow("the start of a word of the notes")
        << JournalFilter{.text = "journ"} << QStringList{"Ann"};
    QTest::newRow("its outcome, kept with it") << JournalFilter{.text = "rained"} << QStringList{"Ann"};
    QTest::newRow("a card's name") << JournalFilter{.text = "bear"} << QStringList{"Bo"};
    QTest::newRow("a card drawn before a card written of")
        << JournalFilter{.text = "bat"} << QStringList{"Ann", "Eve"};
    QTest::newRow("found alike, newest first")
        << JournalFilter{.text = "spread"} << QStringList{"Cy", "Bo", "Ann", "Eve"};
    QTest::newRow("a card's keyword")
        << JournalFilter{.text = CardDeck::card(41)->keyword} << QStringList{"Ann"};
    QTest::newRow("a spread") << JournalFilter{.text = "butterfly"} << QStringList{"Bo"};
    QTest::newRow("every word must match") << JournalFilter{.text = "ann bear"} << QStringList{};
    QTest::newRow("a letter beyond the first plane")
        << JournalFilter{.text = "\U0001D49Clpha"} << QStringList{"Ann"};
    QTest::newRow("a letter with a mark of its own")
        << JournalFilter{.text = "na\u0131\u0308ve"} << QStringList{"Ann"};
    QTest::newRow("quotes and operators are only typed")
        << JournalFilter{.text = "\"ann\" -*"} << QStringList{"Ann"};
    // Left out of the words, a symbol typed alone is found as it is written;
    // the mark that makes it a picture is no word either.
    QTest::newRow("an emoji alone") << JournalFilter{.text = " \U0001F987 "} << QStringList{"Eve"};
    QTest::newRow("an emoji with its mark")
        << JournalFilter{.text = "\u2764\uFE0F"} << QStringList{"Eve"};
    QTest::newRow("punctuation alone finds every reading")
        << JournalFilter{.text = "! +"} << QStringList{"Cy", "Bo", "Ann", "Eve"};
    QTest::newRow("by spread") << JournalFilter{.spread = 2} << QStringList{"Cy"};
    QTest::newRow("by card") << JournalFilter{.cards = {4}} << QStringList{"Bo"};
    QTest::newRow("by cards held together")
        << JournalFilter{.cards = {5, 41}} << QStringList{"Ann"};
    QTest::newRow("by cards, one of them not held")
        << JournalFilter{.cards = {4, 41}} << QStringList{};
    QTest::newRow("by a card whose number ends another's")
        << JournalFilter{.cards = {1}} << QStringList{};
    QTest::newRow("by day, as it was where it was kept")
        << JournalFilter{.from = {2026, 12, 7}, .to = {2026, 12, 7}} << QStringList{"Bo"};
    QTest::newRow("from a day on") << JournalFilter{.from = {2026, 12, 7}}
                                   << QStringList{"Cy", "Bo"};
    QTest::newRow("waiting for an outcome for more than a week")
        << JournalFilter{.overdueOn = {2026, 12, 15}} << QStringList{"Bo", "Eve"};
    QTest::newRow("waiting for an outcome for a week only")
        << JournalFilter{.overdueOn = {2026, 12, 14}} << QStringList{"Eve"};
    QTest::newRow("on this day in earlier years")
        << JournalFilter{.onThisDay = {2026, 12, 8}} << QStringList{"Eve"};
}

void TestJournalStore::searchAndFilters()
{
    QFETCH(JournalFilter, filter);
    QFETCH(QStringList, found);
    const QList<JournalSummary> listed = m_store->list(filter);
    QCOMPARE(names(listed), found);
    if (filter.overdueOn.isValid()) { // the readings the list marks as waiting
        QStringList marked;
        for (const JournalSummary &reading : m_store->list({})) {
            if (reading.awaitsOutcome(filter.overdueOn))
                marked << reading.name;
        }
        QCOMPARE(marked, found);
    }
    // The calendar's days are those of the readings kept, each once, in order.
    QSet<QDate> days;
    for (const JournalSummary &reading : listed)
        days.insert(reading.time.date());
    QList<QDate> ordered(days.cbegin(), days.cend());
    std::sort(ordered.begin(), ordered.end());
    QCOMPARE(m_store->days(filter), ordered);
    QCOMPARE(m_store->problem(), JournalStore::Problem::None);
}

void TestJournalStore::exportsAsDocumented()
{
    JournalEntry one = entryOf(1, {41 / 43.0, 0.9, 3 / 43.0, 0.1, 0, 0.1, 43 / 43.0, 0.1},
                               QStringLiteral("Ann \"A\""),
                                              QStringLiteral("2026-12-08T09:15:02+01:00"));
    one.notes = QStringLiteral("line one\nline two, with a comma");
    QCOMPARE(
        QString::fromUtf8(journalJson({one})),
        QStringLiteral(
                 "{\"format\": \"orvella-medicine-cards-journal\", \"version\": 1, \"readings\": [\n"
                 "  {\"time\": \"2026-12-08T09:15:02+01:00\", \"name\": \"Ann \\\"A\\\"\","
                 " \"spread\": \"Butterfly Spread\", \"source\": \"drawn\", \"file\": \"\","
                 " \"question\": \"\", \"notes\": \"line one\\nline two, with a comma\","
                 " \"cards\": [{\"position\": 1, \"title\": \"%1\", \"card\": \"The Bat\","
                 " \"reversed\": true}, {\"position\": 2, \"title\": \"%2\", \"card\": \"The Deer\","
                 " \"reversed\": false}, {\"position\": 3, \"title\": \"%3\", \"card\": \"The Eagle\","
                 " \"reversed\": false}, {\"position\": 4, \"title\": \"%4\","
                 " \"card\": \"The Hummingbird\", \"reversed\": false}],"
                 " \"outcome\": \"\", \"outcomeDate\": \"\"}\n]}\n")
                .arg(one.cards[0].title, one.cards[1].title, one.cards[2].title,
                     one.cards[3].title));
    one.outcome = QStringLiteral("=HYPERLINK(\"https://example.org/?\"&A1)"); // never run
    // A time whose offset has seconds in it (a local mean time of old) is
    // written to the minute: the same moment, read back.
    const QDateTime lmt(QDate(1930, 6, 1), QTime(12, 0), Qt::OffsetFromUTC, 4772);
    Test::ScriptedRandom random;
    QCOMPARE(QDateTime::fromString(cardOfTheDay(random, lmt).timeText(), Qt::ISODate), lmt);
    const QList<QByteArray> rows = journalCsv({one}).split('\n');
    QCOMPARE(rows[0], QByteArray("time,name,spread,source,file,question,notes,outcome,outcomeDate,"
                                 "cards\r"));
    QVERIFY(
        rows[1].startsWith("2026-12-08T09:15:02+01:00,\"Ann \"\"A\"\"\",Butterfly Spread,drawn,,,"
                           "\"line one"));
    QVERIFY(rows[2].contains("1. " + one.cards[0].title.toUtf8() + ": The Bat (reversed); 2. "));
    QVERIFY(rows[2].startsWith("line two, with a comma\",\"'=HYPERLINK(\"\"https:"));
}

void TestJournalStore::openingJudgesTheFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("problem");
    QTest::addColumn<bool>("readOnly");
    using P = JournalStore::Problem;
    QTest::newRow("none yet") << "none" << int(P::None) << false;
    QTest::newRow("an empty database, version 0") << "version 0" << int(P::None) << false;
    QTest::newRow("written by a newer version") << "version 99" << int(P::None) << true;
    QTest::newRow("this version, but none of its tables") << "version 2" << int(P::Damaged)
                                                          << false;
    QTest::newRow("a version below the first") << "version -1000" << int(P::Damaged) << false;
    QTest::newRow("the first version, with readings") << "first" << int(P::None) << false;
    QTest::newRow("not a database") << "not a database" << int(P::Damaged) << false;
    QTest::newRow("cut short") << "cut short" << int(P::Damaged) << false;
    QTest::newRow("pages overwritten") << "overwritten" << int(P::Damaged) << false;
    // As a program killed while it wrote leaves its log, or a failing disk does.
    QTest::newRow("its log cut short as it was written") << "log cut" << int(P::None) << false;
    QTest::newRow("its log damaged before its end") << "log damaged" << int(P::Damaged) << false;
    QTest::newRow("its log holding a change given up") << "log given up" << int(P::None) << false;
#ifdef Q_OS_UNIX
    QTest::newRow("a named pipe, never waited on") << "pipe" << int(P::Damaged) << false;
    QTest::newRow("a named pipe as its rollback journal") << "-journal pipe" << int(P::Damaged)
                                                          << false;
    QTest::newRow("one its owner may only read") << "write-protected" << int(P::NotWritable)
                                                 << false;
    if (::geteuid() == 0) { // only root can give a file away
        QTest::newRow("another account's") << "another's" << int(P::NotYours) << false;
        QTest::newRow("another account's log beside it") << "-wal another's" << int(P::NotYours)
                                                         << false;
    }
#endif
}

void TestJournalStore::openingJudgesTheFile()
{
    QFETCH(QString, file);
    QFETCH(int, problem);
    QFETCH(bool, readOnly);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("journal.sqlite"));
    if (file.startsWith(QLatin1String("version"))) {
        setVersion(path, file.mid(8).toInt());
#ifdef Q_OS_UNIX
    } else if (file.endsWith(QLatin1String("pipe"))) {
        const QString beside = file.section(u' ', 0, -2);
        if (!beside.isEmpty())
            openStore(path).reset();
        QCOMPARE(::mkfifo(QFile::encodeName(path + beside).constData(), 0600), 0);
    } else if (file.startsWith(QLatin1String("log"))) {
        // The files as they are while it is open, readings in its log only.
        const auto store = openStore(path);
        for (int i = 0; i < 20; ++i)
            QVERIFY(store->keep(m_ann));
        if (file.endsWith(QLatin1String("given up"))) {
            // Too large for the page cache, its pages went to the log before it was rolled back.
            sqlite3 *db = nullptr;
            sqlite3_open(QFile::encodeName(path).constData(), &db);
            QCOMPARE(sqlite3_exec(db,
                                  "PRAGMA cache_size = 2; BEGIN; CREATE TABLE spilt(x);"
                                  "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                                  "FROM n WHERE i < 100) INSERT INTO spilt SELECT zeroblob(4000) "
                                  "FROM n; UPDATE spilt SET x = zeroblob(3000); ROLLBACK",
                                  nullptr, nullptr, nullptr),
                     SQLITE_OK);
            sqlite3_close(db);
            QVERIFY(store->keep(m_ann));
        }
        QByteArray log = Test::readFile(path + QStringLiteral("-wal"));
        QVERIFY(log.size() > 100'000);
        if (file.endsWith(QLatin1String("cut")))
            log.chop(1000);
        else if (file.endsWith(QLatin1String("damaged")))
            log[log.size() / 2] = char(log[log.size() / 2] ^ 0x5a);
        const QByteArray journal = Test::readFile(path);
        const QString copy = dir.filePath(QStringLiteral("copy.sqlite"));
        QVERIFY(Test::writeFile(copy, journal)
                && Test::writeFile(copy + QStringLiteral("-wal"), log));
        QCOMPARE(int(openStore(copy)->problem()), problem);
        return;
    } else if (file == QLatin1String("write-protected")) {
        using P = JournalStore::Problem;
        // SQLite opens such a file for reading when asked to write it, and
        // says nothing. Root may write any file: its owner is then another account.
        openStore(path).reset();
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0400), 0);
        const bool root = ::geteuid() == 0;
        for (const QString &owned : {dir.path(), path}) {
            QVERIFY(!root || ::chown(QFile::encodeName(owned).constData(), 65534, 65534) == 0);
        }
        // Then read, and made writable again by its owner: written, whatever
        // the reading left beside it.
        const auto openedTwice = [&] {
            const auto problemWriting = [&] {
                return int(
                    SqliteJournalStore::open(path, JournalStore::Access::ReadWrite)->problem());
            };
            const int first = problemWriting();
            SqliteJournalStore::open(path, JournalStore::Access::ReadOnly)->all();
            ::chmod(QFile::encodeName(path).constData(), 0600);
            return first * 16 + problemWriting();
        };
        const int expected = problem * 16 + int(P::None);
        const pid_t opener = root ? ::fork() : 0;
        if (opener == 0) {
            const int found = !root || ::setuid(65534) == 0 ? openedTwice() : -1;
            if (root)
                ::_exit(found);
            QCOMPARE(found, expected);
            return;
        }
        int status = 0;
        QCOMPARE(::waitpid(opener, &status, 0), opener);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), expected);
        return;
    } else if (file.endsWith(QLatin1String("another's"))) {
        const QString beside = file.section(u' ', 0, -2);
        openStore(path).reset();
        QVERIFY(Test::writeFile(path + beside, "theirs"));
        QCOMPARE(::chown(QFile::encodeName(path + beside).constData(), 65534, 65534), 0);
#endif
    } else if (file != QLatin1String("none")) {
        // A journal of some size, then spoilt: not a database, cut short, or scribbled over.
        {
            const auto store = openStore(path);
            for (int i = 0; i < 200; ++i)
                QVERIFY(store->keep(m_ann));
        }
        if (file == QLatin1String("first")) {
            sqlite3 *db = nullptr;
            sqlite3_open(QFile::encodeName(path).constData(), &db);
            QCOMPARE(sqlite3_exec(db, "ALTER TABLE reading DROP COLUMN outcome;"
                                      "ALTER TABLE reading DROP COLUMN outcome_date;"
                                      "PRAGMA user_version = 1", nullptr, nullptr, nullptr),
                     SQLITE_OK);
            sqlite3_close(db);
        }
        QByteArray bytes = Test::readFile(path);
        if (file == QLatin1String("first"))
            ; // kept as it is
        else if (file == QLatin1String("not a database"))
            bytes = QByteArray(bytes.size(), 'x');
        else if (file == QLatin1String("cut short"))
            bytes.truncate(bytes.size() / 3);
        else
            bytes.replace(bytes.size() / 2, 8192, QByteArray(8192, '\x5a'));
        QVERIFY(Test::writeFile(path, bytes));
    }
    const QByteArray before = QFileInfo(path).isFile()
                                  ? Test::readFile(path) + Test::readFile(path + QStringLiteral("-wal"))
                                  : QByteArray();
    const bool made = !QFileInfo::exists(path);
    if (file == QLatin1String("first")) { // an older journal is read, never altered, when only read
        const auto reader = SqliteJournalStore::open(path, JournalStore::Access::ReadOnly);
        QCOMPARE(reader->list({.text = QStringLiteral("ann")}).size(), 200);
        QCOMPARE(reader->problem(), JournalStore::Problem::None);
        QCOMPARE(Test::readFile(path) + Test::readFile(path + QStringLiteral("-wal")), before);
    }

    auto store = openStore(path);
    QCOMPARE(int(store->problem()), problem);
    QCOMPARE(store->isReadOnly(), readOnly);
    QCOMPARE(store->whyReadOnly() == JournalStore::Problem::Newer, readOnly);
    if (problem != int(JournalStore::Problem::None))
        return;
    // A usable journal keeps readings, unless a newer program wrote it: that one is never altered.
    const qsizetype had = store->all().size();
    QCOMPARE(store->keep(m_ann).has_value(), !readOnly);
    if (file == QLatin1String("first")) { // upgraded, every reading still there
        QCOMPARE(had, 200);
        QVERIFY(store->setOutcome(1, QStringLiteral("fine"), {2026, 12, 9}));
    }
    store.reset();
    if (readOnly)
        QCOMPARE(Test::readFile(path) + Test::readFile(path + QStringLiteral("-wal")), before);
#ifdef Q_OS_UNIX
    if (made) // it holds the user's notes: owner only
        QCOMPARE(QFileInfo(path).permissions() & 0x0077, QFileDevice::Permissions());
#endif
}

void TestJournalStore::killedWhileKeepingLosesNothing()
{
    // A real second process keeping readings as fast as it can, killed mid-stride.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("journal.sqlite"));
    QProcess keeper;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(KeepForeverVariable), path);
    keeper.setProcessEnvironment(environment);
    keeper.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(keeper.waitForReadyRead(10000));
    QTest::qWait(300);
    keeper.kill();
    QVERIFY(keeper.waitForFinished(10000));
    QList<qint64> kept;
    for (const QByteArray &line : keeper.readAllStandardOutput().split('\n')) {
        if (!line.isEmpty())
            kept << line.toLongLong();
    }
    QVERIFY2(kept.size() > 10, qPrintable(QString::number(kept.size())));

    // Every reading it said it kept is there, and the journal is whole.
    const auto store = openStore(path);
    QCOMPARE(store->problem(), JournalStore::Problem::None);
    QList<qint64> found;
    for (const JournalEntry &entry : store->all())
        found << entry.id;
    for (qint64 id : std::as_const(kept))
        QVERIFY2(found.contains(id), qPrintable(QString::number(id)));
}

void TestJournalStore::rebuildCutShortIsPutInPlace()
{
    // Killed after the damaged journal was set aside, before the one rebuilt took its place.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("journal.sqlite"));
    QVERIFY(openStore(rebuiltJournalName(path))->keep(m_ann));
    const auto store = openJournal(path, &SqliteJournalStore::open);
    QCOMPARE(names(store->list({})), QStringList{QStringLiteral("Ann")});
    QVERIFY(!QFileInfo::exists(rebuiltJournalName(path)));
}

int main(int argc, char *argv[])
{
    if (const QByteArray path = qgetenv(KeepForeverVariable); !path.isEmpty()) {
        QCoreApplication app(argc, argv);
        const auto store = openStore(QString::fromLocal8Bit(path));
        const JournalEntry entry = entryOf(
            0, {}, QStringLiteral("Kept"), QStringLiteral("2026-12-08T10:00:00+00:00"));
        for (;;) {
            if (const std::optional<qint64> id = store->keep(entry)) {
                std::printf("%lld\n", static_cast<long long>(*id));
                std::fflush(stdout);
            }
        }
    }
    QCoreApplication app(argc, argv);
    TestJournalStore test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_journalstore.moc"
