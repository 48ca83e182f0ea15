#include "product/webaddresses.h"
#include "support/mainwindowdriver.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace Orvella;
using Orvella::Test::MainWindowDriver;

class TestAccelerators : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyAcceleratorOnEachPanel_data();
    void everyAcceleratorOnEachPanel();

private:
    std::unique_ptr<MainWindowDriver> m_driver;
};

void TestAccelerators::init()
{
    m_driver = std::make_unique<MainWindowDriver>();
    QVERIFY(m_driver->show());
}

void TestAccelerators::cleanup()
{
    if (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    m_driver.reset();
}

void TestAccelerators::everyAcceleratorOnEachPanel_data()
{
    QTest::addColumn<bool>("onResult");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("effect");
    for (const bool onResult : {false, true}) {
        const char *panel = onResult ? "result panel" : "selection panel";
        auto row = [&](const char *what, Qt::Key key, const char *selection, const char *result) {
            QTest::addRow("%s, %s", panel, what)
                << onResult << int(key) << QString::fromLatin1(onResult ? result : selection);
        };
        row("Alt+O", Qt::Key_O, "open dialog", "nothing");
        row("Alt+G", Qt::Key_G, "reading drawn", "nothing");
        row("Alt+S", Qt::Key_S, "nothing", "save dialog");
        row("Alt+B", Qt::Key_B, "nothing", "selection in front");
        row("Alt+F", Qt::Key_F, "File menu", "File menu");
        row("Alt+H", Qt::Key_H, "Help menu", "Help menu");
        row("Alt+D", Qt::Key_D, "donate page", "donate page");
    }
}

void TestAccelerators::everyAcceleratorOnEachPanel()
{
    QFETCH(bool, onResult);
    QFETCH(int, key);
    QFETCH(QString, effect);
    auto &platform = m_driver->platform();
    m_driver->proceed(QStringLiteral("Ann"), 1);
    if (!onResult)
        m_driver->click(QStringLiteral("cmdBack"));
    const int drawn = m_driver->random().taken();

    QTest::keyClick(&m_driver->window(), Qt::Key(key), Qt::AltModifier);
    // A button's accelerator clicks it a moment later; a menu opens at once.
    QTest::qWait(300);
    const QWidget *popup = QApplication::activePopupWidget();
    const QString shown = popup ? popup->objectName() : QString();
    QCOMPARE(platform.openRequests.size(), effect == u"open dialog" ? 1 : 0);
    QCOMPARE(platform.saveRequests.size(), effect == u"save dialog" ? 1 : 0);
    QCOMPARE(m_driver->random().taken() > drawn, effect == u"reading drawn");
    QCOMPARE(m_driver->resultInFront(),
             effect == u"reading drawn" || (onResult && effect != u"selection in front"));
    QCOMPARE(shown == u"mnuFile", effect == u"File menu");
    QCOMPARE(shown == u"mnuHelp", effect == u"Help menu");
    QCOMPARE(platform.openedUrls,
             effect == u"donate page" ? QList<QUrl>{WebAddresses::donatePage()} : QList<QUrl>{});
}

QTEST_MAIN(TestAccelerators)
#include "tst_accelerators.moc"
