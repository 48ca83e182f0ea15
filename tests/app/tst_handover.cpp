#include "app/handover.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

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

private:
    // Hands @p path over from another thread while this one runs the running copy's events.
    HandOver::Answer handOverWhileRunning(const QString &path);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_inbox;
    QStringList m_received;
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
    while (answer.wait_for(10ms) != std::future_status::ready)
        QCoreApplication::processEvents();
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
}

void TestHandOver::junkIsIgnored()
{
    const QDir folder(m_inbox);
    auto put = [&](const QString &name, const QByteArray &content) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    };
    put(QStringLiteral("a.request"), "not a hand-over\n/x.mca");
    put(QStringLiteral("b.request"), QByteArray(100 * 1024, 'x'));
    put(QStringLiteral("c.request"), "orvella-medicine-cards hand-over 1\n");
    put(QStringLiteral("notes.txt"), "orvella-medicine-cards hand-over 1\n/x.mca");
    QVERIFY(folder.mkdir(QStringLiteral("d.request")));

    HandOverInbox inbox(m_inbox, [&](const QString &path) {
        m_received << path;
        return true;
    });
    inbox.start();
    QVERIFY(m_received.isEmpty());
    // The junk requests are gone unanswered; what is not a request is left alone.
    QCOMPARE(folder.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
             (QStringList{QStringLiteral("d.request"), QStringLiteral("notes.txt")}));
    // And the inbox still answers a real request.
    QCOMPARE(handOverWhileRunning(QStringLiteral("/real.mca")), HandOver::Answer::Accepted);
    QCOMPARE(m_received, QStringList{QStringLiteral("/real.mca")});
}

QTEST_GUILESS_MAIN(TestHandOver)
#include "tst_handover.moc"
