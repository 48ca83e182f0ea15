#include "reading/draw.h"
#include "session/readingfilecommands.h"
#include "storage/readingfile.h"
#include "support/fakeplatform.h"
#include "support/scriptedrandom.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace Orvella;
using Orvella::Test::FakePlatform;
using Orvella::Test::ScriptedRandom;

namespace {

const QString Filter = QStringLiteral("Orvella Medicine Cards (*.mca)");
const QString Refused = QStringLiteral("Please Check The File.");
const QString SaveFailed = QStringLiteral("Unable To Save The Reading.\n\n");
const QByteArray OldContent = QByteArrayLiteral("an earlier file that must survive\r\n");

Reading butterfly()
{
    ScriptedRandom random({12 / 43.0, 0.1, 3 / 43.0, 0.9, 40 / 43.0, 0.9, 7 / 43.0, 0.1});
    Reading reading;
    Draw(reading, 1, random);
    return reading;
}

Reading pathway()
{
    ScriptedRandom random;
    Reading reading;
    Draw(reading, 0, random);
    return reading;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool shownOnce(const FakePlatform &platform, const QString &text)
{
    return platform.messages.size() == 1 && platform.messages[0].text == text
           && platform.messages[0].icon == Platform::Icon::Critical
           && platform.messages[0].buttons == Platform::Buttons::Ok;
}

} // namespace

class TestReadingFileCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void saveDialog();
    void saveCancelWritesNothing();
    void saveWritesTheReading();
    void saveReplacesAnExistingFileWhole();
    void openDialog();
    void openCancelChangesNothing();
    void openReadsTheReading();
    void openRefusesOtherNames_data();
    void openRefusesOtherNames();
    void openRefusesANameTooShortToEndInMca();
    void openAcceptsANameMerelyEndingInMca();
    void openRefusesUnsoundFiles_data();
    void openRefusesUnsoundFiles();
    void saveIntoAReadOnlyFolder();
    void saveBelowAFileThatIsNoFolder();
    void saveUnderAFileSizeLimit_data();
    void saveUnderAFileSizeLimit();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }
};

void TestReadingFileCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestReadingFileCommands::saveDialog()
{
    FakePlatform platform;
    ReadingFileCommands(platform).save(nullptr, butterfly());
    QCOMPARE(platform.saveRequests.size(), 1);
    QCOMPARE(platform.saveRequests[0].title, QStringLiteral("Save"));
    QCOMPARE(platform.saveRequests[0].filter, Filter);
    QCOMPARE(platform.saveRequests[0].defaultSuffix, QStringLiteral("mca"));
    QVERIFY(platform.openRequests.isEmpty());
}

void TestReadingFileCommands::saveCancelWritesNothing()
{
    FakePlatform platform; // no file name queued: the dialog is cancelled
    ReadingFileCommands(platform).save(nullptr, butterfly());
    QVERIFY(platform.messages.isEmpty());
    QVERIFY(QDir(m_dir->path()).isEmpty());
}

void TestReadingFileCommands::saveWritesTheReading()
{
    FakePlatform platform;
    platform.fileNames.enqueue(path(QStringLiteral("reading.mca")));
    const Reading reading = butterfly();
    ReadingFileCommands(platform).save(nullptr, reading);
    QVERIFY(platform.messages.isEmpty());
    QCOMPARE(readFile(path(QStringLiteral("reading.mca"))), ReadingFile::encode(reading));
    // Nothing left behind beside the file.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TestReadingFileCommands::saveReplacesAnExistingFileWhole()
{
    const QString file = path(QStringLiteral("reading.mca"));
    QVERIFY(writeFile(file, QByteArray(500, 'x')));
    FakePlatform platform;
    platform.fileNames.enqueue(file);
    ReadingFileCommands(platform).save(nullptr, pathway());
    QVERIFY(platform.messages.isEmpty());
    QCOMPARE(readFile(file), ReadingFile::encode(pathway()));
}

void TestReadingFileCommands::openDialog()
{
    FakePlatform platform;
    ReadingFileCommands(platform).open(nullptr);
    QCOMPARE(platform.openRequests.size(), 1);
    QCOMPARE(platform.openRequests[0].title, QStringLiteral("Select the source file"));
    QCOMPARE(platform.openRequests[0].filter, Filter);
    QVERIFY(platform.saveRequests.isEmpty());
}

void TestReadingFileCommands::openCancelChangesNothing()
{
    FakePlatform platform;
    QCOMPARE(ReadingFileCommands(platform).open(nullptr), std::nullopt);
    QVERIFY(platform.messages.isEmpty());
}

void TestReadingFileCommands::openReadsTheReading()
{
    const QString file = path(QStringLiteral("saved.mca"));
    FakePlatform platform;
    platform.fileNames << file << file;
    ReadingFileCommands commands(platform);
    commands.save(nullptr, butterfly());
    QCOMPARE(commands.open(nullptr), std::optional<Reading>(butterfly()));
    QVERIFY(platform.messages.isEmpty());
}

void TestReadingFileCommands::openRefusesOtherNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("upper-case MCA") << QStringLiteral("reading.MCA");
    QTest::newRow("mixed-case Mca") << QStringLiteral("reading.Mca");
    QTest::newRow("mca not at the end") << QStringLiteral("reading.mcab");
    QTest::newRow("other extension") << QStringLiteral("reading.txt");
    QTest::newRow("no extension") << QStringLiteral("reading");
}

void TestReadingFileCommands::openRefusesOtherNames()
{
    QFETCH(QString, name);
    // A sound reading file, so only its name can be the reason.
    const QString file = path(name);
    QVERIFY(writeFile(file, ReadingFile::encode(butterfly())));
    FakePlatform platform;
    platform.fileNames.enqueue(file);
    QCOMPARE(ReadingFileCommands(platform).open(nullptr), std::nullopt);
    QVERIFY(shownOnce(platform, Refused));
}

void TestReadingFileCommands::openRefusesANameTooShortToEndInMca()
{
    FakePlatform platform;
    platform.fileNames.enqueue(QStringLiteral("ca"));
    QCOMPARE(ReadingFileCommands(platform).open(nullptr), std::nullopt);
    QVERIFY(shownOnce(platform, Refused));
}

void TestReadingFileCommands::openAcceptsANameMerelyEndingInMca()
{
    const QString file = path(QStringLiteral("notesmca"));
    QVERIFY(writeFile(file, ReadingFile::encode(butterfly())));
    FakePlatform platform;
    platform.fileNames.enqueue(file);
    QCOMPARE(ReadingFileCommands(platform).open(nullptr), std::optional<Reading>(butterfly()));
    QVERIFY(platform.messages.isEmpty());
}

void TestReadingFileCommands::openRefusesUnsoundFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // a null array: nothing is created
    QTest::newRow("missing file") << QStringLiteral("gone.mca") << QByteArray();
    QTest::newRow("empty file") << QStringLiteral("empty.mca") << QByteArray("");
    QTest::newRow("damaged file") << QStringLiteral("damaged.mca")
                                                    << ReadingFile::encode(butterfly()).chopped(8);
    QTest::newRow("larger than 64 KiB")
        << QStringLiteral("large.mca")
                          << ReadingFile::encode(butterfly()) + QByteArray(70000, '\n');
    QTest::newRow("a folder") << QStringLiteral("folder.mca") << QByteArray();
}

void TestReadingFileCommands::openRefusesUnsoundFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    const QString file = path(name);
    if (name.startsWith(QLatin1String("folder")))
        QVERIFY(QDir(m_dir->path()).mkdir(name));
    else if (!content.isNull())
        QVERIFY(writeFile(file, content));
    FakePlatform platform;
    platform.fileNames.enqueue(file);
    QCOMPARE(ReadingFileCommands(platform).open(nullptr), std::nullopt);
    QVERIFY(shownOnce(platform, Refused));
}

void TestReadingFileCommands::saveIntoAReadOnlyFolder()
{
    const QString folder = path(QStringLiteral("locked"));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("locked")));
    const QString file = folder + QStringLiteral("/reading.mca");
    QVERIFY(writeFile(file, OldContent));
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const auto unlock = qScopeGuard([&] {
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                          | QFileDevice::ExeOwner);
    });
    if (writeFile(folder + QStringLiteral("/probe"), "x"))
        QSKIP("Folder permissions are not enforced for this user (root)");

    FakePlatform platform;
    platform.fileNames.enqueue(file);
    ReadingFileCommands(platform).save(nullptr, butterfly());
    QVERIFY(shownOnce(platform, SaveFailed + "Permission denied."));
    QCOMPARE(readFile(file), OldContent);
}

void TestReadingFileCommands::saveBelowAFileThatIsNoFolder()
{
    // Fails for every user, root included.
    const QString notAFolder = path(QStringLiteral("plain.mca"));
    QVERIFY(writeFile(notAFolder, OldContent));
    FakePlatform platform;
    platform.fileNames << notAFolder
                              + QStringLiteral("/reading.mca") << path(QStringLiteral("good.mca"));
    ReadingFileCommands commands(platform);
    commands.save(nullptr, butterfly());
    QVERIFY(shownOnce(platform, SaveFailed + "Not a directory."));
    QCOMPARE(readFile(notAFolder), OldContent);

    // A failed save does not hinder the next one.
    commands.save(nullptr, butterfly());
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(readFile(path(QStringLiteral("good.mca"))), ReadingFile::encode(butterfly()));
}

void TestReadingFileCommands::saveUnderAFileSizeLimit_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("fits");
    QTest::newRow("limit of 16 bytes") << 16 << false;
    QTest::newRow("one byte short") << int(ReadingFile::encode(pathway()).size() - 1) << false;
    QTest::newRow("exactly the file's size") << int(ReadingFile::encode(pathway()).size()) << true;
}

void TestReadingFileCommands::saveUnderAFileSizeLimit()
{
#ifdef Q_OS_UNIX
    QFETCH(int, limit);
    QFETCH(bool, fits);
    const QString file = path(QStringLiteral("reading.mca"));
    QVERIFY(writeFile(file, OldContent));

    // The limit only holds for a child, so this test process keeps writing freely.
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit fileSize{rlim_t(limit), rlim_t(limit)};
        if (setrlimit(RLIMIT_FSIZE, &fileSize) != 0)
            _exit(3);
        FakePlatform platform;
        platform.fileNames.enqueue(file);
        ReadingFileCommands(platform).save(nullptr, pathway());
        if (platform.messages.isEmpty())
            _exit(0);
        _exit(shownOnce(platform, SaveFailed + "Not all of it could be written.") ? 1 : 2);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), fits ? 0 : 1);
    QCOMPARE(readFile(file), fits ? ReadingFile::encode(pathway()) : OldContent);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
#else
    QSKIP("Needs a per-process file-size limit");
#endif
}

QTEST_GUILESS_MAIN(TestReadingFileCommands)
#include "tst_readingfilecommands.moc"
