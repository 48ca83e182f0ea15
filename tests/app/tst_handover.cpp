#include "app/handover.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <future>

using namespace Orvella;
using namespace std::chrono_literals;

class TestHandOver : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void inboxIsPrivate();
    void runningCopyAnswers_data();
    void runningCopyAnswers();
    void requestWaitingBeforeTheStartIsAnswered();
    void nobodyAnswersAndTheRequestIsWithdrawn();
    void junkIsIgnored();
    void handOverSurvivesAccidents_data();
    void handOverSurvivesAccidents();

private:
    // Hands @p path over from another thread while this one runs the running copy's events.
    HandOver::Answer handOverWhileRunning(const QString &path);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_inbox;
    QStringList m_received;
    qint64 m_longestPause = 0; // the running copy's longest stretch without answering, in ms
};

void TestHandOver::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_inbox = HandOver::inbox(m_dir->path());
    QVERIFY(!m_inbox.isEmpty());
    m_received.clear();
}

HandOver::Answer TestHandOver::handOverWhileRunning(const QString &path)
{
    auto answer = std::async(std::launch::async,
                             [this, path] { return HandOver::handOver(m_inbox, path, 5s); });
    m_longestPause = 0;
    while (answer.wait_for(10ms) != std::future_status::ready) {
        QElapsedTimer pause;
        pause.start();
        QCoreApplication::processEvents();
        m_longestPause = std::max(m_longestPause, pause.elapsed());
    }
    return answer.get();
}

void TestHandOver::inboxIsPrivate()
{
#ifdef Q_OS_UNIX
    const auto permissions = QFileInfo(m_inbox).permissions();
    QCOMPARE(permissions
                 & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                    | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther),
             QFileDevice::Permissions());
    // Loosened by someone: made private again before it is used.
    QFile::setPermissions(m_inbox, permissions | QFileDevice::WriteOther);
    QCOMPARE(HandOver::inbox(m_dir->path()), m_inbox);
    QVERIFY(!(QFileInfo(m_inbox).permissions() & QFileDevice::WriteOther));
#else
    QSKIP("Folder permissions are a Unix matter");
#endif
}

void TestHandOver::runningCopyAnswers_data()
{
    QTest::addColumn<bool>("takes");
    QTest::addColumn<HandOver::Answer>("answer");
    QTest::newRow("a copy that can show it") << true << HandOver::Answer::Accepted;
    QTest::newRow("a copy that is ending") << false << HandOver::Answer::Refused;
}

void TestHandOver::runningCopyAnswers()
{
    QFETCH(bool, takes);
    QFETCH(HandOver::Answer, answer);
    HandOverInbox inbox(m_inbox, [&](const QString &path) {
        m_received << path;
        return takes;
    });
    QVERIFY(inbox.start());
    QCOMPARE(handOverWhileRunning(QStringLiteral("readings/mine.mca")), answer);
    // Named as the second start saw it: from its own working folder.
    QCOMPARE(m_received,
             QStringList{QDir::current().absoluteFilePath(QStringLiteral("readings/mine.mca"))});
    QVERIFY(QDir(m_inbox).isEmpty());
}

void TestHandOver::requestWaitingBeforeTheStartIsAnswered()
{
    auto answer = std::async(std::launch::async, [this] {
        return HandOver::handOver(m_inbox, QStringLiteral("/early.mca"), 5s);
    });
    QTRY_VERIFY(!QDir(m_inbox).entryList({QStringLiteral("*.request")}).isEmpty());
    HandOverInbox inbox(m_inbox, [&](const QString &path) {
        m_received << path;
        return true;
    });
    inbox.start();
    while (answer.wait_for(10ms) != std::future_status::ready)
        QCoreApplication::processEvents();
    QCOMPARE(answer.get(), HandOver::Answer::Accepted);
    QCOMPARE(m_received, QStringList{QStringLiteral("/early.mca")});
}

void TestHandOver::nobodyAnswersAndTheRequestIsWithdrawn()
{
    QCOMPARE(HandOver::handOver(m_inbox, QStringLiteral("/lost.mca"), 200ms),
                                HandOver::Answer::NoAnswer);
    QVERIFY(QDir(m_inbox).isEmpty());
    QCOMPARE(HandOver::handOver(QString(), QStringLiteral("/lost.mca"), 200ms),
                                HandOver::Answer::NoAnswer);

    // Taken but never answered (the copy ended while taking it): the wait
    // still ends with its time, the grace for an answer included.
    std::atomic<bool> waiting = true;
    auto taker = std::async(std::launch::async, [&] {
        for (; waiting; QThread::msleep(1))
            QFile::remove(QDir(m_inbox).filePath(QStringLiteral("0.request")));
    });
    QElapsedTimer took;
    took.start();
    QCOMPARE(HandOver::handOver(m_inbox, QStringLiteral("/lost.mca"), 500ms),
             HandOver::Answer::NoAnswer);
    waiting = false;
    // Far from the 5 s a start waits, whatever else the machine is running.
    QVERIFY2(took.elapsed() < 2500, qPrintable(QString::number(took.elapsed())));

    // A refused inbox is no path at all, never the working folder.
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    const auto restore = qScopeGuard([&] { QDir::setCurrent(before); });
    QVERIFY(QFile(QStringLiteral("0.request")).open(QIODevice::WriteOnly));
    HandOver::clear(QString());
    QVERIFY(QFile::exists(QStringLiteral("0.request")));

    // An answer its asker never came for is cleared once it is long past any wait.
    const QDir inbox(m_inbox);
    QFile old(inbox.filePath(QStringLiteral("old.answer")));
    QVERIFY(QFile(inbox.filePath(QStringLiteral("new.answer"))).open(QIODevice::WriteOnly)
            && old.open(QIODevice::WriteOnly)
            && old.setFileTime(QDateTime::currentDateTime().addSecs(-120),
                               QFileDevice::FileModificationTime));
    old.close();
    HandOver::clear(m_inbox);
    QCOMPARE(inbox.entryList(QDir::Files), QStringList{QStringLiteral("new.answer")});
}

void TestHandOver::junkIsIgnored()
{
    const QDir folder(m_inbox);
    auto put = [&](const QString &name, const QByteArray &content) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    };
    // Junk in the places requests go: read, found wanting and removed unanswered.
    put(QStringLiteral("0.request"), "not a hand-over\n/x.mca");
    put(QStringLiteral("1.request"), QByteArray(100 * 1024, 'x'));
    put(QStringLiteral("2.request"), "orvella-medicine-cards hand-over 2\n");
    // Anything else is not ours to judge, whatever its name.
    put(QStringLiteral("a.request"), "orvella-medicine-cards hand-over 2\n/x.mca");
    put(QStringLiteral("notes.txt"), "orvella-medicine-cards hand-over 2\n/x.mca");
    QVERIFY(folder.mkdir(QStringLiteral("3.request")));

    HandOverInbox inbox(m_inbox, [&](const QString &path) {
        m_received << path;
        return true;
    });
    inbox.start();
    QVERIFY(m_received.isEmpty());
    QCOMPARE(folder.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
             (QStringList{QStringLiteral("3.request"), QStringLiteral("a.request"),
                          QStringLiteral("notes.txt")}));
    // And the inbox still answers a real request.
    QCOMPARE(handOverWhileRunning(QStringLiteral("/real.mca")), HandOver::Answer::Accepted);
    QCOMPARE(m_received, QStringList{QStringLiteral("/real.mca")});
}

void TestHandOver::handOverSurvivesAccidents_data()
{
    QTest::addColumn<QString>("accident");
    QTest::addColumn<QString>("name");
    QTest::newRow("the inbox removed while running") << "removed" << "plain.mca";
    QTest::newRow("a line break in the name") << "" << "two\nlines.mca";
    QTest::newRow("any other character in the name")
        << "" << QStringLiteral("tab\t, %41 %, \"quoted\", \\ ünï 🂡.mca");
    QTest::newRow("twenty thousand stray files") << "strays" << "plain.mca";
}

void TestHandOver::handOverSurvivesAccidents()
{
    QFETCH(QString, accident);
    QFETCH(QString, name);
    HandOverInbox inbox(m_inbox, [&](const QString &path) {
        m_received << path;
        return true;
    });
    QVERIFY(inbox.start());
    if (accident == QLatin1String("removed"))
        QVERIFY(QDir(m_inbox).removeRecursively());
    for (int i = 0; accident == QLatin1String("strays") && i < 20000; ++i)
        QFile(QDir(m_inbox).filePath(QStringLiteral("stray-%1").arg(i))).open(QIODevice::WriteOnly);
    QTest::qWait(200); // the news of their coming is a cost of their coming, not of a hand-over

    // Each of a few hand-overs in a row, well within its 5 s, the window answering throughout
    // (the bounds leave room for a loaded machine, not for the seconds the fault took).
    const QString path = m_dir->filePath(name);
    for (int attempt = 0; attempt < 3; ++attempt) {
        QElapsedTimer took;
        took.start();
        QCOMPARE(handOverWhileRunning(path), HandOver::Answer::Accepted);
        QVERIFY2(took.elapsed() < 2500, qPrintable(QString::number(took.elapsed())));
        QVERIFY2(m_longestPause < 400, qPrintable(QString::number(m_longestPause)));
    }
    QCOMPARE(m_received, QStringList(3, path));
}

QTEST_GUILESS_MAIN(TestHandOver)
#include "tst_handover.moc"
