#include "app/handover.h"
#include "app/startup.h"
#include "reading/draw.h"
#include "storage/readingfile.h"
#include "storage/settingsstore.h"
#include "support/fakeplatform.h"
#include "support/files.h"
#include "support/scriptedrandom.h"
#include "windows/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <QScopeGuard>

#include <cstdio>
#include <future>
#include <stdexcept>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace Orvella;
using Orvella::Test::FakePlatform;
using Orvella::Test::ScriptedRandom;

namespace {

// Set in a child copy of this test: hold the instance lock at the given path until killed.
const char HoldLockVariable[] = "ORVELLA_TEST_HOLD_LOCK";
// Set in a child copy of this test: end at once, having made nothing.
const char EndAtOnceVariable[] = "ORVELLA_TEST_END_AT_ONCE";

// Runs this test program again as a second copy that takes the lock at @p path and holds it.
void startLockHolder(QProcess &holder, const QString &path)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(HoldLockVariable), path);
    holder.setProcessEnvironment(environment);
    holder.start(QCoreApplication::applicationFilePath(), {});
}

class RecordingSteps : public StartupSteps
{
public:
    bool anotherCopy = false;
    QString failingStep;
    QStringList calls;

    bool anotherCopyIsRunning() override
    {
        record(QStringLiteral("lock"));
        return anotherCopy;
    }
    void refuseSecondCopy() override { record(QStringLiteral("refuse")); }
    void seedRandom() override { record(QStringLiteral("seed")); }
    void checkForUpdate() override { record(QStringLiteral("update")); }
    void showMainWindow() override { record(QStringLiteral("main")); }
    void coBrandRandomize() override { record(QStringLiteral("cobrand")); }

private:
    void record(const QString &step)
    {
        calls << step;
        if (step == failingStep)
            throw std::runtime_error("step failed");
    }
};

// Notes whether a main window already existed when a box was shown.
class WatchingPlatform : public FakePlatform
{
public:
    QList<bool> mainWindowAtMessage;
    QList<bool> iconAtMessage;

    Answer showMessage(QWidget *parent, const QString &text, Icon icon, Buttons buttons) override
    {
        bool found = false;
        for (QWidget *window : QApplication::topLevelWidgets())
            found |= qobject_cast<MainWindow *>(window) != nullptr;
        mainWindowAtMessage << found;
        iconAtMessage << !QApplication::windowIcon().isNull();
        return FakePlatform::showMessage(parent, text, icon, buttons);
    }
};

qint64 finishedProcessId()
{
    QProcess process;
    qint64 pid = 0;
    QObject::connect(&process, &QProcess::started, [&] { pid = process.processId(); });
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(EndAtOnceVariable), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.start(QCoreApplication::applicationFilePath(), {});
    process.waitForFinished(10000);
    return pid;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void stepsRunInOrder();
    void secondCopyStopsAfterTheMessage();
    void failingStepIsSkipped_data();
    void failingStepIsSkipped();

    void lockPathIsPerUserWhateverTheTemporaryFolder();
    void liveLockInThisProcessRefuses();
    void liveLockInAnotherProcessRefuses();
    void lockOfAKilledCopyDoesNotRefuse();
    void staleLockFileOfADeadProcessDoesNotRefuse();
    void unusableLockFolderDoesNotKeepTheProgramOut();

    void realStartupShowsTheMainWindow();
    void realSecondCopyIsRefused();
    void realSecondCopyHandsItsReadingOver_data();
    void realSecondCopyHandsItsReadingOver();
    void reminderComesBeforeTheMainWindow();
    void folderNotTheUsersAloneIsNeverUsed_data();
    void folderNotTheUsersAloneIsNeverUsed();

private:
    QTemporaryDir m_dir;
};

void TestStartup::init()
{
    QVERIFY(m_dir.isValid());
}

void TestStartup::stepsRunInOrder()
{
    RecordingSteps steps;
    QVERIFY(runStartup(steps));
    QCOMPARE(steps.calls, (QStringList{"lock", "seed", "update", "main", "cobrand"}));
}

void TestStartup::secondCopyStopsAfterTheMessage()
{
    RecordingSteps steps;
    steps.anotherCopy = true;
    QVERIFY(!runStartup(steps));
    QCOMPARE(steps.calls, (QStringList{"lock", "refuse"}));
}

void TestStartup::failingStepIsSkipped_data()
{
    QTest::addColumn<QString>("failing");
    QTest::addColumn<QStringList>("calls");
    const QStringList all{"lock", "seed", "update", "main", "cobrand"};
    // A previous-instance test that fails cannot show another copy: start.
    QTest::newRow("lock test fails") << QStringLiteral("lock") << all;
    QTest::newRow("seeding fails") << QStringLiteral("seed") << all;
    QTest::newRow("update check fails") << QStringLiteral("update") << all;
    QTest::newRow("main window fails") << QStringLiteral("main") << all;
    QTest::newRow("co-brand fails") << QStringLiteral("cobrand") << all;
}

void TestStartup::failingStepIsSkipped()
{
    QFETCH(QString, failing);
    QFETCH(QStringList, calls);
    RecordingSteps steps;
    steps.failingStep = failing;
    QVERIFY(runStartup(steps));
    QCOMPARE(steps.calls, calls);
}

void TestStartup::lockPathIsPerUserWhateverTheTemporaryFolder()
{
    const QString path = InstanceLock::defaultPath();
    QCOMPARE(QFileInfo(path).absolutePath(), instanceFolder());

    // Another temporary folder is the same user: the same lock.
    const QByteArray temp = qgetenv("TMPDIR");
    qputenv("TMPDIR", m_dir.path().toLocal8Bit());
    QCOMPARE(InstanceLock::defaultPath(), path);
    qputenv("TMPDIR", temp);

    // Another home is another user: another lock.
    const QByteArray home = qgetenv("HOME");
    const QByteArray data = qgetenv("XDG_DATA_HOME");
    qunsetenv("XDG_DATA_HOME");
    qputenv("HOME", m_dir.path().toLocal8Bit());
    const QString otherUser = InstanceLock::defaultPath();
    qputenv("HOME", home);
    if (!data.isNull())
        qputenv("XDG_DATA_HOME", data);
    QVERIFY(otherUser != path);
    QCOMPARE(InstanceLock::defaultPath(), path);
}

void TestStartup::liveLockInThisProcessRefuses()
{
    const QString path = m_dir.filePath(QStringLiteral("live.lock"));
    QLockFile running(path);
    QVERIFY(running.tryLock(0));

    InstanceLock second(path);
    QVERIFY(!second.acquire());
    QVERIFY(!second.isHeld());
    // The running copy keeps its lock.
    QVERIFY(running.isLocked());
    QVERIFY(QFile::exists(path));

    running.unlock();
    InstanceLock third(path);
    QVERIFY(third.acquire());
}

void TestStartup::liveLockInAnotherProcessRefuses()
{
    const QString path = m_dir.filePath(QStringLiteral("other.lock"));
    QProcess holder;
    startLockHolder(holder, path);
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));

    InstanceLock second(path);
    QVERIFY(!second.acquire());
    QCOMPARE(holder.state(), QProcess::Running);

    holder.kill();
    QVERIFY(holder.waitForFinished(10000));
}

void TestStartup::lockOfAKilledCopyDoesNotRefuse()
{
    const QString path = m_dir.filePath(QStringLiteral("killed.lock"));
    QProcess holder;
    startLockHolder(holder, path);
    QVERIFY(holder.waitForReadyRead(10000));
    // Killed outright: no chance to remove its lock file.
    holder.kill();
    QVERIFY(holder.waitForFinished(10000));
    QVERIFY(QFile::exists(path));

    InstanceLock next(path);
    QVERIFY(next.acquire());
    QVERIFY(next.isHeld());
}

void TestStartup::staleLockFileOfADeadProcessDoesNotRefuse()
{
    const QString path = m_dir.filePath(QStringLiteral("stale.lock"));
    // A lock file as a copy leaves it, but naming a process that has ended.
    QByteArray content;
    {
        QLockFile model(path);
        QVERIFY(model.tryLock(0));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        content = file.readAll();
    }
    QVERIFY(!QFile::exists(path));
    const qint64 dead = finishedProcessId();
    QVERIFY(dead > 0);
    QList<QByteArray> lines = content.split('\n');
    lines[0] = QByteArray::number(dead);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(lines.join('\n'));
    file.close();

    InstanceLock next(path);
    QVERIFY(next.acquire());
    QVERIFY(next.isHeld());
}

void TestStartup::unusableLockFolderDoesNotKeepTheProgramOut()
{
    const QString blocker = m_dir.filePath(QStringLiteral("plainfile"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    InstanceLock lock(blocker + QStringLiteral("/cannot.lock"));
    QVERIFY(lock.acquire());
}

void TestStartup::realStartupShowsTheMainWindow()
{
    FakePlatform platform;
    ScriptedRandom random({0.25});
    ProgramStartup startup(platform, random);
    QVERIFY(runStartup(startup));
    QVERIFY(startup.mainWindow());
    QVERIFY(startup.mainWindow()->isVisible());
    QCOMPARE(random.seeds(), 1);
    // The co-brand choice drew its one value after the seeding: r 0.25 gives 2.
    QCOMPARE(random.taken(), 1);
    QCOMPARE(int(startup.mainWindow()->intCoBrandRandomNumber()), 2);
    QVERIFY(platform.messages.isEmpty());
    const auto store = openUserSettings();
    QCOMPARE(ReadSetting(*store, QStringLiteral("Duration")), QStringLiteral("2026-12-07"));
}

void TestStartup::realSecondCopyIsRefused()
{
    QLockFile running(InstanceLock::defaultPath());
    QVERIFY(running.tryLock(0));

    FakePlatform platform;
    ScriptedRandom random;
    ProgramStartup startup(platform, random);
    QVERIFY(!runStartup(startup));
    QCOMPARE(platform.messageTexts(),
             QStringList{QStringLiteral("Application is already running")});
    QCOMPARE(platform.messages.first().icon, Platform::Icon::Information);
    QCOMPARE(platform.messages.first().buttons, Platform::Buttons::Ok);
    QVERIFY(!startup.mainWindow());
    QCOMPARE(random.seeds(), 0);
    QCOMPARE(random.taken(), 0);
    QVERIFY(platform.openedUrls.isEmpty());
    QVERIFY(running.isLocked());
}

void TestStartup::realSecondCopyHandsItsReadingOver_data()
{
    QTest::addColumn<bool>("listening");
    QTest::addColumn<bool>("takes");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("nameIsText");
    const QStringList refused{QStringLiteral("%1 was not opened: the copy of the program already "
                                             "running did not take it. Try again in a moment.")
                                  .arg(QDir::toNativeSeparators("/readings/mine.mca"))};
    QTest::newRow("the running copy takes it") << true << true << QStringList{} << true;
    QTest::newRow("the running copy is ending") << true << false << refused << true;
    QTest::newRow("no running copy answers") << false << false << refused << true;
    // Never another file than the one named: refused as it is, not as a start without one.
    QTest::newRow("a name that is not text here")
        << true << true
        << QStringList{QStringLiteral("The name of the file to open holds bytes that are not "
                                      "text here. Rename the file, then open it again.")}
        << false;
}

void TestStartup::realSecondCopyHandsItsReadingOver()
{
    QFETCH(bool, listening);
    QFETCH(bool, takes);
    QFETCH(QStringList, messages);
    QFETCH(bool, nameIsText);
    QLockFile running(InstanceLock::defaultPath());
    QVERIFY(running.tryLock(0));
    QStringList received;
    HandOverInbox inbox(HandOver::inbox(instanceFolder()), [&](const QString &path) {
        received << path;
        return takes;
    });
    if (listening)
        QVERIFY(inbox.start());

    // The second start waits for its answer; the running copy's events go on meanwhile.
    FakePlatform platform;
    ScriptedRandom random;
    ProgramStartup startup(platform, random,
                           nameIsText ? QStringLiteral("/readings/mine.mca") : QString(),
                           std::chrono::milliseconds(300));
    if (!nameIsText)
        startup.refuseNameNotText();
    auto started = std::async(std::launch::async, [&] { return runStartup(startup); });
    while (started.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        QCoreApplication::processEvents();
    QVERIFY(!started.get());
    QCOMPARE(platform.messageTexts(), messages);
    QCOMPARE(startup.readingNotHandedOver(), !messages.isEmpty());
    QCOMPARE(received, listening && nameIsText ? QStringList{QStringLiteral("/readings/mine.mca")}
                                               : QStringList{});
    QVERIFY(!startup.mainWindow());
}

void TestStartup::reminderComesBeforeTheMainWindow()
{
    {
        const auto store = openUserSettings();
        WriteSetting(*store, QStringLiteral("Duration"), QStringLiteral("2026-11-01"));
    }
    WatchingPlatform platform;
    platform.answers << Platform::Answer::No;
    ScriptedRandom random;
    ProgramStartup startup(platform, random);
    QVERIFY(runStartup(startup));
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(platform.mainWindowAtMessage, QList<bool>{false});
    // The program's icon is given out after its window is up, but this box comes first.
    QCOMPARE(platform.iconAtMessage, QList<bool>{true});
    QVERIFY(startup.mainWindow() && startup.mainWindow()->isVisible());
    const auto store = openUserSettings();
    QCOMPARE(ReadSetting(*store, QStringLiteral("Duration")), QStringLiteral("2026-12-07"));
}

void TestStartup::folderNotTheUsersAloneIsNeverUsed_data()
{
    QTest::addColumn<QString>("found");
    QTest::addColumn<bool>("refused");
    QTest::newRow("the user's, open to all: made private") << "open" << false;
    QTest::newRow("a link to the user's documents") << "link" << true;
    QTest::newRow("another account's") << "another's" << true;
}

void TestStartup::folderNotTheUsersAloneIsNeverUsed()
{
#ifdef Q_OS_UNIX
    QFETCH(QString, found);
    QFETCH(bool, refused);
    if (found == QLatin1String("another's") && ::geteuid() != 0)
        QSKIP("Only root can give a folder to another account");
    QTemporaryDir data;
    const QByteArray home = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", home); });
    const QString folder = instanceFolder();
    const QString documents = data.filePath(QStringLiteral("documents"));
    QVERIFY(QDir().mkpath(documents + QStringLiteral("/inbox")));
    QFile::setPermissions(documents + QStringLiteral("/inbox"), QFileDevice::Permissions(0x7777));
    QVERIFY(QFile(documents + QStringLiteral("/inbox/0.request")).open(QIODevice::WriteOnly));
    // Planted by another account where the test can give it one: never taken, never removed.
    const bool plantedByAnother =
        ::geteuid() == 0
        && ::chown(QFile::encodeName(documents + QStringLiteral("/inbox/0.request")).constData(),
                   65534, 65534) == 0;
    if (found == QLatin1String("link"))
        QVERIFY(QFile::link(documents, folder));
    else
        QVERIFY(QDir().rename(documents, folder));
    QFile::setPermissions(folder, QFileDevice::Permissions(0x7777));
    if (found == QLatin1String("another's"))
        QCOMPARE(::chown(QFile::encodeName(folder).constData(), 65534, 65534), 0);

    FakePlatform platform;
    ScriptedRandom random;
    // While the note of a folder made private is open, its own events running,
    // a second start hands a reading over as at any other time.
    Reading reading;
    Draw(reading, 1, random);
    const QString handed = data.filePath(QStringLiteral("handed.mca"));
    QVERIFY(Test::writeFile(handed, ReadingFile::encode(reading)));
    std::optional<HandOver::Answer> answer;
    platform.whileMessageOpen = [&] {
        if (refused || answer)
            return;
        const std::unique_ptr<QThread> second(QThread::create([&] {
            answer = HandOver::handOver(HandOver::inbox(folder), handed, std::chrono::seconds(5));
        }));
        QEventLoop box;
        connect(second.get(), &QThread::finished, &box, &QEventLoop::quit);
        second->start();
        box.exec();
    };
    ProgramStartup startup(platform, random);
    QVERIFY(runStartup(startup));
    startup.openReadings();
    QVERIFY(startup.mainWindow() && startup.mainWindow()->isVisible());
    QTest::qWait(50);
    QCOMPARE(answer == HandOver::Answer::Accepted, !refused);
    // Said once, naming the folder: not used, or made the user's alone and used.
    QCOMPARE(platform.messageTexts().size(), 1);
    QVERIFY(platform.messageTexts().first().startsWith(
        folder + (refused ? QStringLiteral(" is not used") : QStringLiteral(" could be reached"))));
    const QString inbox = QFileInfo(folder).canonicalFilePath() + QStringLiteral("/inbox");
    QCOMPARE(QFileInfo(folder).permissions() == QFileDevice::Permissions(0x7777), refused);
    QCOMPARE(QFileInfo(inbox).permissions() == QFileDevice::Permissions(0x7777), refused);
    QCOMPARE(QFile::exists(inbox + QStringLiteral("/0.request")), refused || plantedByAnother);
    QCOMPARE(QFile::exists(folder + QStringLiteral("/running.lock")), !refused);
#else
    QSKIP("Owners and modes of folders are a Unix matter");
#endif
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(EndAtOnceVariable))
        return 0;
    const QByteArray holdPath = qgetenv(HoldLockVariable);
    if (!holdPath.isEmpty()) {
        QCoreApplication app(argc, argv);
        InstanceLock lock(QString::fromLocal8Bit(holdPath));
        if (!lock.acquire())
            return 2;
        std::puts("locked");
        std::fflush(stdout);
        QThread::sleep(60);
        return 0;
    }
    QApplication app(argc, argv);
    TestStartup test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
