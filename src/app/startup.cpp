#include "startup.h"

#include "handover.h"
#include "platform/platform.h"
#include "reading/randomsource.h"
#include "session/readingsession.h"
#include "storage/settingsstore.h"
#include "web/updatecheck.h"
#include "windows/mainwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

namespace Orvella {

namespace {

// A failing step is skipped; start-up goes on with the next one.
template<typename Step>
bool runStep(Step &&step)
{
    try {
        step();
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

bool runStartup(StartupSteps &steps)
{
    bool another = false;
    runStep([&] { another = steps.anotherCopyIsRunning(); });
    if (another) {
        runStep([&] { steps.refuseSecondCopy(); });
        return false;
    }
    runStep([&] { steps.seedRandom(); });
    runStep([&] { steps.checkForUpdate(); });
    runStep([&] { steps.showMainWindow(); });
    runStep([&] { steps.coBrandRandomize(); });
    return true;
}

InstanceLock::InstanceLock(const QString &path) : m_path(path), m_lock(path)
{
    // Only a lock whose process has gone is taken over, however old it is.
    m_lock.setStaleLockTime(0);
}

bool InstanceLock::acquire()
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    if (m_lock.isLocked() || m_lock.tryLock(0))
        return true;
    // Only a live copy holding the lock refuses the start; a lock that cannot
    // be made at all (no writable temporary folder) must not keep the program out.
    return m_lock.error() != QLockFile::LockFailedError;
}

QString instanceFolder()
{
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        data = QDir::home().filePath(QStringLiteral(".local/share"));
    return QDir(data).filePath(QStringLiteral("orvella-medicine-cards"));
}

QString InstanceLock::defaultPath()
{
    return QDir(instanceFolder()).filePath(QStringLiteral("instance.lock"));
}

ProgramStartup::ProgramStartup(Platform &platform, RandomSource &random,
                               const QString &readingToOpen,
                               std::chrono::milliseconds handOverPatience)
    : m_platform(platform), m_random(random), m_readingToOpen(readingToOpen),
      m_handOverPatience(handOverPatience)
{}

ProgramStartup::~ProgramStartup() = default;

bool ProgramStartup::anotherCopyIsRunning()
{
    m_inboxFolder = HandOver::inbox(instanceFolder());
    if (!m_lock.acquire())
        return true;
    // Whatever lies in the inbox now was left by copies that have ended.
    HandOver::clear(m_inboxFolder);
    return false;
}

void ProgramStartup::refuseSecondCopy()
{
    // The patience is long enough for a copy that is still starting, or busy, to answer.
    if (!m_readingToOpen.isEmpty()
        && HandOver::handOver(m_inboxFolder, m_readingToOpen, m_handOverPatience)
               == HandOver::Answer::Accepted)
        return;
    m_platform.showMessage(nullptr, QStringLiteral("Application is already running"),
                                                   Platform::Icon::Information);
}

void ProgramStartup::seedRandom()
{
    m_random.seedFromClock();
}

void ProgramStartup::checkForUpdate()
{
    const std::unique_ptr<QSettings> store = openUserSettings();
    if (store)
        CheckForUpdate(*store, m_platform);
}

void ProgramStartup::showMainWindow()
{
    m_session = std::make_unique<ReadingSession>(m_platform, m_random);
    m_mainWindow = std::make_unique<MainWindow>(*m_session, m_platform, m_random);
    m_mainWindow->show();
}

void ProgramStartup::coBrandRandomize()
{
    if (m_mainWindow)
        m_mainWindow->CoBrand_Randomize();
}

void ProgramStartup::openReadings()
{
    MainWindow *window = m_mainWindow.get();
    if (!window)
        return;
    // After the window is on screen: neither costs the start anything.
    QTimer::singleShot(0, window, [this, window] {
        m_inbox = std::make_unique<HandOverInbox>(
            m_inboxFolder, [window](const QString &path) { return window->receiveReading(path); });
        m_inbox->start();
        if (!m_readingToOpen.isEmpty())
            window->openReading(m_readingToOpen);
    });
}

} // namespace Orvella
