#include "app/commandline.h"
#include "journaldb/sqlitejournalstore.h"
#include "product/product.h"
#include "support/files.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Orvella;
using Action = CommandLine::Action;

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void answeredBeforeAnyDisplay_data();
    void answeredBeforeAnyDisplay();
    void nameThatIsNoTextIsRefused();
    void journalIsNeverWrittenOver_data();
    void journalIsNeverWrittenOver();
    void journalOnAFullDiskIsStillExported();
};

void TestCommandLine::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("earlyAnswer");
    QTest::newRow("nothing") << QStringList{} << Action::Run << QString() << false;
    QTest::newRow("a reading") << QStringList{"a.mca"} << Action::Run << "a.mca" << false;
    QTest::newRow("a reading named like an option")
        << QStringList{"--", "-a.mca"} << Action::Run << "-a.mca" << false;
    QTest::newRow("--version") << QStringList{"--version"} << Action::ShowVersion << QString()
                               << true;
    QTest::newRow("-v") << QStringList{"-v"} << Action::ShowVersion << QString() << true;
    QTest::newRow("--help") << QStringList{"--help"} << Action::ShowHelp << QString() << true;
    QTest::newRow("--help-all") << QStringList{"--help-all"} << Action::ShowHelp << QString()
                                << true;
    QTest::newRow("help wins over a bad option")
        << QStringList{"--bogus", "-h"} << Action::ShowHelp << QString() << true;
    QTest::newRow("an unknown option")
        << QStringList{"--bogus"} << Action::Refuse << QString() << false;
    QTest::newRow("a second reading")
        << QStringList{"a.mca", "b.mca"} << Action::Refuse << QString() << false;
    QTest::newRow("--export-journal")
        << QStringList{"--export-journal", "j.csv"} << Action::ExportJournal << QString() << false;
    QTest::newRow("--export-journal to a name of neither kind")
        << QStringList{"--export-journal", "j.txt"} << Action::Refuse << QString() << false;
    QTest::newRow("--export-journal twice")
        << QStringList{"--export-journal", "a.json", "--export-journal", "b.json"} << Action::Refuse
        << QString() << false;
    QTest::newRow("--journal-statistics")
        << QStringList{"--journal-statistics", "-"} << Action::JournalStatistics << QString()
        << false;
    QTest::newRow("--import-journal")
        << QStringList{"--import-journal", "a.mca", "j.json"} << Action::ImportJournal
        << QString() << false;
    QTest::newRow("--import-journal without files")
        << QStringList{"--import-journal"} << Action::Refuse << QString() << false;
    QTest::newRow("two journal options")
        << QStringList{"--import-journal", "--export-journal", "-", "a.mca"} << Action::Refuse
        << QString() << false;
    QTest::newRow("--version after --")
        << QStringList{"--", "--version"} << Action::Run << "--version" << false;
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(Action, action);
    QFETCH(QString, file);
    QFETCH(bool, earlyAnswer);
    arguments.prepend(QStringLiteral("orvella-medicine-cards"));
    const CommandLine line = parseCommandLine(arguments);
    QCOMPARE(line.action, action);
    QCOMPARE(line.readingFile, file);
    QCOMPARE(asksForHelpOrVersion(arguments), earlyAnswer);
    if (action == Action::ShowVersion)
        QCOMPARE(line.text, Product::name() + QStringLiteral(" 1.0\n"));
    if (action == Action::Refuse)
        QVERIFY(line.text.startsWith(QStringLiteral("orvella-medicine-cards: ")));
}

void TestCommandLine::answeredBeforeAnyDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("error");
    QTest::newRow("--version") << QStringList{"--version"} << 0 << "Orvella Medicine Cards 1.0\n"
                               << "";
    QTest::newRow("--help") << QStringList{"--help"} << 0 << "Usage: "
                            << "";
    QTest::newRow("an unknown option") << QStringList{"--bogus"} << 2 << ""
                                       << "Unknown option 'bogus'";
    QTest::newRow("two readings") << QStringList{"a.mca", "b.mca"} << 2 << ""
                                  << "Only one reading can be opened at a time.";
    QTest::newRow("the journal, before any reading was kept")
        << QStringList{"--export-journal", "-"} << 0
        << "{\"format\": \"orvella-medicine-cards-journal\", \"version\": 1, \"readings\": []}\n"
        << "";
    QTest::newRow("the journal to a file, the user's alone")
        << QStringList{"--export-journal", "j.json"} << 0 << "" << "";
    QTest::newRow("the statistics, before any reading was kept")
        << QStringList{"--journal-statistics", "-"} << 0
        << "card,count,reversed,expected,mark\r\nThe Eagle,0,0,0.00,\r\n"
        << "";
    QTest::newRow("an import with a file refused")
        << QStringList{"--import-journal", "no-such.mca"} << 1
        << "0 readings kept, 0 already in the journal, 1 refused:\nno-such.mca: there is no such "
           "file\n"
        << "";
    QTest::newRow("the journal and a reading")
        << QStringList{"--export-journal", "-", "a.mca"} << 2 << ""
        << "The journal is exported without opening a reading.";
}

void TestCommandLine::answeredBeforeAnyDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, error);
    // The real program, with no display at all: it must answer and end, showing nothing.
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (exitCode != 0) // a refusal needs Qt's own options taken out first: offscreen will do
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    else
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    program.setProcessEnvironment(environment);
    QTemporaryDir work;
    program.setWorkingDirectory(work.path());
    program.start(QStringLiteral(PROGRAM), arguments);
    QVERIFY(program.waitForFinished(10000));
    if (exitCode == 0 && arguments.first() == QLatin1String("--export-journal")
        && arguments.last() != u'-') {
        const QFileInfo written(work.filePath(arguments.last()));
        QVERIFY(written.isFile());
        QCOMPARE(written.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
                 QFileDevice::Permissions());
    }
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    const QString printed = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString complained = QString::fromLocal8Bit(program.readAllStandardError());
    QVERIFY2(out.isEmpty() ? printed.isEmpty() : printed.startsWith(out), qPrintable(printed));
    if (!error.isEmpty())
        QVERIFY2(complained.contains(error), qPrintable(complained));
}

void TestCommandLine::nameThatIsNoTextIsRefused()
{
#ifdef Q_OS_UNIX
    // Bytes no encoding here reads as text: Qt would read another name, and write to it.
    QTemporaryDir dir;
    QProcess program;
    program.setWorkingDirectory(dir.path());
    program.start(QStringLiteral("/bin/sh"),
                  {QStringLiteral("-c"),
                   QStringLiteral("exec \"$0\" --export-journal \"$(printf 'out\\377.json')\""),
                   QStringLiteral(PROGRAM)});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 2);
    QVERIFY(program.readAllStandardError().contains("not text here"));
    QVERIFY(QDir(dir.path()).isEmpty());
#else
    QSKIP("Names as bytes are a Unix matter");
#endif
}

void TestCommandLine::journalIsNeverWrittenOver_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("leadsNowhere"); // the journal a link to nowhere
    QTest::newRow("the statistics onto the journal")
        << QStringList{"--journal-statistics", "JOURNAL"} << false;
    QTest::newRow("an export onto a link to it") << QStringList{"--export-journal", "link.json"}
                                                 << false;
    QTest::newRow("a journal that leads nowhere, over an earlier export")
        << QStringList{"--export-journal", "earlier.json"} << true;
}

void TestCommandLine::journalIsNeverWrittenOver()
{
#ifdef Q_OS_UNIX
    QFETCH(QStringList, arguments);
    QFETCH(bool, leadsNowhere);
    QTemporaryDir work;
    const QString folder = work.filePath(QStringLiteral("data/orvella-medicine-cards"));
    const QString journal = folder + QStringLiteral("/journal.sqlite");
    QVERIFY(QDir().mkpath(folder)
            && QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                 | QFileDevice::ExeOwner));
    if (leadsNowhere)
        QVERIFY(QFile::link(QStringLiteral("/nowhere/journal.sqlite"), journal));
    else
        QVERIFY(SqliteJournalStore::open(journal, JournalStore::Access::ReadWrite));
    QVERIFY(QFile::link(journal, work.filePath(QStringLiteral("link.json"))));
    QVERIFY(Test::writeFile(work.filePath(QStringLiteral("earlier.json")), "earlier"));
    const QByteArray journalBytes = Test::readFile(journal);

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), work.filePath(QStringLiteral("data")));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(work.path());
    arguments.replaceInStrings(QStringLiteral("JOURNAL"), journal);
    program.start(QStringLiteral(PROGRAM), arguments);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 1);
    QVERIFY(!program.readAllStandardError().isEmpty());
    QCOMPARE(Test::readFile(journal), journalBytes);
    QCOMPARE(Test::readFile(work.filePath(QStringLiteral("earlier.json"))), "earlier");
#else
    QSKIP("Links to files are a Unix matter");
#endif
}

void TestCommandLine::journalOnAFullDiskIsStillExported()
{
#ifdef Q_OS_LINUX
    QTemporaryDir work;
    const QString folder = work.filePath(QStringLiteral("kept/orvella-medicine-cards"));
    QVERIFY(QDir().mkpath(folder));
    JournalEntry ann;
    ann.time = QDateTime(QDate(2026, 12, 8), QTime(9, 15), Qt::UTC);
    ann.name = QStringLiteral("Ann");
    ann.spread = CardOfTheDaySpread;
    ann.spreadName = cardOfTheDayName();
    ann.cards = {journalCard(1, QStringLiteral("Card of the Day"), 7, false)};
    QVERIFY(SqliteJournalStore::open(
        folder + QStringLiteral("/journal.sqlite"), JournalStore::Access::ReadWrite)->keep(ann));
    // The data folder on a small disk of its own, filled: in a mount namespace
    // of the test's own, where the system lets it make one (as root).
    const QString script = QStringLiteral(
        "mount -t tmpfs -o size=256k tmpfs full 2>/dev/null || exit 77;"
        "cp -a kept/orvella-medicine-cards full/ && { cat /dev/zero > full/fill; } 2>/dev/null;"
        "export XDG_DATA_HOME=$PWD/full;"
        "\"$0\" --export-journal - && \"$0\" --import-journal none.mca");
    QProcess program;
    program.setWorkingDirectory(work.path());
    QVERIFY(QDir(work.path()).mkdir(QStringLiteral("full")));
    program.start(QStringLiteral("unshare"), QStringList{"--mount", "--propagation", "private",
                                                         "sh", "-c", script, PROGRAM});
    if (!program.waitForFinished(10000) || program.exitCode() == 77
        || program.error() == QProcess::FailedToStart)
        QSKIP("No disk of the test's own can be made here");
    QVERIFY(program.readAllStandardOutput().contains("\"name\": \"Ann\""));
    QVERIFY(program.readAllStandardError().endsWith(": the disk is full.\n"));
    QCOMPARE(program.exitCode(), 1);
#else
    QSKIP("A disk of the test's own is made the Linux way");
#endif
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
