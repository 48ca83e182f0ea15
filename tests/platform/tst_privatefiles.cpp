#include "platform/fileaccess.h"
#include "platform/privatefolder.h"
#include "platform/processlock.h"
#include "support/files.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <future>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Orvella;
using namespace std::chrono_literals;

namespace {

#ifdef Q_OS_UNIX
// An account other than this one, for files that are not ours; only root can give them away.
constexpr uid_t Nobody = 65534;

mode_t modeOf(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}
#endif

} // namespace

class TestPrivateFiles : public QObject
{
    Q_OBJECT

private slots:
    void readingNeverWaits();
    void folderIsTheUsersAlone_data();
    void folderIsTheUsersAlone();
    void lockIsNeverStaleNorAnothers_data();
    void lockIsNeverStaleNorAnothers();
};

void TestPrivateFiles::readingNeverWaits()
{
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("reading.mca"));
    const QByteArray content("a reading\r\n");
    // A name that is an ordinary file one moment and a named pipe the next,
    // swapped by rename as fast as the machine goes.
    std::atomic<bool> running = true;
    auto swapper = std::async(std::launch::async, [&] {
        const QByteArray file = QFile::encodeName(dir.filePath(QStringLiteral("file")));
        const QByteArray pipe = QFile::encodeName(dir.filePath(QStringLiteral("pipe")));
        while (running) {
            Test::writeFile(QString::fromUtf8(file), content);
            ::rename(file.constData(), QFile::encodeName(target).constData());
            ::mkfifo(pipe.constData(), 0600);
            ::rename(pipe.constData(), QFile::encodeName(target).constData());
        }
    });
    auto reader = std::async(std::launch::async, [&] {
        int read = 0;
        for (QDeadlineTimer loop(1s); !loop.hasExpired();) {
            if (const auto data = readSmallFile(target, 1024))
                read += *data == content ? 1 : -100000;
        }
        return read;
    });
    // A reader stuck on a pipe cannot be freed (the pipe is gone from the name): end here.
    if (reader.wait_for(10s) != std::future_status::ready)
        qFatal("reading waited on a named pipe");
    running = false;
    swapper.wait();
    // The race really was run (some reads found the file), and what was read was whole.
    QVERIFY(reader.get() > 0);

    // Writing never waits either: a pipe nobody reads from is refused at once
    // and left as it is; one that is read from, or a device, is written into.
    ::unlink(QFile::encodeName(target).constData());
    QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    QString why;
    QVERIFY(!writeWhole(target, content, &why));
    QCOMPARE(why, QStringLiteral("It is a pipe that nothing reads from."));
    const int reading = ::open(QFile::encodeName(target).constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(reading >= 0 && writeWhole(target, content));
    QByteArray received(1024, '\0');
    received.truncate(::read(reading, received.data(), size_t(received.size())));
    QCOMPARE(received, content);
    QVERIFY(QFileInfo(target).exists() && !QFileInfo(target).isFile());
    // A reader that stops early: the write fails, and the program goes on.
    auto stops = std::async(std::launch::async, [reading] {
        QThread::msleep(50);
        ::close(reading);
    });
    QVERIFY(!writeWhole(target, QByteArray(1 << 20, 'x')));
    stops.wait();
    QVERIFY(writeWhole(QStringLiteral("/dev/null"), content));
    QVERIFY(!writeWhole(QStringLiteral("/dev/full"), content, &why));
    QCOMPARE(why, QStringLiteral("No space left on device."));
    QVERIFY(!readSmallFile(QStringLiteral("/dev/zero"), 1024));
    QVERIFY(!readSmallFile(dir.path(), 1024));
#else
    QSKIP("Named pipes in the file system are a Unix matter");
#endif
}

void TestPrivateFiles::folderIsTheUsersAlone_data()
{
    QTest::addColumn<QString>("found");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("problem");
    using State = PrivateFolder::State;
    QTest::newRow("missing") << "missing" << int(State::Created) << QString();
    QTest::newRow("the user's, private") << "private" << int(State::Ready) << QString();
    QTest::newRow("the user's, open to all") << "open" << int(State::Repaired) << QString();
    QTest::newRow("a link to the user's documents") << "link" << int(State::Refused)
                                                    << "it is a link";
    QTest::newRow("a file") << "file" << int(State::Refused) << "it is not a folder";
    QTest::newRow("another account's, open to all")
        << "another's" << int(State::Refused) << "it belongs to another account";
}

void TestPrivateFiles::folderIsTheUsersAlone()
{
#ifdef Q_OS_UNIX
    QFETCH(QString, found);
    QFETCH(int, state);
    QFETCH(QString, problem);
    if (found == QLatin1String("another's") && ::geteuid() != 0)
        QSKIP("Only root can give a folder to another account");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data/orvella-medicine-cards"));
    const QString documents = dir.filePath(QStringLiteral("documents"));
    QVERIFY(QDir().mkpath(documents));
    ::chmod(QFile::encodeName(documents).constData(), 0755);
    QVERIFY(Test::writeFile(documents + QStringLiteral("/0.request"), "mine"));
    const QByteArray name = QFile::encodeName(path);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (found == QLatin1String("private") || found == QLatin1String("open")
        || found == QLatin1String("another's"))
        ::mkdir(name.constData(), found == QLatin1String("private") ? 0700 : 0777);
    ::chmod(name.constData(), found == QLatin1String("private") ? 0700 : 0777);
    if (found == QLatin1String("another's"))
        QCOMPARE(::chown(name.constData(), Nobody, Nobody), 0);
    if (found == QLatin1String("link"))
        QVERIFY(QFile::link(documents, path));
    if (found == QLatin1String("file"))
        QVERIFY(Test::writeFile(path, "a file"));
    const mode_t before = modeOf(path);

    const PrivateFolder folder = preparePrivateFolder(path);
    QCOMPARE(int(folder.state), state);
    QCOMPARE(folder.problem, problem);
    if (folder.isUsable()) {
        QCOMPARE(modeOf(path), mode_t(0700));
    } else {
        // Left exactly as it was; a link's target too.
        QCOMPARE(modeOf(path), before);
        QCOMPARE(modeOf(documents), mode_t(0755));
        QVERIFY(QFile::exists(documents + QStringLiteral("/0.request")));
    }
#else
    QSKIP("Owners and modes of folders are a Unix matter");
#endif
}

void TestPrivateFiles::lockIsNeverStaleNorAnothers_data()
{
    QTest::addColumn<QString>("found");
    QTest::addColumn<int>("result");
    using Result = ProcessLock::Result;
    QTest::newRow("nothing") << "nothing" << int(Result::Acquired);
    QTest::newRow("left by a copy that was killed") << "left" << int(Result::Acquired);
    QTest::newRow("left open to others: made private") << "open" << int(Result::Acquired);
    QTest::newRow("left in a folder that cannot be written") << "read-only" << int(Result::Acquired);
    QTest::newRow("held by a live copy") << "held" << int(Result::HeldElsewhere);
    QTest::newRow("a link") << "link" << int(Result::Unavailable);
    QTest::newRow("another account's") << "another's" << int(Result::Unavailable);
}

void TestPrivateFiles::lockIsNeverStaleNorAnothers()
{
#ifdef Q_OS_UNIX
    QFETCH(QString, found);
    QFETCH(int, result);
    if (found == QLatin1String("another's") && ::geteuid() != 0)
        QSKIP("Only root can give a file to another account");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("running.lock"));
    const QByteArray name = QFile::encodeName(path);
    if (found != QLatin1String("nothing") && found != QLatin1String("link"))
        QVERIFY(Test::writeFile(path, "12345\n")); // as an older lock would read
    if (found == QLatin1String("read-only"))
        ::chmod(QFile::encodeName(dir.path()).constData(), 0500);
    if (found == QLatin1String("open"))
        ::chmod(name.constData(), 0666);
    if (found == QLatin1String("another's"))
        QCOMPARE(::chown(name.constData(), Nobody, Nobody), 0);
    if (found == QLatin1String("link"))
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("elsewhere")), path));
    ProcessLock live;
    if (found == QLatin1String("held"))
        QCOMPARE(live.acquire(path), ProcessLock::Result::Acquired);

    {
        ProcessLock lock;
        QCOMPARE(int(lock.acquire(path)), result);
        QCOMPARE(lock.isHeld(), result == int(ProcessLock::Result::Acquired));
        if (found == QLatin1String("open"))
            QCOMPARE(modeOf(path), mode_t(0600));
    }
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
    // What is not ours stays, untouched.
    if (found == QLatin1String("link"))
        QVERIFY(QFileInfo(path).isSymLink() && !QFileInfo::exists(dir.filePath("elsewhere")));
    if (found == QLatin1String("another's"))
        QCOMPARE(Test::readFile(path), QByteArray("12345\n"));
#else
    QSKIP("The lock's Unix side is what is tested here");
#endif
}

QTEST_GUILESS_MAIN(TestPrivateFiles)
#include "tst_privatefiles.moc"
