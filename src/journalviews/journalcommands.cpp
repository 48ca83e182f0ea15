#include "journalcommands.h"

#include "journal.h"
#include "journalwindow.h"
#include "windows/mainwindow.h"

#include <QAction>

namespace Orvella {

JournalCommands::JournalCommands(MainWindow &window, Journal &journal)
    : QObject(&window), m_main(window), m_journal(journal)
{
    auto *command = new QAction(QStringLiteral("&Journal..."), &window);
    command->setObjectName(QStringLiteral("mnuJournal"));
    command->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    connect(command, &QAction::triggered, this, &JournalCommands::openJournal);
    window.addCommand(command);
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
    } else {
        m_window->reload();
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

} // namespace Orvella
