#pragma once

#include "platform/processlock.h"

#include <QString>

#include <chrono>
#include <memory>

namespace Orvella {

class Journal;
class MainWindow;
class Platform;
class ReadingSession;
class RandomSource;

/** The steps of start-up, one call each, so their order can be checked. */
class StartupSteps
{
public:
    virtual ~StartupSteps() = default;

    /** The previous-instance test: true when another copy of the program is running. */
    virtual bool anotherCopyIsRunning() = 0;
    /** Tells the user this copy will not start. */
    virtual void refuseSecondCopy() = 0;
    virtual void seedRandom() = 0;
    virtual void checkForUpdate() = 0;
    virtual void showMainWindow() = 0;
    virtual void coBrandRandomize() = 0;
};

/**
 * Runs start-up in its fixed order. A step that fails is skipped and the next
 * one runs. Returns false when this copy must end at once (another one runs).
 */
bool runStartup(StartupSteps &steps);

/**
 * This user's folder for the running copy: its lock, the readings later
 * starts hand over and the journal. Found from the user's data folder, so it
 * is the same whatever the temporary folder of a start.
 */
QString instanceFolder();

/**
 * The previous-instance test: a lock per user, on a file in the instance
 * folder, that the system releases when the copy holding it ends, however
 * it ends; so a copy that crashed or was killed never keeps the next out.
 */
class InstanceLock
{
public:
    explicit InstanceLock(const QString &path = defaultPath());

    /**
     * True when this copy now holds the lock, or when no lock can be had there
     * at all (problem() says why): a lock that cannot be had keeps nobody out.
     */
    bool acquire();
    bool isHeld() const { return m_lock.isHeld(); }
    QString path() const { return m_path; }
    /** Why no lock could be had; empty when one was. */
    QString problem() const { return m_lock.problem(); }

    /**
     * "running.lock" in the instance folder: a name of its own, so that the
     * lock file of an earlier version, which had to be read, is never misread.
     */
    static QString defaultPath();

private:
    QString m_path;
    ProcessLock m_lock;
};

class HandOverInbox;

/**
 * Start-up of the real program, on the real desktop. A reading named on the
 * command line is opened once the main window is up, or, when another copy
 * runs, handed over to that copy instead of the refusal.
 */
class ProgramStartup : public StartupSteps
{
public:
    /** How long a second start waits for the running copy to take its reading. */
    static constexpr std::chrono::milliseconds HandOverPatience{5000};

    ProgramStartup(Platform &platform, RandomSource &random, const QString &readingToOpen = {},
                   std::chrono::milliseconds handOverPatience = HandOverPatience);
    ~ProgramStartup() override;

    bool anotherCopyIsRunning() override;
    /**
     * Hands the reading to open over to the running copy; refuses when there
     * is none, and says so when the running copy did not take it.
     */
    void refuseSecondCopy() override;
    void seedRandom() override;
    void checkForUpdate() override;
    void showMainWindow() override;
    void coBrandRandomize() override;

    /**
     * The name of the reading to open holds bytes that are not text here: the
     * file is not opened, nor handed over, and the user is told to rename it.
     */
    void refuseNameNotText() { m_nameNotText = true; }
    /** A reading to open was not handed over: the running copy did not take it, or its name. */
    bool readingNotHandedOver() const { return m_readingNotHandedOver; }
    /** Null until the main window has been shown. */
    MainWindow *mainWindow() const { return m_mainWindow.get(); }
    /** The reading the main window shows; null until the main window has been shown. */
    ReadingSession *session() const { return m_session.get(); }
    /** The journal of the readings shown; null until the main window has been shown. */
    Journal *journal() const { return m_journal.get(); }

    /**
     * Once the event loop runs: says, once, why the instance folder could not
     * be used or that it was made private again, opens the reading named on
     * the command line and takes the readings later starts hand over.
     */
    void openReadings();

private:
    /**
     * The user's folder and its inbox, made private where they were not (said
     * once, later); false, with the reason kept to be said, when the folder
     * is not to be used.
     */
    bool prepareInstanceFolder();

    Platform &m_platform;
    RandomSource &m_random;
    QString m_readingToOpen;
    std::chrono::milliseconds m_handOverPatience;
    bool m_readingNotHandedOver = false;
    bool m_nameNotText = false;
    InstanceLock m_lock;
    QString m_dataFolder;  // the user's private folder; empty when it is not to be used
    QString m_inboxFolder; // found with the lock, shared by both ends of a hand-over
    QString m_privacyProblem;
    QString m_privacyRepair;
    std::unique_ptr<ReadingSession> m_session;
    std::unique_ptr<Journal> m_journal;
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<HandOverInbox> m_inbox;
};

} // namespace Orvella
