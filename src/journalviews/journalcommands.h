#pragma once

#include <QObject>
#include <QPointer>

namespace Orvella {

class Journal;
class JournalWindow;
class MainWindow;

/**
 * The journal's place in the main window: "File > &Journal..." (Ctrl+J), from
 * either panel, opens the journal window, made the first time and reused;
 * showing a kept reading from it brings the main window forward.
 */
class JournalCommands : public QObject
{
    Q_OBJECT

public:
    JournalCommands(MainWindow &window, Journal &journal);

    void openJournal();
    /** The journal window, once it has been opened; null before. */
    JournalWindow *journalWindow() const;

private:
    MainWindow &m_main;
    Journal &m_journal;
    QPointer<JournalWindow> m_window;
};

} // namespace Orvella
