#include "product/buildconfig.h"
#include "storage/settingsstore.h"
#include "support/fakeplatform.h"
#include "support/pointer.h"
#include "support/scriptedrandom.h"
#include "web/aboutbox.h"
#include "web/linkcommands.h"
#include "web/linklabel.h"
#include "windows/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Orvella;
using Orvella::Test::FakePlatform;
using Orvella::Test::ScriptedRandom;

namespace {

const QString OnlineHelp = QStringLiteral("http://www.medicinecards.orvella.example/orvella-free-medicine-cards-help.html");
const QString DownloadPage = QStringLiteral("http://www.medicinecards.orvella.example/download-orvella-free-medicine-cards.html");
const QString MakerHome = QStringLiteral("http://orvella.example");
const QString SoftwareSite = QStringLiteral("http://www.orvella.example/orvellasoftwares");
const QString DonatePage = QStringLiteral("http://help.orvella.example/donate.html");
const QString CoBrandPage = QStringLiteral("http://help.orvella.example/co-brand.html");
const QString FullBrandPage = QStringLiteral("http://help.orvella.example/fully-branded.html");

bool defaultHosts()
{
    return QLatin1String(BuildConfig::MainHost) == QLatin1String("orvella.example")
           && QLatin1String(BuildConfig::HelpHost) == QLatin1String("help.orvella.example")
           && QLatin1String(BuildConfig::SoftwareHost)
                  == QLatin1String("www.medicinecards.orvella.example");
}

QStringList opened(const FakePlatform &platform)
{
    QStringList urls;
    for (const QUrl &url : platform.openedUrls)
        urls << url.toString(QUrl::FullyEncoded);
    return urls;
}

struct Entry
{
    QString text;
    QString name;
    bool visible;
    bool separator;
};

QList<Entry> entries(const QList<QAction *> &actions)
{
    QList<Entry> list;
    for (QAction *action : actions)
        list.append({action->text(),
                     action->menu() ? action->menu()->objectName() : action->objectName(),
                     action->isVisible(), action->isSeparator()});
    return list;
}

} // namespace

class TestWebLinks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void linkCommandsOpenTheirFullAddress_data();
    void linkCommandsOpenTheirFullAddress();
    void menuBarCaptionsAndOrder();
    void helpMenuCaptionsAndOrder();
    void fileMenuEndsWithExit();
    void onlyTheAddedEntriesHaveShortcuts();
    void menuEntriesOpenTheirPageOncePerClick_data();
    void menuEntriesOpenTheirPageOncePerClick();
    void donateActsOnTheBarItself();
    void updateEntryLeavesTheReminderDateAlone();
    void aboutEntryShowsTheAboutBoxModally();
    void linkLabelsOpenTheirPageOncePerClick_data();
    void linkLabelsOpenTheirPageOncePerClick();
    void fullBrandLabelIsInFrontByDefault();

private:
    QAction *action(const char *name) const;
    QMenu *menu(const char *name) const;
    void clickMenuEntry(QMenu *menu, QAction *entry);

    FakePlatform *m_platform = nullptr;
    ScriptedRandom *m_random = nullptr;
    MainWindow *m_window = nullptr;
};

void TestWebLinks::initTestCase()
{
    if (!defaultHosts())
        QSKIP("built with other host names; the addresses below are the default ones");
}

void TestWebLinks::init()
{
    m_platform = new FakePlatform;
    m_random = new ScriptedRandom;
    m_window = new MainWindow(*m_platform, *m_random);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestWebLinks::cleanup()
{
    delete m_window;
    delete m_random;
    delete m_platform;
}

QAction *TestWebLinks::action(const char *name) const
{
    return m_window->findChild<QAction *>(QLatin1String(name));
}

QMenu *TestWebLinks::menu(const char *name) const
{
    return m_window->findChild<QMenu *>(QLatin1String(name));
}

void TestWebLinks::clickMenuEntry(QMenu *menu, QAction *entry)
{
    QMenuBar *bar = m_window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    QTRY_VERIFY(menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    QTRY_VERIFY(!menu->isVisible());
}

void TestWebLinks::linkCommandsOpenTheirFullAddress_data()
{
    QTest::addColumn<std::function<void(Platform &)>>("command");
    QTest::addColumn<QString>("address");
    QTest::newRow("OpenOnlineHelp")
        << std::function<void(Platform &)>(OpenOnlineHelp) << OnlineHelp;
    QTest::newRow("OpenDownloadPage")
        << std::function<void(Platform &)>(OpenDownloadPage) << DownloadPage;
    QTest::newRow("OpenMakerHome") << std::function<void(Platform &)>(OpenMakerHome) << MakerHome;
    QTest::newRow("OpenSoftwareSite")
        << std::function<void(Platform &)>(OpenSoftwareSite) << SoftwareSite;
    QTest::newRow("OpenDonatePage")
        << std::function<void(Platform &)>(OpenDonatePage) << DonatePage;
    QTest::newRow("OpenCoBrandPage")
        << std::function<void(Platform &)>(OpenCoBrandPage) << CoBrandPage;
    QTest::newRow("OpenFullBrandPage")
        << std::function<void(Platform &)>(OpenFullBrandPage) << FullBrandPage;
}

void TestWebLinks::linkCommandsOpenTheirFullAddress()
{
    QFETCH(std::function<void(Platform &)>, command);
    QFETCH(QString, address);
    FakePlatform platform;
    command(platform);
    QCOMPARE(opened(platform), QStringList{address});
    command(platform);
    QCOMPARE(opened(platform), (QStringList{address, address}));
}

void TestWebLinks::menuBarCaptionsAndOrder()
{
    const QList<Entry> bar = entries(m_window->menuBar()->actions());
    QStringList shown;
    for (const Entry &entry : bar)
        if (entry.visible)
            shown << entry.text + QLatin1Char('=') + entry.name;
    QCOMPARE(shown, (QStringList{"&File=mnuFile", "&Help=mnuHelp", "&Donate=mnuDonate"}));
    // "&Donate" is a command on the bar: no menu drops down under it.
    QVERIFY(action("mnuDonate"));
    QVERIFY(!action("mnuDonate")->menu());
    QAction *makeMoney = action("mnuMakeMoney");
    QVERIFY(makeMoney);
    QVERIFY(!makeMoney->isVisible());
    QVERIFY(!makeMoney->isEnabled());
    QCOMPARE(makeMoney->text(), QStringLiteral("Make Money &Online"));
}

void TestWebLinks::helpMenuCaptionsAndOrder()
{
    QMenu *help = menu("mnuHelp");
    QVERIFY(help);
    QStringList shown;
    for (const Entry &entry : entries(help->actions()))
        if (entry.visible)
            shown << (entry.separator ? QStringLiteral("-") : entry.text) + QLatin1Char('=')
                      + entry.name;
    QCOMPARE(shown, (QStringList{"&Online Help=mnuOnline", "&Visit Us Online=mnuVisit", "-=mnuSep2",
                                 "Check for Software &Update=mnuUpdate", "-=mnuSep3",
                                 "&Card Meanings=mnuCardMeanings", "&About Software=mnuAbout"}));
}

void TestWebLinks::fileMenuEndsWithExit()
{
    QMenu *file = menu("mnuFile");
    QVERIFY(file);
    QStringList shown;
    for (const Entry &entry : entries(file->actions()))
        if (entry.visible)
            shown << (entry.separator ? QStringLiteral("-") : entry.text) + QLatin1Char('=')
                      + entry.name;
    QCOMPARE(shown, (QStringList{"&View Cards Large=mnuViewCards", "-=mnuSep5",
                                 "&Print Reading...=mnuPrint",
                                 "&Export Reading as PDF...=mnuExportPdf",
                                 "Export Reading as &Image...=mnuExportImage",
                                 "&Copy Reading as Image=mnuCopyImage", "-=mnuSep4",
                                 "E&xit=mnuExit"}));
    QAction *calculate = action("mnuCalculate");
    QVERIFY(calculate);
    QCOMPARE(calculate->text(), QStringLiteral("Calculate My 9 Star &Ki Astrology"));
    QVERIFY(!calculate->isVisible() || !calculate->isEnabled());
}

void TestWebLinks::onlyTheAddedEntriesHaveShortcuts()
{
    // The designed menu has none; the entries added beside it may.
    const QMap<QString, QKeySequence> added{{"mnuViewCards", QKeySequence(Qt::CTRL | Qt::Key_L)},
                                            {"mnuPrint", QKeySequence(QKeySequence::Print)}};
    for (QAction *entry : m_window->findChildren<QAction *>())
        QVERIFY2(entry->shortcut() == added.value(entry->objectName()),
                 qPrintable(entry->objectName()));
}

void TestWebLinks::menuEntriesOpenTheirPageOncePerClick_data()
{
    QTest::addColumn<QString>("menuName");
    QTest::addColumn<QString>("entryName");
    QTest::addColumn<QString>("address");
    QTest::newRow("Online Help") << "mnuHelp"
                                 << "mnuOnline" << OnlineHelp;
    QTest::newRow("Visit Us Online") << "mnuHelp"
                                     << "mnuVisit" << MakerHome;
    QTest::newRow("Check for Software Update") << "mnuHelp"
                                               << "mnuUpdate" << DownloadPage;
}

void TestWebLinks::menuEntriesOpenTheirPageOncePerClick()
{
    QFETCH(QString, menuName);
    QFETCH(QString, entryName);
    QFETCH(QString, address);
    QMenu *owner = menu(qPrintable(menuName));
    QAction *entry = action(qPrintable(entryName));
    QVERIFY(owner && entry);
    clickMenuEntry(owner, entry);
    QCOMPARE(opened(*m_platform), QStringList{address});
    clickMenuEntry(owner, entry);
    QCOMPARE(opened(*m_platform), (QStringList{address, address}));
    QVERIFY(m_platform->messages.isEmpty());
    QVERIFY(m_window->isVisible());
}

void TestWebLinks::donateActsOnTheBarItself()
{
    QMenuBar *bar = m_window->menuBar();
    QAction *donate = action("mnuDonate");
    QVERIFY(donate);
    const QPoint centre = bar->actionGeometry(donate).center();
    QTest::mouseClick(bar, Qt::LeftButton, {}, centre);
    QCOMPARE(opened(*m_platform), QStringList{DonatePage});
    QTest::mouseClick(bar, Qt::LeftButton, {}, centre);
    QTest::mouseClick(bar, Qt::LeftButton, {}, centre);
    QCOMPARE(opened(*m_platform), (QStringList{DonatePage, DonatePage, DonatePage}));
    QVERIFY(!QApplication::activePopupWidget());
}

void TestWebLinks::updateEntryLeavesTheReminderDateAlone()
{
    const auto store = openUserSettings();
    WriteSetting(*store, QStringLiteral("Duration"), QStringLiteral("2026-01-01"));
    clickMenuEntry(menu("mnuHelp"), action("mnuUpdate"));
    QCOMPARE(opened(*m_platform), QStringList{DownloadPage});
    QVERIFY(m_platform->messages.isEmpty());
    const auto reread = openUserSettings();
    QCOMPARE(ReadSetting(*reread, QStringLiteral("Duration")), QStringLiteral("2026-01-01"));
}

void TestWebLinks::aboutEntryShowsTheAboutBoxModally()
{
    QPointer<AboutBox> seen;
    bool modal = false;
    // The box waits for the user; answer it with Esc once it is up.
    QTimer::singleShot(0, this, [&] {
        seen = qobject_cast<AboutBox *>(QApplication::activeModalWidget());
        if (!seen)
            return;
        modal = seen->isModal();
        QTest::keyClick(seen, Qt::Key_Escape);
    });
    action("mnuAbout")->trigger();
    QVERIFY(modal);
    QVERIFY(!seen || !seen->isVisible());
    QVERIFY(m_platform->openedUrls.isEmpty());
}

void TestWebLinks::linkLabelsOpenTheirPageOncePerClick_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("address");
    QTest::newRow("Label14") << "Label14" << MakerHome;
    QTest::newRow("lblCobrand") << "lblCobrand" << CoBrandPage;
    QTest::newRow("lblFullBrand") << "lblFullBrand" << FullBrandPage;
}

void TestWebLinks::linkLabelsOpenTheirPageOncePerClick()
{
    QFETCH(QString, label);
    QFETCH(QString, address);
    auto *link = m_window->findChild<QLabel *>(label);
    QVERIFY(link);
    // Click the one that is seen, as the user would.
    link->show();
    link->raise();
    Test::pointAt(link);
    QCOMPARE(link->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(link->cursor().pixmap().cacheKey(), linkCursor().pixmap().cacheKey());

    QTest::mouseMove(link);
    QVERIFY(m_platform->openedUrls.isEmpty());
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(opened(*m_platform), QStringList{address});
    QTest::mouseClick(link, Qt::LeftButton);
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(opened(*m_platform), (QStringList{address, address, address}));
}

void TestWebLinks::fullBrandLabelIsInFrontByDefault()
{
    auto *full = m_window->findChild<QLabel *>(QStringLiteral("lblFullBrand"));
    auto *co = m_window->findChild<QLabel *>(QStringLiteral("lblCobrand"));
    QVERIFY(full && co);
    QCOMPARE(full->geometry(), co->geometry());
    QCOMPARE(full->parentWidget()->objectName(), QStringLiteral("fraFullBrand"));
    QWidget *frame = full->parentWidget();
    QCOMPARE(frame->childAt(full->geometry().center()), full);
}

QTEST_MAIN(TestWebLinks)
#include "tst_weblinks.moc"
