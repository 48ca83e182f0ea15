#pragma once

#include "cardoftheday.h"

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
 * "File > Card of the &Day" shows the day's card in the card view.
 */
class JournalCommands : public QObject
{
    Q_OBJECT

public:
    JournalCommands(MainWindow &window, Journal &journal);

    void openJournal();
    /** Shows today's card of the day in the card view: drawn once a day, the same all day. */
    void showCardOfTheDay();
    /** The journal window, once it has been opened; null before. */
    JournalWindow *journalWindow() const;

private:
    MainWindow &m_main;
    Journal &m_journal;
    CardOfTheDay m_cardOfTheDay;
    QPointer<JournalWindow> m_window;
};

} // namespace Orvella
