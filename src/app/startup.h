#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace Orvella {

class MainWindow;
class Platform;
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
 * The previous-instance test: a lock file per user. A copy that crashed or was
 * killed leaves a lock whose process is gone; the next start takes it over.
 */
class InstanceLock
{
public:
    explicit InstanceLock(const QString &path = defaultPath());

    /** True when this copy now holds the lock, or when no lock can be made at all. */
    bool acquire();
    bool isHeld() const { return m_lock.isLocked(); }
    QString path() const { return m_path; }

    /** In the temporary folder, named after the user's home, since $USER may be unset. */
    static QString defaultPath();

private:
    QString m_path;
    QLockFile m_lock;
};

/** Start-up of the real program, on the real desktop. */
class ProgramStartup : public StartupSteps
{
public:
    ProgramStartup(Platform &platform, RandomSource &random);
    ~ProgramStartup() override;

    bool anotherCopyIsRunning() override;
    void refuseSecondCopy() override;
    void seedRandom() override;
    void checkForUpdate() override;
    void showMainWindow() override;
    void coBrandRandomize() override;

    /** Null until the main window has been shown. */
    MainWindow *mainWindow() const { return m_mainWindow.get(); }

private:
    Platform &m_platform;
    RandomSource &m_random;
    InstanceLock m_lock;
    std::unique_ptr<MainWindow> m_mainWindow;
};

} // namespace Orvella
