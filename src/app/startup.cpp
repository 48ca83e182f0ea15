#include "startup.h"

#include "platform/platform.h"
#include "reading/mainwindow.h"
#include "reading/randomsource.h"
#include "storage/settingsstore.h"
#include "web/updatecheck.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>

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
    if (m_lock.isLocked() || m_lock.tryLock(0))
        return true;
    // Only a live copy holding the lock refuses the start; a lock that cannot
    // be made at all (no writable temporary folder) must not keep the program out.
    return m_lock.error() != QLockFile::LockFailedError;
}

QString InstanceLock::defaultPath()
{
    const QByteArray home = QDir::homePath().toUtf8();
    const QString user = QString::fromLatin1(
        QCryptographicHash::hash(home, QCryptographicHash::Sha256).toHex().left(16));
    QString folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("orvella-medicine-cards-%1.lock").arg(user));
}

ProgramStartup::ProgramStartup(Platform &platform, RandomSource &random)
    : m_platform(platform), m_random(random)
{}

ProgramStartup::~ProgramStartup() = default;

bool ProgramStartup::anotherCopyIsRunning()
{
    return !m_lock.acquire();
}

void ProgramStartup::refuseSecondCopy()
{
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
    m_mainWindow = std::make_unique<MainWindow>(m_platform, m_random);
    m_mainWindow->show();
}

void ProgramStartup::coBrandRandomize()
{
    if (m_mainWindow)
        m_mainWindow->CoBrand_Randomize();
}

} // namespace Orvella
