#pragma once

#include "fakeplatform.h"
#include "journal/journalstore.h"
#include "scriptedrandom.h"
#include "windows/mainwindow.h"

#include <QLabel>
#include <QList>
#include <QString>

#include <memory>
#include <utility>

namespace Orvella {
class Journal;
class JournalCommands;
} // namespace Orvella

namespace Orvella::Test {

/**
 * The main window on a fake desktop with a scripted draw, driven as a user
 * drives it. Window tests share it instead of each keeping its own helpers.
 */
class MainWindowDriver
{
public:
    MainWindowDriver();
    ~MainWindowDriver();

    /** Shows the window and waits until it is exposed and active. */
    bool show();

    /**
     * Gives the window a journal in @p folder, as the program does: a real
     * SQLite file (opened by @p opener when given), the journal command in the File menu.
     */
    Journal &attachJournal(const QString &folder, const JournalStoreOpener &opener = {});
    Journal *journal() const { return m_journal.get(); }
    JournalCommands *journalCommands() const { return m_journalCommands; }

    FakePlatform &platform() { return m_platform; }
    ScriptedRandom &random() { return m_random; }
    MainWindow &window() { return *m_window; }

    /** The window's widget or action called @p name; a warning when there is none. */
    template<typename T>
    T *child(const QString &name) const
    {
        T *found = m_window->findChild<T *>(name);
        if (!found)
            qWarning("no child %s", qPrintable(name));
        return found;
    }
    QLabel *picCard(int slot) const;
    QLabel *lblCardNo(int slot) const;

    /** Draw values for @p cards in order: card round(u * 43), reversed when marked. */
    static QList<double> script(const QList<std::pair<int, bool>> &cards);

    /** Types @p name, picks spread @p spread, scripts the draw and clicks cmdProceed. */
    void proceed(const QString &name, int spread, const QList<double> &values = {});
    /** Clicks the button called @p name. */
    void click(const QString &name);
    /** The result panel lies in front of the selection panel. */
    bool resultInFront() const;

private:
    FakePlatform m_platform;
    ScriptedRandom m_random;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<Journal> m_journal;
    JournalCommands *m_journalCommands = nullptr;
};

} // namespace Orvella::Test
