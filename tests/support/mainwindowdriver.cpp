#include "mainwindowdriver.h"

#include "journaldb/sqlitejournalstore.h"
#include "journalviews/journal.h"
#include "journalviews/journalcommands.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace Orvella::Test {

MainWindowDriver::MainWindowDriver() : m_window(std::make_unique<MainWindow>(m_platform, m_random))
{}

MainWindowDriver::~MainWindowDriver()
{
    // The window and its journal window go before the journal they show.
    m_window.reset();
}

Journal &MainWindowDriver::attachJournal(const QString &folder, const JournalStoreOpener &opener)
{
    m_journal = std::make_unique<Journal>(m_window->session(), m_platform, folder,
                                          opener ? opener : &SqliteJournalStore::open);
    m_journal->setDialogParent(m_window.get());
    m_journalCommands = new JournalCommands(*m_window, *m_journal);
    return *m_journal;
}

bool MainWindowDriver::show()
{
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        return false;
    m_window->activateWindow();
    return QTest::qWaitForWindowActive(m_window.get());
}

QLabel *MainWindowDriver::picCard(int slot) const
{
    return child<QLabel>(QStringLiteral("picCard%1").arg(slot));
}

QLabel *MainWindowDriver::lblCardNo(int slot) const
{
    return child<QLabel>(QStringLiteral("lblCardNo%1").arg(slot));
}

QList<double> MainWindowDriver::script(const QList<std::pair<int, bool>> &cards)
{
    QList<double> values;
    for (const auto &[card, reversed] : cards)
        values << card / 43.0 << (reversed ? 0.9 : 0.1);
    return values;
}

void MainWindowDriver::proceed(const QString &name, int spread, const QList<double> &values)
{
    auto *txtName = child<QLineEdit>(QStringLiteral("txtName"));
    txtName->clear();
    QTest::keyClicks(txtName, name);
    child<QComboBox>(QStringLiteral("cboSpread"))->setCurrentIndex(spread);
    m_random.script(values);
    click(QStringLiteral("cmdProceed"));
}

void MainWindowDriver::click(const QString &name)
{
    QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton);
}

bool MainWindowDriver::resultInFront() const
{
    const auto *result = child<QFrame>(QStringLiteral("fraResult"));
    const auto *selection = child<QFrame>(QStringLiteral("fraMain"));
    const QObjectList order = result->parentWidget()->children();
    return order.indexOf(result) > order.indexOf(selection);
}

} // namespace Orvella::Test
