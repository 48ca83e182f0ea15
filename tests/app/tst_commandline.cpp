#include "app/commandline.h"
#include "journaldb/sqlitejournalstore.h"
#include "product/product.h"
#include "support/files.h"
#include "support/scriptedrandom.h"

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
    void journalIsNeverLost_data();
    void journalIsNeverLost();
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
    QTest::newRow("--journal-statistics to no name")
        << QStringList{"--journal-statistics", ""} << Action::Refuse << QString() << false;
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

void TestCommandLine::journalIsNeverLost_data()
{
    // Each a script run where the data folder (data/) holds a journal with Ann's
    // reading, beside an earlier export; "$0" is the program. The file kept keeps its bytes.
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("error");
    const QString journal = QStringLiteral("data/orvella-medicine-cards/journal.sqlite");
    QTest::newRow("the statistics onto the journal")
        << "\"$0\" --journal-statistics " + journal << journal << "" << "It is the journal";
    QTest::newRow("an export onto a link to it")
        << "ln -s \"$PWD/" + journal + "\" j.json && \"$0\" --export-journal j.json" << journal
        << "" << "It is the journal";
    QTest::newRow("a journal that leads nowhere, over an earlier export")
        << "rm " + journal + " && ln -s /nowhere " + journal
               + " && \"$0\" --export-journal earlier.json"
        << "earlier.json" << "" << "the journal is damaged";
    // Made in a mount namespace of the test's own, where the system lets it (as root).
    QTest::newRow("a full disk: exported still, nothing kept")
        << "mkdir full && exec unshare --mount --propagation private sh -c 'mount -t tmpfs -o "
           "size=256k tmpfs full 2>/dev/null || exit 77; cp -a data/orvella-medicine-cards full/ "
           "&& { cat /dev/zero > full/fill; } 2>/dev/null; export XDG_DATA_HOME=$PWD/full; "
           "\"$0\" --export-journal - && \"$0\" --import-journal none.mca' \"$0\""
        << "" << "\"name\": \"Ann\"" << ": the disk is full.";
}

void TestCommandLine::journalIsNeverLost()
{
#ifdef Q_OS_LINUX
    QFETCH(QString, script);
    QFETCH(QString, kept);
    QFETCH(QString, out);
    QFETCH(QString, error);
    QTemporaryDir work;
    const QString folder = work.filePath(QStringLiteral("data/orvella-medicine-cards"));
    QVERIFY(QDir().mkpath(folder));
    Test::ScriptedRandom random({0.5, 0.9});
    JournalEntry ann = cardOfTheDay(random, QDateTime::currentDateTime());
    ann.name = QStringLiteral("Ann");
    QVERIFY(SqliteJournalStore::open(folder + QStringLiteral("/journal.sqlite"),
                                     JournalStore::Access::ReadWrite)
                ->keep(ann));
    QVERIFY(Test::writeFile(work.filePath(QStringLiteral("earlier.json")), "earlier"));
    const QByteArray keptBytes = kept.isEmpty() ? QByteArray() : Test::readFile(work.filePath(kept));
    QProcess program;
    program.setWorkingDirectory(work.path());
    program.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("export XDG_DATA_HOME=$PWD/data; ") + script,
                                                     QStringLiteral(PROGRAM)});
    QVERIFY(program.waitForFinished(10000));
    if (program.exitCode() == 77)
        QSKIP("No disk of the test's own can be made here");
    QCOMPARE(program.exitCode(), 1);
    QVERIFY(QString::fromUtf8(program.readAllStandardOutput()).contains(out));
    QVERIFY(QString::fromUtf8(program.readAllStandardError()).contains(error));
    if (!kept.isEmpty())
        QCOMPARE(Test::readFile(work.filePath(kept)), keptBytes);
#else
    QSKIP("Links, pipes and disks of the test's own are made the Linux way");
#endif
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
