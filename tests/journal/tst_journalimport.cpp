#include "journal/journalexport.h"
#include "journal/journalimport.h"
#include "journaldb/sqlitejournalstore.h"
#include "reading/draw.h"
#include "storage/readingfile.h"
#include "support/files.h"
#include "support/scriptedrandom.h"

#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <chrono>
#include <thread>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace Orvella;

namespace {

std::unique_ptr<JournalStore> openStore(const QString &path)
{
    return SqliteJournalStore::open(path, JournalStore::Access::ReadWrite);
}

Reading drawn(int spread, QList<double> values = {})
{
    Test::ScriptedRandom random(std::move(values));
    Reading reading;
    Draw(reading, qint16(spread), random);
    return reading;
}

// A journal export of one reading, its cards given by name.
QByteArray exportOf(const QString &spread, const QStringList &cards, const QString &extra = {})
{
    QByteArray json = "{\"format\": \"orvella-medicine-cards-journal\", \"version\": 1, "
                      "\"readings\": [{\"time\": \"2026-12-08T09:15:02+01:00\", \"spread\": \""
                      + spread.toUtf8() + "\", \"source\": \"drawn\"" + extra.toUtf8()
                      + ", \"cards\": [";
    for (qsizetype i = 0; i < cards.size(); ++i) {
        json += (i ? ", " : "") + QByteArray("{\"position\": ") + QByteArray::number(i + 1)
                + ", \"title\": \"t\", \"card\": \"" + cards[i].toUtf8()
                + "\", \"reversed\": false}";
    }
    return json + "]}]}";
}

} // namespace

class TestJournalImport : public QObject
{
    Q_OBJECT

private slots:
    void exportsAndBackupsComeBackWhole();
    void refusals_data();
    void refusals();
    void aDamagedJournalGivesWhatCanStillBeRead_data();
    void aDamagedJournalGivesWhatCanStillBeRead();
    void timesAnExportCannotWriteAreRefused();
    void failedOrCancelledKeepsNone();

private:
    QTemporaryDir m_dir;
};

void TestJournalImport::exportsAndBackupsComeBackWhole()
{
    const auto kept = openStore(m_dir.filePath("kept.sqlite"));
    JournalEntry ann = journalEntry(drawn(0),
                                    QDateTime::fromString("2026-11-02T09:15:02+01:00", Qt::ISODate),
                                    JournalSource::Drawn, QStringLiteral("Ann"));
    ann.notes = QStringLiteral("Ünïcode\nand \"quotes\"");
    ann.outcome = QStringLiteral("Better than feared");
    ann.outcomeDate = QDate(2026, 11, 20);
    Test::ScriptedRandom random({0.5, 0.9});
    const JournalEntry day = cardOfTheDay(
        random, QDateTime::fromString("2026-12-08T07:00:00+00:00", Qt::ISODate));
    const JournalEntry opened = journalEntry(
        drawn(2), QDateTime::fromString("2026-12-01T20:00:00-05:00", Qt::ISODate),
        JournalSource::Opened, {}, QStringLiteral("/a.mca"));
    for (const JournalEntry &entry : {ann, day, opened})
        QVERIFY(kept->keep(entry));
    const QByteArray exported = journalJson(kept->all());
    QVERIFY(Test::writeFile(m_dir.filePath("export.json"), exported));
    QVERIFY(Test::writeFile(m_dir.filePath("bom.json"), "\xEF\xBB\xBF" + exported)); // as some editors save
    const std::optional<QByteArray> backup = kept->backup();
    QVERIFY(backup && Test::writeFile(m_dir.filePath("backup.sqlite"), *backup));

    // A saved reading comes in at its file's time, as imported.
    const QString saved = m_dir.filePath("saved.mca");
    QVERIFY(Test::writeFile(saved, ReadingFile::encode(drawn(1))));
    const QDateTime savedAt = QDateTime::fromString("2026-10-05T12:00:00Z", Qt::ISODate);
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadWrite)
            && file.setFileTime(savedAt, QFileDevice::FileModificationTime));
    file.close();

    // The journal in use too, its latest readings still in its log.
    QVERIFY(QFileInfo(m_dir.filePath("kept.sqlite-wal")).size() > 0);
    QStringList froms{"export.json", "bom.json", "backup.sqlite", "kept.sqlite"};
#ifdef Q_OS_UNIX
    // A backup whose log is a link, which may lead anywhere: not followed.
    QVERIFY(QFile::copy(m_dir.filePath("backup.sqlite"), m_dir.filePath("linked.sqlite"))
            && QFile::link(m_dir.path(), m_dir.filePath("linked.sqlite-wal")));
    froms << "linked.sqlite";
#endif
    for (const QString &from : froms) {
        const auto store = openStore(m_dir.filePath(QStringLiteral("into-%1.sqlite").arg(from)));
        ImportResult result = importReadings(*store, {m_dir.filePath(from), saved});
        QCOMPARE(result.kept, 4);
        QVERIFY(result.refused.isEmpty());
        QList<JournalEntry> entries = store->all();
        const JournalEntry imported = entries.takeFirst();
        QCOMPARE(imported.source, JournalSource::Imported);
        QCOMPARE(imported.time, savedAt);
        QCOMPARE(imported.file, QFileInfo(saved).absoluteFilePath());
        QCOMPARE(journalJson(entries), exported);
        // Imported again: every reading is known and none is kept twice; one
        // whose words were since changed keeps its own and takes only the missing.
        const qint64 annId = store->findSame(ann).value_or(0);
        QVERIFY(store->setWords(annId, {}, QStringLiteral("Mine")) && store->setOutcome(annId, {}, {}));
        result = importReadings(*store, {m_dir.filePath(from), saved, saved});
        QCOMPARE(result.kept, 0);
        QCOMPARE(result.alreadyKept, 5);
        QCOMPARE(importSummary(result),
                 QStringLiteral("0 readings kept, 5 already in the journal, 1 of them given "
                                "notes from the import, 1 with words of their own that differ "
                                "from the import's, kept as they are."));
        const JournalEntry annNow = store->entry(annId).value_or(JournalEntry{});
        QCOMPARE(annNow.notes, QStringLiteral("Mine"));
        QCOMPARE(annNow.outcomeDate, ann.outcomeDate);
        QCOMPARE(store->list({QStringLiteral("feared")}).value(0).id, annId);
    }
}

void TestJournalImport::refusals_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a damaged reading file") << QByteArray("12\r\nnonsense\r\n") << "it is damaged";
    QTest::newRow("a spreadsheet export")
        << journalCsv({}) << "a spreadsheet (CSV) file cannot be read back";
    QTest::newRow("an unknown card") << exportOf("Card of the Day", {"The Unicorn"})
                                     << "reading 1: an unknown card, \"The Unicorn\"";
    QTest::newRow("notes too long to show")
        << exportOf("Card of the Day", {"The Otter"},
                    QStringLiteral(", \"notes\": \"%1\"").arg(QString(100'001, u'x')))
        << "reading 1: its notes are too long (100000 characters at most)";
    QTest::newRow("a position's title too long to show")
        << exportOf("Card of the Day", {"The Otter"})
               .replace("\"title\": \"t\"", "\"title\": \"" + QByteArray(1001, 'x') + '"')
        << "reading 1: the title of its position 1 is too long (1000 characters at most)";
    QTest::newRow("a day there never was")
        << exportOf("Card of the Day", {"The Otter"})
               .replace("2026-12-08T09:15:02+01:00", "2024-02-30T10:00:00+00:00")
        << "reading 1: its time, \"2024-02-30T10:00:00+00:00\", is not a real date and time";
    QTest::newRow("the wrong number of cards")
        << exportOf("Pathway Spread", {"The Otter"})
        << "reading 1: 1 card for the Pathway Spread, which has 7";
    QTest::newRow("a card twice") << exportOf("Butterfly Spread",
                                              {"The Otter", "The Bat", "The Otter", "The Deer"})
                                  << "reading 1: The Otter twice";
    QTest::newRow("a wrong type") << exportOf("Card of the Day", {"The Otter"}, ", \"notes\": 5")
                                  << "reading 1: it is not written";
    QTest::newRow("a version that is no whole number")
        << QByteArray("{\"format\": \"orvella-medicine-cards-journal\", \"version\": \"99\", "
                      "\"readings\": []}")
        << "it is damaged, or not a journal export";
    QTest::newRow("nested thousands deep")
        << QByteArray("{\"format\": \"orvella-medicine-cards-journal\", \"readings\": ")
               + QByteArray(5000, '[') + QByteArray(5000, ']') + "}"
        << "it is damaged, or not a journal export";
    QTest::newRow("a damaged backup")
        << QByteArray("SQLite format 3\0", 16) + QByteArray(4096, 'x') << "it is a damaged journal";
    // A backup made by this program, then changed as these statements say.
    QTest::newRow("a backup whose readings never end")
        << QByteArray("sql:ALTER TABLE reading RENAME TO kept; CREATE VIEW reading AS WITH "
                      "RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) SELECT kept.* "
                      "FROM n, kept WHERE n.x < 0")
        << "it is a damaged journal";
    QTest::newRow("a backup of a newer version") << QByteArray("sql:PRAGMA user_version = 99")
                                                 << "it was written by a newer version";
    // Its name said back as a few words on a line, not as the pages it may be.
    QTest::newRow("a backup's reading of no spread known")
        << QByteArray("sql:UPDATE reading SET spread = 99, spread_name = 'Nope' || char(10) || "
                      "'on' || hex(zeroblob(500))")
        << QStringLiteral("reading 1: an unknown spread, \"Nope on%1\u2026\"")
               .arg(QString(33, u'0'));
    QTest::newRow("a backup's card renamed by hand")
        << QByteArray("sql:UPDATE position SET card_name = 'The Unicorn'")
        << "reading 1: an unknown card, \"The Unicorn\"";
    QTest::newRow("a backup whose log cannot be read")
        << QByteArray("sql:SELECT 1") << "it could not be copied to be read";
    QTest::newRow("a database without a journal in it")
        << QByteArray("new:CREATE TABLE t (a); DROP TABLE t") << "it is a damaged journal";
    QTest::newRow("a backup that checks without end")
        << QByteArray("sql:CREATE TABLE slow (x CHECK (length(hex(randomblob(100000000))) > 0)); "
                      "PRAGMA ignore_check_constraints = ON; INSERT INTO slow WITH RECURSIVE "
                      "n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 1000) SELECT x "
                      "FROM n")
        << "it is a damaged journal";
    const QString tooLarge = "it is too large to import (128 MB at most, or 256 MB for a journal "
                             "backup)";
    QTest::newRow("150 MB") << QByteArray() << tooLarge;
    QTest::newRow("300 MB") << QByteArray() << tooLarge;
    QTest::newRow("a folder") << QByteArray() << "it is not an ordinary file";
#ifdef Q_OS_UNIX
    QTest::newRow("a pipe") << QByteArray() << "it is not an ordinary file";
#endif
}

void TestJournalImport::refusals()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    // Its name as a user may give it, "%2" and all.
    const QString row = QString::fromLatin1(QTest::currentDataTag());
    const QString path = dir.filePath(row.contains(u"spreadsheet") ? QStringLiteral("import%2.CSV")
                                                                   : QStringLiteral("import%2"));
    if (row.endsWith(QLatin1String(" MB"))) {
        QFile big(path); // sparse: no time or disk spent on it
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(row.chopped(3).toLongLong() << 20));
    } else if (row == QLatin1String("a folder")) {
        QVERIFY(QDir(dir.path()).mkdir(QFileInfo(path).fileName()));
#ifdef Q_OS_UNIX
    } else if (row == QLatin1String("a pipe")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif
    } else if (content.startsWith("sql:") || content.startsWith("new:")) {
        if (content.startsWith("sql:"))
            QVERIFY(openStore(path)->keep(journalEntry(drawn(1), QDateTime::currentDateTime(),
                                                       JournalSource::Drawn)));
        sqlite3 *db = nullptr;
        sqlite3_open(QFile::encodeName(path).constData(), &db);
        QCOMPARE(sqlite3_exec(db, content.mid(4).constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        if (row == QLatin1String("a backup whose log cannot be read")) { // a folder in its place
            QFile::remove(path + QStringLiteral("-wal"));
            QVERIFY(QDir(dir.path()).mkdir(QFileInfo(path).fileName() + QStringLiteral("-wal")));
        }
    } else {
        QVERIFY(Test::writeFile(path, content));
    }
    const auto store = openStore(dir.filePath(QStringLiteral("journal.sqlite")));
    const ImportResult result = importReadings(*store, {path});
    QCOMPARE(result.kept, 0);
    QCOMPARE(result.refused.size(), 1);
    const QString summary = importSummary(result);
    QVERIFY2(summary.startsWith(
        QStringLiteral("0 readings kept, 0 already in the journal, 1 refused:\n"))
        && summary.contains(path + (result.refused[0].reading ? ", " : ": ") + reason),
        qPrintable(summary));
    QVERIFY(store->all().isEmpty());
}

void TestJournalImport::aDamagedJournalGivesWhatCanStillBeRead_data()
{
    QTest::addColumn<QString>("spoilt");
    QTest::addColumn<bool>("whole");
    QTest::newRow("an index") << "reading_by_time" << true;
    QTest::newRow("its readings") << "reading" << false;
    QTest::newRow("cut short") << "reading_by_time" << false;
}

void TestJournalImport::aDamagedJournalGivesWhatCanStillBeRead()
{
    QFETCH(QString, spoilt);
    QFETCH(bool, whole);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("damaged.sqlite"));
    QList<JournalEntry> many;
    for (int i = 0; i < 200; ++i) {
        many << journalEntry(drawn(i % 5), QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs(i),
                             JournalSource::Drawn, QString::number(i));
        many.last().notes = QString(2000, u'n');
    }
    QVERIFY(openStore(path)->keepAll(many));
    // A page of it zeroed, as a failing disk leaves one.
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_stmt *leaf = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT pageno, (SELECT page_size FROM pragma_page_size) FROM dbstat "
                       "WHERE name = ?1 AND pagetype = 'leaf' ORDER BY pageno LIMIT 1",
                       -1, &leaf, nullptr);
    sqlite3_bind_text(leaf, 1, spoilt.toUtf8().constData(), -1, SQLITE_TRANSIENT);
    QCOMPARE(sqlite3_step(leaf), SQLITE_ROW);
    const qint64 page = sqlite3_column_int64(leaf, 0);
    const int size = sqlite3_column_int(leaf, 1);
    sqlite3_finalize(leaf);
    sqlite3_close(db);
    QByteArray bytes = Test::readFile(path);
    bytes.replace((page - 1) * size, size, QByteArray(size, '\0'));
    if (QTest::currentDataTag() == QLatin1String("cut short")) // as a copy stopped halfway leaves it
        bytes.truncate(bytes.size() / 2);
    QVERIFY(Test::writeFile(path, bytes));

    // Every reading still read is taken whole; the file is said to be damaged.
    const auto store = openStore(dir.filePath(QStringLiteral("journal.sqlite")));
    const ImportResult result = importReadings(*store, {path});
    QCOMPARE(result.refused.value(0).reason,
             QStringLiteral("it is a damaged journal; the readings that could still be read "
                            "from it are taken"));
    const QList<JournalEntry> taken = store->all();
    QVERIFY(whole ? taken.size() == many.size() : !taken.isEmpty() && taken.size() < many.size());
    for (const JournalEntry &entry : taken) {
        JournalEntry kept = many.value(entry.name.toInt());
        kept.id = entry.id;
        QCOMPARE(journalJson({entry}), journalJson({kept}));
    }
}

void TestJournalImport::timesAnExportCannotWriteAreRefused()
{
    // A saved reading's file date, as an archive may give it: the statistics
    // would count every month up to it, and an export could never bring it back.
    for (const int year : {-1, 99, 100, 9999, 10000}) {
        const JournalEntry entry = journalEntry(
            drawn(1), QDateTime(QDate(year, 6, 1), QTime(12, 0), Qt::UTC), JournalSource::Imported);
        QCOMPARE(entryProblem(entry),
                 year >= 100 && year <= 9999
                     ? QString()
                     : QStringLiteral("its time, in the year %1, cannot be right").arg(year));
    }
}

void TestJournalImport::failedOrCancelledKeepsNone()
{
    QTemporaryDir dir;
    QList<JournalEntry> many;
    for (int i = 0; i < 500; ++i) {
        many << journalEntry(drawn(i % 5),
                             QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs(i * 60),
                             JournalSource::Drawn);
    }
    const QString exported = dir.filePath(QStringLiteral("many.json"));
    QVERIFY(Test::writeFile(exported, journalJson(many)));
    const QString path = dir.filePath(QStringLiteral("journal.sqlite"));
    const auto store = openStore(path);

    // Cancelled midway: nothing kept.
    int heard = 0;
    ImportResult result = importReadings(
        *store, {exported}, [&](int, int) { ++heard; }, [&] { return heard > 2; });
    QVERIFY(result.cancelled && result.failed);
    QVERIFY(store->all().isEmpty());
    QCOMPARE(importSummary(result),
             QStringLiteral("The import was cancelled: no reading was kept."));

    // Another program holds the journal: nothing kept, and it says why.
    sqlite3 *other = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &other), SQLITE_OK);
    QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    result = importReadings(*store, {exported});
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    QVERIFY(result.failed && !result.cancelled);
    QCOMPARE(result.problem, JournalStore::Problem::Busy);
    QVERIFY(store->all().isEmpty());

    // With patience, it waits for the other to let go.
    QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread letGo([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    });
    store->setPatience(20'000);
    result = importReadings(*store, {exported});
    letGo.join();
    sqlite3_close(other);
    QCOMPARE(result.kept, 500);

    // A file of bad readings without end: its first refusals listed (fewer in
    // a window), the rest counted.
    const QString junk = dir.filePath(QStringLiteral("junk.json"));
    QVERIFY(Test::writeFile(junk, R"({"format": "orvella-medicine-cards-journal", "version": 1, )"
                                  R"("readings": [0)" + QByteArray(", 0").repeated(1004) + "]}"));
    result = importReadings(*store, {junk});
    QCOMPARE(result.refused.size(), MaxRefusalsListed);
    QVERIFY(importSummary(result).contains(QStringLiteral(", 1005 refused:\n")));
    QVERIFY(importSummary(result).endsWith(QStringLiteral("\n... and 5 more.")));
    QVERIFY(importSummary(result, 2).endsWith(QStringLiteral("\n... and 1003 more.")));
}

QTEST_GUILESS_MAIN(TestJournalImport)
#include "tst_journalimport.moc"
