#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

namespace Orvella {

class ExitScreen;
class MainWindow;
class Platform;
class RandomSource;

/**
 * Closes every window still open, then ends the program through @p quit.
 * Without one it ends the event loop with exit code 0, or, before the loop
 * runs, makes the loop end as soon as it starts.
 */
void CloseAllForms(const std::function<void()> &quit = {});

/**
 * The road out of the program: closing the main window shows the exit screen;
 * closing the exit screen, by "E&xit" or its close box, runs CloseAllForms.
 * Opening a reading loads the exit screen early, hidden, so its load step (a
 * reseed and the choice of its text) runs then and only then.
 */
class Shutdown : public QObject
{
    Q_OBJECT

public:
    Shutdown(Platform &platform, RandomSource &random, QObject *parent = nullptr);
    ~Shutdown() override;

    /** Follows @p mainWindow: its closing and every reading it opens. */
    void watch(MainWindow &mainWindow);
    /** Replaces how the program finally ends (tests end nothing). */
    void setQuit(std::function<void()> quit) { m_quit = std::move(quit); }
    /**
     * Asked before the end: false keeps the program running, its main window
     * shown again (what the user wrote could not be kept, and they chose to stay).
     */
    void setMayEnd(std::function<bool()> mayEnd) { m_mayEnd = std::move(mayEnd); }

    /** Null until the exit screen has been loaded. */
    ExitScreen *exitScreen() const;

    /** The main window has closed: show the exit screen without making it modal. */
    void showExitScreen();
    /** A reading was opened: the exit screen is loaded if it was not yet, and stays hidden. */
    void hideExitScreen();

private:
    ExitScreen &loadedExitScreen();
    void end();

    Platform &m_platform;
    RandomSource &m_random;
    QPointer<ExitScreen> m_exitScreen;
    QPointer<MainWindow> m_mainWindow;
    std::function<void()> m_quit;
    std::function<bool()> m_mayEnd;
    bool m_ending = false;
};

/**
 * Wires the shutdown to the program's main window. The program no longer ends
 * when its last window closes, only through CloseAllForms.
 */
Shutdown *installShutdown(MainWindow &mainWindow, Platform &platform, RandomSource &random);

} // namespace Orvella
