// A save that dies half-way, or runs out of room, must never leave a truncated
// .mca behind: the target is either untouched or holds the whole new reading.
// The saves run in forked children through the real save command, so a child
// can be killed in the middle of writing without taking the test with it.

#include "reading/clockrandomsource.h"
#include "reading/draw.h"
#include "session/readingfilecommands.h"
#include "storage/readingfile.h"
#include "support/fakeplatform.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <functional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace Orvella;
using Orvella::Test::FakePlatform;

namespace {

Reading drawn(qint16 spread, std::uint32_t seed)
{
    ClockRandomSource random;
    random.seed(seed);
    Reading reading;
    Draw(reading, spread, random);
    return reading;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(data), data.size());
}

/** Saves @p reading to @p path through the save command, answering its dialog. */
int saveThroughCommand(const QString &path, const Reading &reading)
{
    FakePlatform platform;
    platform.fileNames.enqueue(path);
    ReadingFileCommands(platform).save(nullptr, reading);
    return int(platform.messages.size());
}

#ifdef Q_OS_UNIX
/**
 * Runs @p body in a forked child and returns its wait status. The child never
 * returns into the test: it leaves with _exit(body's result).
 */
int inChild(const std::function<int()> &body)
{
    const pid_t pid = fork();
    if (pid == 0) {
        // A dying child must not drop a core file into the test's folder.
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        _exit(body());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

/** Caps the size of any file this process writes; past it, write() fails or signals. */
void limitFileSize(rlim_t bytes)
{
    const rlimit limit{bytes, bytes};
    setrlimit(RLIMIT_FSIZE, &limit);
}

void killSelfWithSigkill(int)
{
    raise(SIGKILL);
}
#endif

} // namespace

class TestInterruptedSave : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void killedWhileWriting_data();
    void killedWhileWriting();
    void killedAtRandomMoments();
    void fullDiskReportsAndKeepsTheOldFile();

private:
    QTemporaryDir m_dir;
    const Reading m_old = drawn(0, 1);
    const Reading m_new = drawn(1, 2);
};

void TestInterruptedSave::init()
{
#ifndef Q_OS_UNIX
    QSKIP("Needs fork() and resource limits");
#endif
    QVERIFY(m_dir.isValid());
    QVERIFY(ReadingFile::encode(m_old) != ReadingFile::encode(m_new));
}

void TestInterruptedSave::killedWhileWriting_data()
{
    QTest::addColumn<bool>("oldFileExists");
    QTest::newRow("over an existing reading") << true;
    QTest::newRow("to a new file") << false;
}

void TestInterruptedSave::killedWhileWriting()
{
#ifdef Q_OS_UNIX
    QFETCH(bool, oldFileExists);
    const QString path = m_dir.filePath(QStringLiteral("reading.mca"));
    QFile::remove(path);
    const QByteArray oldBytes = ReadingFile::encode(m_old);
    if (oldFileExists)
        writeFile(path, oldBytes);

    // The file size cap lets the save write a few bytes and then stops it dead
    // inside the write, before anything could be committed.
    const QByteArray newBytes = ReadingFile::encode(m_new);
    const int status = inChild([&] {
        std::signal(SIGXFSZ, killSelfWithSigkill);
        limitFileSize(rlim_t(newBytes.size() / 2));
        saveThroughCommand(path, m_new);
        return 0;
    });
    QVERIFY2(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL,
             "the child should have been killed while writing");

    QCOMPARE(QFile::exists(path), oldFileExists);
    if (oldFileExists)
        QCOMPARE(contentOf(path), oldBytes);

    // The leftovers of the killed save do not get in the way of the next one.
    QCOMPARE(saveThroughCommand(path, m_new), 0);
    QCOMPARE(contentOf(path), newBytes);
    QCOMPARE(ReadingFile::decode(contentOf(path)), std::optional<Reading>(m_new));
#endif
}

void TestInterruptedSave::killedAtRandomMoments()
{
#ifdef Q_OS_UNIX
    const QString path = m_dir.filePath(QStringLiteral("busy.mca"));
    const QByteArray oldBytes = ReadingFile::encode(m_old);
    const QByteArray newBytes = ReadingFile::encode(m_new);
    writeFile(path, oldBytes);

    QRandomGenerator random(20261207);
    for (int round = 0; round < 25; ++round) {
        int ready[2];
        QCOMPARE(pipe(ready), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            ::close(ready[0]);
            const char go = 'g';
            if (::write(ready[1], &go, 1) != 1)
                _exit(2);
            for (int i = 0;; ++i)
                saveThroughCommand(path, (i % 2) ? m_new : m_old);
        }
        ::close(ready[1]);
        char go = 0;
        QCOMPARE(::read(ready[0], &go, 1), ssize_t(1));
        ::close(ready[0]);
        QThread::usleep(random.bounded(200, 5000));
        ::kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        QVERIFY(WIFSIGNALED(status));

        const QByteArray found = contentOf(path);
        QVERIFY2(found == oldBytes || found == newBytes,
                 qPrintable(QStringLiteral("round %1 left %2 bytes: %3")
                                .arg(round)
                                .arg(found.size())
                                .arg(QString::fromLatin1(found.toHex()))));
    }
#endif
}

void TestInterruptedSave::fullDiskReportsAndKeepsTheOldFile()
{
#ifdef Q_OS_UNIX
    // A folder of its own, so only this save's leftovers could show up in it.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("full.mca"));
    const QByteArray oldBytes = ReadingFile::encode(m_old);
    writeFile(path, oldBytes);

    // With SIGXFSZ ignored, a write past the cap fails with EFBIG, as on a full disk.
    const int status = inChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        limitFileSize(8);
        FakePlatform platform;
        platform.fileNames.enqueue(path);
        ReadingFileCommands(platform).save(nullptr, m_new);
        const bool reported = platform.messages.size() == 1
            && platform.messages.first().icon == Platform::Icon::Critical;
        return reported ? 0 : 3;
    });
    QVERIFY2(WIFEXITED(status), "the child should have finished its save");
    QVERIFY2(WEXITSTATUS(status) == 0, "a failed save should show one critical message");
    QCOMPARE(contentOf(path), oldBytes);
    const QStringList leftovers = QDir(dir.path()).entryList(QDir::Files);
    QCOMPARE(leftovers, QStringList{QStringLiteral("full.mca")});
#endif
}

QTEST_GUILESS_MAIN(TestInterruptedSave)
#include "tst_interruptedsave.moc"
