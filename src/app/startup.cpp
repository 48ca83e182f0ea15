#include "startup.h"

#include "handover.h"
#include "journalviews/journal.h"
#include "journalviews/journalcommands.h"
#include "platform/fileaccess.h"
#include "platform/platform.h"
#include "platform/privatefolder.h"
#include "product/product.h"
#include "reading/randomsource.h"
#include "session/readingsession.h"
#include "storage/settingsstore.h"
#include "web/programicon.h"
#include "web/updatecheck.h"
#include "windows/mainwindow.h"

#include <QDir>
#include <QGuiApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

namespace Orvella {

namespace {

QString nameNotTextMessage()
{
    return QStringLiteral("The name of the file to open holds bytes that are not text here. "
                          "Rename the file, then open it again.");
}

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

QString notUsed(const QString &path, const QString &problem)
{
    return QStringLiteral("%1 is not used: %2.\nThe program goes on without it: readings are "
                          "not handed over to this copy, and another copy may start beside it.")
                              .arg(QDir::toNativeSeparators(path), problem);
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

InstanceLock::InstanceLock(const QString &path) : m_path(path) {}

bool InstanceLock::acquire()
{
    return m_lock.acquire(m_path) != ProcessLock::Result::HeldElsewhere;
}

QString instanceFolder()
{
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        data = QDir::home().filePath(QStringLiteral(".local/share"));
    return QDir(data).filePath(Product::id());
}

QString InstanceLock::defaultPath()
{
    return QDir(instanceFolder()).filePath(QStringLiteral("running.lock"));
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
    // Without a folder of the user's own there is no lock to look at.
    if (!prepareInstanceFolder())
        return false;
    if (!m_lock.acquire())
        return true;
    // A lock file that is there but not fit to use is named; a folder where
    // none can be made (read-only) just goes without.
    if (!m_lock.isHeld() && anythingAt(m_lock.path()) && m_privacyProblem.isEmpty())
        m_privacyProblem = notUsed(m_lock.path(), m_lock.problem());
    // Whatever lies in the inbox's places now was left by copies that have ended.
    HandOver::clear(m_inboxFolder);
    return false;
}

bool ProgramStartup::prepareInstanceFolder()
{
    // Nothing of the folder is used unless it is the user's alone: another
    // account could otherwise hand readings in, or keep the program out.
    const PrivateFolder folder = preparePrivateFolder(instanceFolder());
    if (!folder.isUsable()) {
        m_privacyProblem = notUsed(folder.path, folder.problem);
        return false;
    }
    m_dataFolder = folder.path;
    const PrivateFolder inbox = HandOver::prepareInbox(folder.path);
    if (inbox.isUsable())
        m_inboxFolder = inbox.path;
    else
        m_privacyProblem = notUsed(inbox.path, inbox.problem);
    if (folder.state == PrivateFolder::State::Repaired)
        m_privacyRepair = madePrivateNote(folder.path);
    else if (inbox.state == PrivateFolder::State::Repaired)
        m_privacyRepair = madePrivateNote(inbox.path);
    return true;
}

void ProgramStartup::refuseSecondCopy()
{
    if (m_nameNotText) {
        m_readingNotHandedOver = true;
        m_platform.showMessage(nullptr, nameNotTextMessage(), Platform::Icon::Critical);
        return;
    }
    // The patience is long enough for a copy that is still starting, or busy, to answer.
    if (m_readingToOpen.isEmpty()) {
        m_platform.showMessage(nullptr, QStringLiteral("Application is already running"),
                               Platform::Icon::Information);
        return;
    }
    if (HandOver::handOver(m_inboxFolder, m_readingToOpen, m_handOverPatience)
        == HandOver::Answer::Accepted)
        return;
    // Ending, or too busy to answer: the reading is not lost without a word.
    m_readingNotHandedOver = true;
    m_platform.showMessage(nullptr,
                           QStringLiteral("%1 was not opened: the copy of the program already "
                                          "running did not take it. Try again in a moment.")
                               .arg(QDir::toNativeSeparators(m_readingToOpen)),
                           Platform::Icon::Critical);
}

void ProgramStartup::seedRandom()
{
    m_random.seedFromClock();
}

void ProgramStartup::checkForUpdate()
{
    const std::unique_ptr<QSettings> store = openUserSettings();
    // The one box before the main window carries the program's icon too.
    if (store)
        CheckForUpdate(*store, m_platform, nullptr, showProgramIcon);
}

void ProgramStartup::showMainWindow()
{
    m_session = std::make_unique<ReadingSession>(m_platform, m_random);
    // Nothing of the journal is opened here: it is, the first time a reading is shown.
    m_journal = std::make_unique<Journal>(*m_session, m_platform, m_dataFolder);
    m_mainWindow = std::make_unique<MainWindow>(*m_session, m_platform, m_random);
    m_journal->setDialogParent(m_mainWindow.get());
    new JournalCommands(*m_mainWindow, *m_journal);
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
    // The window's map goes out to the display now, ahead of everything below
    // and of the event loop's first pass, which would otherwise hold it back.
    QGuiApplication::sync();
    // Decoded once, now: set before the window was made, its pictures were
    // decoded as the window was made and again as it was given them.
    showProgramIcon();
    // After the window is on screen: none of it costs the start anything.
    QTimer::singleShot(0, window, [this, window] {
        // Answering before anything is said: a second start is not kept
        // waiting while the user reads it.
        m_inbox = std::make_unique<HandOverInbox>(
            m_inboxFolder, [window](const QString &path) { return window->receiveReading(path); });
        m_inbox->start();
        // Said once: a refusal stays until it is put right, a repair is done.
        if (!m_privacyProblem.isEmpty())
            m_platform.showMessage(window, m_privacyProblem, Platform::Icon::Critical);
        else if (!m_privacyRepair.isEmpty())
            m_platform.showMessage(window, m_privacyRepair, Platform::Icon::Information);
        if (!m_readingToOpen.isEmpty())
            window->openReading(m_readingToOpen);
        if (m_nameNotText)
            m_platform.showMessage(window, nameNotTextMessage(), Platform::Icon::Critical);
    });
}

} // namespace Orvella
