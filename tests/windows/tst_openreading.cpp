#include "platform/qtplatform.h"
#include "session/readingfilecommands.h"
#include "storage/readingfile.h"
#include "support/files.h"
#include "support/mainwindowdriver.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <thread>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Orvella;
using Orvella::Test::MainWindowDriver;
using Orvella::Test::writeFile;

namespace {

const QString Refusal = QStringLiteral("Please Check The File.");

Reading moonLodge()
{
    Reading reading;
    reading.spreadIndex = 4;
    reading.cards = {4, 9, 14, 19, 24, 0};
    reading.orientations = {1, 0, 1, 0, 1, 0};
    return reading;
}

} // namespace

class TestOpenReading : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void refusedPathLeavesEverythingAsItWas_data();
    void refusedPathLeavesEverythingAsItWas();
    void aPipeIsNeverOpened();
    void typedNameGetsTheDefaultExtension();
    void handedReadingWaitsForAModalBox();
    void handedReadingRefusedOnceTheWindowIsClosed();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindowDriver> m_driver;
};

void TestOpenReading::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_driver = std::make_unique<MainWindowDriver>();
    QVERIFY(m_driver->show());
    // A reading on show, to see that a refused path changes nothing of it.
    m_driver->proceed(QStringLiteral("Ann"), 1);
}

void TestOpenReading::cleanup()
{
    m_driver.reset();
    m_dir.reset();
}

void TestOpenReading::refusedPathLeavesEverythingAsItWas_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // written to the file; null: made by the test row
    QTest::newRow("a folder named like a reading") << "folder.mca" << QByteArray();
    QTest::newRow("a file far too large")
        << "large.mca" << QByteArray(ReadingFile::MaxFileSize + 1, '1');
    QTest::newRow("no such file") << "missing.mca" << QByteArray();
    QTest::newRow("another extension") << "reading.MCA" << ReadingFile::encode(moonLodge());
    QTest::newRow("damaged") << "damaged.mca" << QByteArray("\xb1\r\n");
}

void TestOpenReading::refusedPathLeavesEverythingAsItWas()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    if (name.startsWith(u"folder"))
        QVERIFY(QDir(m_dir->path()).mkdir(name));
    else if (!content.isNull())
        QVERIFY(writeFile(path(name), content));
    const Reading before = m_driver->window().reading();

    m_driver->window().openReading(path(name));
    QCOMPARE(m_driver->platform().messageTexts(), QStringList{Refusal});
    QCOMPARE(m_driver->window().reading(), before);
    QVERIFY(m_driver->resultInFront());
}

void TestOpenReading::aPipeIsNeverOpened()
{
#ifdef Q_OS_UNIX
    const QByteArray pipe = path(QStringLiteral("pipe.mca")).toLocal8Bit();
    QCOMPARE(mkfifo(pipe.constData(), 0600), 0);
    // Looking at what it opened, without waiting, is fine; waiting for a writer
    // is not. One that still waits after seconds is let go by a writer, so the
    // test ends, and fails.
    std::atomic<bool> done = false;
    std::atomic<bool> waited = false;
    std::thread watchdog([&] {
        for (int i = 0; i < 400 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (!done) {
            waited = true;
            const int writer = open(pipe.constData(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0)
                close(writer);
        }
    });
    const Reading before = m_driver->window().reading();
    m_driver->window().openReading(QString::fromLocal8Bit(pipe));
    done = true;
    watchdog.join();
    QVERIFY(!waited);
    QCOMPARE(m_driver->platform().messageTexts(), QStringList{Refusal});
    QCOMPARE(m_driver->window().reading(), before);
#else
    QSKIP("Named pipes are made with a Unix call");
#endif
}

void TestOpenReading::typedNameGetsTheDefaultExtension()
{
    QVERIFY(writeFile(path(QStringLiteral("reading1.mca")), ReadingFile::encode(moonLodge())));
    // The open dialog asks for it...
    m_driver->platform().fileNames.enqueue(path(QStringLiteral("reading1")));
    m_driver->click(QStringLiteral("cmdBack"));
    m_driver->click(QStringLiteral("cmdOpen"));
    QCOMPARE(m_driver->platform().openRequests.value(0).defaultSuffix, QStringLiteral("mca"));
    // ...and whatever the desktop's dialog gives back, "reading1" opens reading1.mca.
    QCOMPARE(m_driver->window().reading().spreadIndex, qint16(4));
    QVERIFY(m_driver->resultInFront());

    // The program's own dialog, answered by typing the name without its extension.
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->setDirectory(m_dir->path());
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QTest::keyClicks(name, QStringLiteral("reading1"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    QtPlatform platform;
    const QString chosen = platform.openFileName(nullptr, ReadingFileCommands::openTitle(),
                                                 ReadingFileCommands::fileFilter(),
                                                 QStringLiteral("mca"));
    QCOMPARE(chosen, path(QStringLiteral("reading1.mca")));
}

void TestOpenReading::handedReadingWaitsForAModalBox()
{
    QVERIFY(writeFile(path(QStringLiteral("handed.mca")), ReadingFile::encode(moonLodge())));
    m_driver->window().showMinimized(); // and out of sight: it comes back to be seen
    QMessageBox box(&m_driver->window());
    box.setModal(true);
    box.show();
    QVERIFY(m_driver->window().receiveReading(path(QStringLiteral("handed.mca"))));
    QTest::qWait(400);
    QVERIFY(m_driver->window().reading().spreadIndex != 4); // still waiting behind the box
    box.close();
    QTRY_COMPARE(m_driver->window().reading().spreadIndex, qint16(4));
    QVERIFY(m_driver->resultInFront() && !m_driver->window().isMinimized());
}

void TestOpenReading::handedReadingRefusedOnceTheWindowIsClosed()
{
    QVERIFY(writeFile(path(QStringLiteral("late.mca")), ReadingFile::encode(moonLodge())));
    m_driver->window().close();
    QVERIFY(!m_driver->window().receiveReading(path(QStringLiteral("late.mca"))));
    QTest::qWait(50);
    QVERIFY(m_driver->window().reading().spreadIndex != 4);
}

QTEST_MAIN(TestOpenReading)
#include "tst_openreading.moc"
