#include "journalcommands.h"

#include "journal.h"
#include "journalwindow.h"
#include "reading/shownposition.h"
#include "windows/mainwindow.h"

#include <QAction>

namespace Orvella {

JournalCommands::JournalCommands(MainWindow &window, Journal &journal)
    : QObject(&window), m_main(window), m_journal(journal), m_cardOfTheDay(journal)
{
    auto *command = new QAction(QStringLiteral("&Journal..."), &window);
    command->setObjectName(QStringLiteral("mnuJournal"));
    command->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    connect(command, &QAction::triggered, this, &JournalCommands::openJournal);
    window.addCommand(command);

    auto *cardOfTheDay = new QAction(QStringLiteral("Card of the &Day"), &window);
    cardOfTheDay->setObjectName(QStringLiteral("mnuCardOfTheDay"));
    connect(cardOfTheDay, &QAction::triggered, this, &JournalCommands::showCardOfTheDay);
    window.addCommand(cardOfTheDay);

    // Gone with the window it belongs to, as its card view is: the exit screen stands alone.
    connect(&window, &MainWindow::closing, this, [this] {
        if (m_window)
            m_window->close();
    });
}

void JournalCommands::showCardOfTheDay()
{
    m_main.openCardView(shownPositions(readingOf(m_cardOfTheDay.today())));
}

JournalWindow *JournalCommands::journalWindow() const
{
    return m_window;
}

void JournalCommands::openJournal()
{
    if (!m_window) {
        m_window = new JournalWindow(m_journal, &m_main);
        connect(m_window, &JournalWindow::readingShown, this, [this] {
            m_main.raise();
            m_main.activateWindow();
        });
        connect(m_window, &JournalWindow::cardsShown, &m_main,
                qOverload<const QList<ShownPosition> &, int>(&MainWindow::openCardView));
    } else if (m_window->isHidden()) {
        m_window->openAfresh();
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

} // namespace Orvella
