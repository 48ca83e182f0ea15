#include "shutdown.h"

#include "web/exitscreen.h"
#include "windows/mainwindow.h"

#include <QApplication>
#include <QList>
#include <QThread>
#include <QWidget>

namespace Orvella {

namespace {

// Set while CloseAllForms closes the windows: the main window's closing then
// is part of the end, not a request to show the exit screen.
bool closingAll = false;

void endEventLoop()
{
    if (QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(0);
        return;
    }
    // exit() outside a running loop is lost; a queued one ends the loop it starts.
    if (QCoreApplication *app = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

} // namespace

void CloseAllForms(const std::function<void()> &quit)
{
    if (!closingAll) {
        closingAll = true;
        QList<QPointer<QWidget>> windows;
        for (QWidget *window : QApplication::topLevelWidgets())
            windows.append(window);
        for (const QPointer<QWidget> &window : std::as_const(windows)) {
            // A window's close handler may have closed or deleted another one already.
            if (window && window->isVisible())
                window->close();
        }
        closingAll = false;
    }
    if (quit)
        quit();
    else
        endEventLoop();
}

Shutdown::Shutdown(Platform &platform, RandomSource &random, QObject *parent)
    : QObject(parent), m_platform(platform), m_random(random)
{}

Shutdown::~Shutdown()
{
    delete m_exitScreen.data();
}

ExitScreen *Shutdown::exitScreen() const
{
    return m_exitScreen;
}

void Shutdown::watch(MainWindow &mainWindow)
{
    m_mainWindow = &mainWindow;
    connect(&mainWindow, &MainWindow::closing, this, &Shutdown::showExitScreen);
    connect(&mainWindow, &MainWindow::readingOpened, this, &Shutdown::hideExitScreen);
}

void Shutdown::showExitScreen()
{
    if (m_ending || closingAll)
        return;
    loadedExitScreen().show();
}

void Shutdown::hideExitScreen()
{
    if (m_ending || closingAll)
        return;
    loadedExitScreen().hide();
}

ExitScreen &Shutdown::loadedExitScreen()
{
    if (!m_exitScreen) {
        m_exitScreen = new ExitScreen(m_platform, m_random);
        connect(m_exitScreen, &ExitScreen::exitRequested, this, &Shutdown::end);
    }
    return *m_exitScreen;
}

void Shutdown::end()
{
    if (m_ending)
        return;
    if (m_mayEnd && !m_mayEnd()) {
        if (m_mainWindow)
            m_mainWindow->show();
        return;
    }
    m_ending = true;
    CloseAllForms(m_quit);
}

Shutdown *installShutdown(MainWindow &mainWindow, Platform &platform, RandomSource &random)
{
    QApplication::setQuitOnLastWindowClosed(false);
    auto *shutdown = new Shutdown(platform, random, QCoreApplication::instance());
    shutdown->watch(mainWindow);
    // Windows go while the application object still stands.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, shutdown,
                     [shutdown] { delete shutdown->exitScreen(); });
    return shutdown;
}

} // namespace Orvella
