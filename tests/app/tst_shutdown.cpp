#include "app/shutdown.h"

#include "reading/draw.h"
#include "storage/readingfile.h"
#include "support/fakeplatform.h"
#include "support/scriptedrandom.h"
#include "web/exitscreen.h"
#include "windows/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>

using namespace Orvella;
using Orvella::Test::FakePlatform;
using Orvella::Test::ScriptedRandom;

namespace {

enum class Way { CloseBox, ExitCommand };

QList<QWidget *> visibleWindows()
{
    QList<QWidget *> windows;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            windows << window;
    }
    return windows;
}

// A window whose own closing closes another one first, as an unload step might.
class ClosesAnother : public QWidget
{
public:
    QWidget *other = nullptr;
    int closes = 0;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++closes;
        if (other)
            other->close();
        QWidget::closeEvent(event);
    }
};

} // namespace

Q_DECLARE_METATYPE(Way)

class TestShutdown : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void closingMainWindowShowsExitScreen_data();
    void closingMainWindowShowsExitScreen();
    void closingExitScreenEndsEverything_data();
    void closingExitScreenEndsEverything();
    void openedReadingLoadsExitScreenHiddenOnce();
    void cancelledOpenLoadsNothing();
    void closeAllFormsClosesEveryWindow();
    void closeAllFormsNeverBringsBackTheExitScreen();
    void defaultEndLeavesTheLoopWithZero();
    void defaultEndBeforeTheLoopStillEndsIt();
    void installedProgramRunsToExitCodeZero();

private:
    void closeMainWindow(Way way);
    void openReadingFile();

    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<ScriptedRandom> m_random;
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<Shutdown> m_shutdown;
    int m_quits = 0;
    QTemporaryDir m_dir;
};

void TestShutdown::init()
{
    m_platform = std::make_unique<FakePlatform>();
    m_random = std::make_unique<ScriptedRandom>();
    m_main = std::make_unique<MainWindow>(*m_platform, *m_random);
    m_shutdown = std::make_unique<Shutdown>(*m_platform, *m_random);
    m_quits = 0;
    m_shutdown->setQuit([this] { ++m_quits; });
    m_shutdown->watch(*m_main);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
}

void TestShutdown::cleanup()
{
    m_shutdown.reset();
    m_main.reset();
    QVERIFY(visibleWindows().isEmpty());
}

void TestShutdown::closeMainWindow(Way way)
{
    if (way == Way::CloseBox) {
        // The road of the window system's close request.
        QVERIFY(m_main->windowHandle()->close());
    } else {
        auto *exit = m_main->findChild<QAction *>(QStringLiteral("mnuExit"));
        QVERIFY(exit);
        exit->trigger();
    }
}

void TestShutdown::openReadingFile()
{
    QVERIFY(m_dir.isValid());
    Reading reading;
    ScriptedRandom drawing;
    Draw(reading, 2, drawing);
    const QString path = m_dir.filePath(QStringLiteral("wheel.mca"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ReadingFile::encode(reading));
    file.close();

    m_platform->fileNames.enqueue(path);
    QTest::mouseClick(m_main->findChild<QPushButton *>(QStringLiteral("cmdOpen")), Qt::LeftButton);
    QVERIFY2(m_platform->messages.isEmpty(), qPrintable(m_platform->messageTexts().join('|')));
    QCOMPARE(m_main->reading().spreadIndex, qint16(2));
}

void TestShutdown::closingMainWindowShowsExitScreen_data()
{
    QTest::addColumn<Way>("way");
    QTest::newRow("close box") << Way::CloseBox;
    QTest::newRow("File E&xit") << Way::ExitCommand;
}

void TestShutdown::closingMainWindowShowsExitScreen()
{
    QFETCH(Way, way);
    QVERIFY(!m_shutdown->exitScreen());
    const int seeds = m_random->seeds();

    closeMainWindow(way);

    QVERIFY(!m_main->isVisible());
    ExitScreen *screen = m_shutdown->exitScreen();
    QVERIFY(screen);
    QVERIFY(screen->isVisible());
    QVERIFY(!screen->isModal());
    QCOMPARE(visibleWindows(), QList<QWidget *>{screen});
    // Loaded now, so its load step ran now: one reseed.
    QCOMPARE(m_random->seeds(), seeds + 1);
    QCOMPARE(m_quits, 0);
    QVERIFY(m_platform->openedUrls.isEmpty());
}

void TestShutdown::closingExitScreenEndsEverything_data()
{
    QTest::addColumn<Way>("way");
    QTest::addColumn<bool>("mayEnd");
    QTest::newRow("close box") << Way::CloseBox << true;
    QTest::newRow("E&xit button") << Way::ExitCommand << true;
    QTest::newRow("the user stays") << Way::ExitCommand << false;
}

void TestShutdown::closingExitScreenEndsEverything()
{
    QFETCH(Way, way);
    QFETCH(bool, mayEnd);
    m_shutdown->setMayEnd([mayEnd] { return mayEnd; });
    closeMainWindow(Way::CloseBox);
    ExitScreen *screen = m_shutdown->exitScreen();
    QVERIFY(screen);

    if (way == Way::CloseBox)
        QVERIFY(screen->windowHandle()->close());
    else
        QTest::mouseClick(screen->findChild<QPushButton *>(QStringLiteral("cmdClose")),
                          Qt::LeftButton);

    if (!mayEnd) { // back in the program, where what held the end can be put right
        QCOMPARE(visibleWindows(), QList<QWidget *>{m_main.get()});
        QCOMPARE(m_quits, 0);
        return;
    }
    QCOMPARE(m_quits, 1);
    QVERIFY(visibleWindows().isEmpty());
    // Nothing the ending does brings a window back or ends twice.
    QCoreApplication::processEvents();
    QVERIFY(visibleWindows().isEmpty());
    QCOMPARE(m_quits, 1);
    QVERIFY(m_platform->messages.isEmpty());
}

void TestShutdown::openedReadingLoadsExitScreenHiddenOnce()
{
    const int seeds = m_random->seeds();
    openReadingFile();
    ExitScreen *screen = m_shutdown->exitScreen();
    QVERIFY(screen);
    QVERIFY(!screen->isVisible());
    QCOMPARE(m_random->seeds(), seeds + 1);
    const QString supportText = screen->findChild<QLabel *>(QStringLiteral("Label2"))->text();
    QVERIFY(!supportText.isEmpty());

    // A second open finds it loaded: no new load, no reseed.
    openReadingFile();
    QCOMPARE(m_shutdown->exitScreen(), screen);
    QVERIFY(!screen->isVisible());
    QCOMPARE(m_random->seeds(), seeds + 1);

    // At exit the same window shows, with the text chosen at that first load.
    closeMainWindow(Way::CloseBox);
    QCOMPARE(m_shutdown->exitScreen(), screen);
    QVERIFY(screen->isVisible());
    QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("Label2"))->text(), supportText);
    QCOMPARE(m_random->seeds(), seeds + 1);
    QCOMPARE(visibleWindows(), QList<QWidget *>{screen});
}

void TestShutdown::cancelledOpenLoadsNothing()
{
    QTest::mouseClick(m_main->findChild<QPushButton *>(QStringLiteral("cmdOpen")), Qt::LeftButton);
    QCOMPARE(m_platform->openRequests.size(), 1);
    QVERIFY(!m_shutdown->exitScreen());
}

void TestShutdown::closeAllFormsClosesEveryWindow()
{
    m_main->hide();
    auto *deleted = new QWidget;
    deleted->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<QWidget> deletedGuard(deleted);
    QWidget plain;
    ClosesAnother closer;
    QWidget hidden;
    closer.other = &plain;
    deleted->show();
    closer.show();
    plain.show();
    QCOMPARE(visibleWindows().size(), 3);

    int quits = 0;
    CloseAllForms([&] { ++quits; });
    QCOMPARE(quits, 1);
    QVERIFY(visibleWindows().isEmpty());
    QCOMPARE(closer.closes, 1);
    QVERIFY(!hidden.isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(deletedGuard.isNull());
}

void TestShutdown::closeAllFormsNeverBringsBackTheExitScreen()
{
    // The main window still open when everything is closed (a refused start, say):
    // its closing is part of the end and shows nothing.
    int quits = 0;
    CloseAllForms([&] { ++quits; });
    QCOMPARE(quits, 1);
    QVERIFY(!m_main->isVisible());
    QVERIFY(!m_shutdown->exitScreen());
    QVERIFY(visibleWindows().isEmpty());
}

void TestShutdown::defaultEndLeavesTheLoopWithZero()
{
    m_main->hide();
    QWidget window;
    window.show();
    QTimer::singleShot(0, [] { CloseAllForms(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(3); }); // never reached when sound
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window.isVisible());
}

void TestShutdown::defaultEndBeforeTheLoopStillEndsIt()
{
    m_main->hide();
    CloseAllForms();
    QTimer::singleShot(5000, [] { QCoreApplication::exit(3); });
    QCOMPARE(QApplication::exec(), 0);
}

void TestShutdown::installedProgramRunsToExitCodeZero()
{
    // The program's own wiring: no replaced ending, the real event loop.
    m_shutdown.reset();
    const bool quitOnLast = QApplication::quitOnLastWindowClosed();
    QPointer<Shutdown> shutdown = installShutdown(*m_main, *m_platform, *m_random);
    QVERIFY(shutdown);
    QCOMPARE(shutdown->parent(), QCoreApplication::instance());
    QVERIFY(!QApplication::quitOnLastWindowClosed());

    QPointer<ExitScreen> screen;
    QTimer::singleShot(0, [&] {
        QVERIFY(m_main->windowHandle()->close());
        screen = shutdown->exitScreen();
        QVERIFY(screen && screen->isVisible());
        // With the main window gone, the program runs on until the exit screen closes.
        QTimer::singleShot(50, [&] {
            QVERIFY(screen && screen->isVisible());
            QTest::mouseClick(screen->findChild<QPushButton *>(QStringLiteral("cmdClose")),
                              Qt::LeftButton);
        });
    });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(3); });
    QCOMPARE(QApplication::exec(), 0);
    // The exit screen went while the application still stood.
    QVERIFY(screen.isNull());
    QVERIFY(visibleWindows().isEmpty());

    delete shutdown.data();
    QApplication::setQuitOnLastWindowClosed(quitOnLast);
}

QTEST_MAIN(TestShutdown)
#include "tst_shutdown.moc"
