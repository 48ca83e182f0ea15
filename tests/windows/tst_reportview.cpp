#include "platform/qtplatform.h"
#include "reading/draw.h"
#include "reading/readingreport.h"
#include "support/fakeplatform.h"
#include "support/reportformat.h"
#include "support/scriptedrandom.h"
#include "windows/reportlinks.h"
#include "windows/reportview.h"
#include "windows/reportviewguard.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

using namespace Orvella;

namespace {

const QString Forum = QStringLiteral("http://www.forum.test.example");

// Records the pages it would open instead of starting a browser; the clipboard is real.
class RecordingQtPlatform : public QtPlatform
{
public:
    void openUrl(const QUrl &url) override { opened << url; }
    QList<QUrl> opened;
};

ReadingReport sampleReport(qint16 spread = 1)
{
    Test::ScriptedRandom random({5 / 43.0, 0.9, 30 / 43.0, 0.1});
    Reading reading;
    Draw(reading, spread, random);
    return ReadingReport::build(reading, Forum);
}

void sendMouse(QWidget *target, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// The middle of the n-th occurrence of @p text in the view, in viewport coordinates.
QPoint pointOf(QTextBrowser *view, const QString &text, int occurrence = 0)
{
    QTextCursor found;
    int from = 0;
    for (int i = 0; i <= occurrence; ++i) {
        found = view->document()->find(text, from);
        if (found.isNull())
            return {-1, -1};
        from = found.selectionEnd();
    }
    QTextCursor middle(view->document());
    middle.setPosition(found.selectionStart() + 4);
    return view->cursorRect(middle).center() + QPoint(1, 0);
}

} // namespace

class TestReportView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTheRunsInOrder();
    void everyCharacterHasItsRunsColourAndWeight();
    void renderingAgainReplacesEverything();
    void theForumAddressIsALinkInBothPlaces();
    void webAddressesAreFound_data();
    void webAddressesAreFound();
    void beforePositionRunsOncePerPosition();
    void leftClickOnTheLinkOpensItOnce_data();
    void leftClickOnTheLinkOpensItOnce();
    void hookingTwiceStillOpensOnce();
    void hoveringOtherButtonsAndPlainTextOpenNothing();
    void unhookedViewOpensNothing();
    void onlyWebAddressesReachTheShell();
    void staysBlackOnWhiteUnderADarkTheme();
    void keyboardCopiesNothing_data();
    void keyboardCopiesNothing();
    void mouseSelectsNothing();
    void noContextMenu();
    void changesAndMouseClearTheClipboardThroughTheSeam();
    void otherTextOnTheRealClipboardSurvives();

private:
    Test::FakePlatform m_platform;
    QTextBrowser *m_view = nullptr;
    ReportLinks *m_links = nullptr;
};

void TestReportView::init()
{
    m_platform = Test::FakePlatform();
    m_view = new QTextBrowser;
    m_view->resize(420, 600);
    new ReportViewGuard(m_view, m_platform);
    m_links = new ReportLinks(m_platform, m_view);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
}

void TestReportView::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestReportView::showsTheRunsInOrder()
{
    const ReadingReport report = sampleReport();
    renderReport(m_view, report);
    QString expected = report.plainText();
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(m_view->toPlainText(), expected);
    QVERIFY(m_view->isReadOnly());
}

void TestReportView::everyCharacterHasItsRunsColourAndWeight()
{
    const ReadingReport report = sampleReport();
    renderReport(m_view, report);
    const QString mismatch = Test::reportFormatMismatch(m_view->document(), report);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void TestReportView::renderingAgainReplacesEverything()
{
    renderReport(m_view, sampleReport(0));
    const ReadingReport second = sampleReport(1);
    renderReport(m_view, second);
    const QString first = m_view->toHtml();
    QCOMPARE(m_view->toPlainText().count(QStringLiteral("Card Number ")), 4);
    renderReport(m_view, second);
    QCOMPARE(m_view->toHtml(), first);
}

void TestReportView::theForumAddressIsALinkInBothPlaces()
{
    // Only the program's own: an address in a position's title, as an imported
    // journal may give it, stays text.
    Test::ScriptedRandom random({5 / 43.0, 0.9, 30 / 43.0, 0.1});
    Reading reading;
    Draw(reading, 1, random);
    reading.positionTitles[0] = QStringLiteral("Renew your card at http://phish.example/login");
    renderReport(m_view, ReadingReport::build(reading, Forum));
    QStringList hrefs;
    QString linkedText;
    for (QTextBlock block = m_view->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isAnchor()) {
                hrefs << fragment.charFormat().anchorHref();
                linkedText += fragment.text();
            }
        }
    }
    QCOMPARE(hrefs, (QStringList{Forum, Forum}));
    // The full stop after the closing address is not part of it.
    QCOMPARE(linkedText, Forum + Forum);
}

void TestReportView::webAddressesAreFound_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("addresses");
    QTest::newRow("none") << QStringLiteral("no address here") << QStringList{};
    QTest::newRow("whole text") << QStringLiteral("http://a.example/x") << QStringList{"http://a.example/x"};
    QTest::newRow("secure") << QStringLiteral("see https://a.example now") << QStringList{"https://a.example"};
    QTest::newRow("final full stop stays with the sentence")
        << QStringLiteral("Visit http://a.example.") << QStringList{"http://a.example"};
    QTest::newRow("several closing marks")
        << QStringLiteral("(at http://a.example/?q=1).'") << QStringList{"http://a.example/?q=1"};
    QTest::newRow("inner full stops and commas stay")
        << QStringLiteral("http://a.example/a,b.c d") << QStringList{"http://a.example/a,b.c"};
    QTest::newRow("ends at a tab") << QStringLiteral("http://a.example\tb") << QStringList{"http://a.example"};
    QTest::newRow("ends at a line break") << QStringLiteral("http://a.example\nb") << QStringList{"http://a.example"};
    QTest::newRow("ends at angle brackets and quotes")
        << QStringLiteral("<http://a.example>\"http://b.example\"")
        << QStringList{"http://a.example", "http://b.example"};
    QTest::newRow("two in one text")
        << QStringLiteral("http://a.example and https://b.example/")
        << QStringList{"http://a.example", "https://b.example/"};
    QTest::newRow("not inside a word") << QStringLiteral("xhttp://a.example") << QStringList{};
    QTest::newRow("after a digit or underscore")
        << QStringLiteral("1http://a.example _http://b.example") << QStringList{};
    QTest::newRow("after punctuation") << QStringLiteral("-http://a.example") << QStringList{"http://a.example"};
    QTest::newRow("after a non-ASCII letter")
        << QString(QChar(0xe9)) + QStringLiteral("http://a.example") << QStringList{"http://a.example"};
    QTest::newRow("scheme alone") << QStringLiteral("http:// and https://.") << QStringList{};
    QTest::newRow("upper-case scheme") << QStringLiteral("HTTP://a.example") << QStringList{};
    QTest::newRow("other scheme") << QStringLiteral("ftp://a.example") << QStringList{};
    QTest::newRow("no-break space is no blank")
        << QStringLiteral("http://a.example") + QChar(0xa0) + QStringLiteral("b")
        << QStringList{QStringLiteral("http://a.example") + QChar(0xa0) + QStringLiteral("b")};
}

void TestReportView::webAddressesAreFound()
{
    QFETCH(QString, text);
    QFETCH(QStringList, addresses);
    QStringList found;
    qsizetype from = 0;
    for (WebAddress address = findWebAddress(text, from); address.start >= 0;
         address = findWebAddress(text, from)) {
        QVERIFY(address.start >= from);
        QVERIFY(address.end > address.start);
        found << text.mid(address.start, address.end - address.start);
        from = address.end;
    }
    QCOMPARE(found, addresses);
}

void TestReportView::beforePositionRunsOncePerPosition()
{
    QList<int> positions;
    renderReport(m_view, sampleReport(0), [&](int position) {
        positions << position;
        // Nothing of the position's own runs is shown yet.
        QCOMPARE(m_view->toPlainText().count(QStringLiteral("Card Number ")), position);
    });
    QCOMPARE(positions, (QList<int>{0, 1, 2, 3, 4, 5, 6}));
}

void TestReportView::leftClickOnTheLinkOpensItOnce_data()
{
    QTest::addColumn<int>("occurrence");
    QTest::newRow("first line") << 0;
    QTest::newRow("closing line") << 1;
}

void TestReportView::leftClickOnTheLinkOpensItOnce()
{
    QFETCH(int, occurrence);
    m_links->HookReportLinks(m_view);
    renderReport(m_view, sampleReport());
    const QPoint link = pointOf(m_view, Forum, occurrence);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, link);
    QCOMPARE(m_platform.openedUrls, (QList<QUrl>{QUrl(Forum)}));
}

void TestReportView::hookingTwiceStillOpensOnce()
{
    m_links->HookReportLinks(m_view);
    renderReport(m_view, sampleReport());
    m_links->HookReportLinks(m_view);
    QVERIFY(m_links->isInstalled());
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, pointOf(m_view, Forum));
    QCOMPARE(m_platform.openedUrls.size(), 1);

    // Removed and installed again: still one page per click.
    m_links->UnhookReportLinks();
    m_links->HookReportLinks(m_view);
    m_links->HookReportLinks(m_view);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, pointOf(m_view, Forum));
    QCOMPARE(m_platform.openedUrls.size(), 2);
}

void TestReportView::hoveringOtherButtonsAndPlainTextOpenNothing()
{
    m_links->HookReportLinks(m_view);
    renderReport(m_view, sampleReport());
    const QPoint link = pointOf(m_view, Forum);
    QVERIFY(link.x() >= 0);
    sendMouse(m_view->viewport(), QEvent::MouseMove, link, Qt::NoButton, Qt::NoButton);
    sendMouse(m_view->viewport(), QEvent::MouseMove, link + QPoint(3, 0), Qt::NoButton,
              Qt::NoButton);
    QTest::mouseClick(m_view->viewport(), Qt::RightButton, {}, link);
    QTest::mouseClick(m_view->viewport(), Qt::MiddleButton, {}, link);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {},
                      pointOf(m_view, QStringLiteral("Keyword")));
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {},
                      pointOf(m_view, QStringLiteral("Orvella Medicine Cards")));
    QCOMPARE(m_platform.openedUrls.size(), 0);
}

void TestReportView::unhookedViewOpensNothing()
{
    renderReport(m_view, sampleReport());
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, pointOf(m_view, Forum));
    QVERIFY(m_platform.openedUrls.isEmpty());

    m_links->HookReportLinks(m_view);
    m_links->UnhookReportLinks();
    m_links->UnhookReportLinks();
    QVERIFY(!m_links->isInstalled());
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, pointOf(m_view, Forum));
    QVERIFY(m_platform.openedUrls.isEmpty());
}

void TestReportView::onlyWebAddressesReachTheShell()
{
    m_links->HookReportLinks(m_view);
    m_view->setHtml(
        QStringLiteral("<p><a href=\"file:///etc/passwd\">local file</a></p>"
                                   "<p><a href=\"https://secure.test.example/x\">secure page</a></p>"));
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {},
                      pointOf(m_view, QStringLiteral("local file")));
    QVERIFY(m_platform.openedUrls.isEmpty());
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {},
                      pointOf(m_view, QStringLiteral("secure page")));
    QCOMPARE(m_platform.openedUrls,
             (QList<QUrl>{QUrl(QStringLiteral("https://secure.test.example/x"))}));
}

void TestReportView::staysBlackOnWhiteUnderADarkTheme()
{
    const QPalette original = QApplication::palette();
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::Link, QColor(100, 160, 255));
    QApplication::setPalette(dark);

    QTextBrowser view;
    new ReportViewGuard(&view, m_platform);
    renderReport(&view, sampleReport());
    view.resize(300, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QCOMPARE(view.palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(view.viewport()->palette().color(QPalette::Base), QColor(Qt::white));
    // A corner of the page, away from any text, is painted white.
    const QImage shot = view.viewport()->grab().toImage();
    QCOMPARE(QColor(shot.pixel(shot.width() - 3, shot.height() - 3)), QColor(Qt::white));
    QTextCursor linkText(view.document());
    linkText.setPosition(3);
    QCOMPARE(linkText.charFormat().foreground().color(), QColor(128, 128, 0));
    QApplication::setPalette(original);
}

void TestReportView::keyboardCopiesNothing_data()
{
    QTest::addColumn<QKeySequence>("select");
    QTest::addColumn<QKeySequence>("copy");
    QTest::newRow("Ctrl+A then Ctrl+C")
        << QKeySequence(QKeySequence::SelectAll) << QKeySequence(QKeySequence::Copy);
    QTest::newRow("Ctrl+A then Ctrl+Insert")
        << QKeySequence(QKeySequence::SelectAll) << QKeySequence(Qt::CTRL | Qt::Key_Insert);
    QTest::newRow("Ctrl+A then Ctrl+X")
        << QKeySequence(QKeySequence::SelectAll) << QKeySequence(QKeySequence::Cut);
}

void TestReportView::keyboardCopiesNothing()
{
    QFETCH(QKeySequence, select);
    QFETCH(QKeySequence, copy);
    renderReport(m_view, sampleReport());
    QApplication::clipboard()->setText(QStringLiteral("kept from elsewhere"));
    m_view->activateWindow();
    m_view->setFocus();
    QTest::keySequence(m_view, select);
    QVERIFY(!m_view->textCursor().hasSelection());
    QTest::keySequence(m_view, copy);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept from elsewhere"));
    if (QApplication::clipboard()->supportsSelection())
        QVERIFY(!QApplication::clipboard()->text(QClipboard::Selection).contains(Forum));
    // The text itself is untouched by the keys.
    QVERIFY(m_view->toPlainText().startsWith(Forum));
}

void TestReportView::mouseSelectsNothing()
{
    renderReport(m_view, sampleReport());
    QWidget *viewport = m_view->viewport();
    const QPoint from = pointOf(m_view, QStringLiteral("Orvella Medicine Cards"));
    const QPoint to = pointOf(m_view, QStringLiteral("Keyword"));
    sendMouse(viewport, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    QVERIFY(!m_view->textCursor().hasSelection());
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, from);
    QVERIFY(!m_view->textCursor().hasSelection());
}

void TestReportView::noContextMenu()
{
    renderReport(m_view, sampleReport());
    // Were a menu to open, it would block; close it from the event loop and note it.
    bool menuShown = false;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        if (QWidget *popup = QApplication::activePopupWidget()) {
            menuShown = true;
            popup->close();
        }
    });
    closer.start(20);
    const QPoint pos = pointOf(m_view, Forum);
    for (QWidget *target : {static_cast<QWidget *>(m_view), m_view->viewport()}) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, target->mapToGlobal(pos));
        QApplication::sendEvent(target, &event);
        QContextMenuEvent keyEvent(QContextMenuEvent::Keyboard, pos, target->mapToGlobal(pos));
        QApplication::sendEvent(target, &keyEvent);
    }
    QTest::qWait(50);
    QVERIFY(!menuShown);
    QVERIFY(m_view->findChildren<QMenu *>().isEmpty());
}

void TestReportView::changesAndMouseClearTheClipboardThroughTheSeam()
{
    renderReport(m_view, sampleReport());
    QVERIFY(m_platform.clipboardClears > 0); // the report's own insertions
    QWidget *viewport = m_view->viewport();
    const QPoint point(20, 20);

    int before = m_platform.clipboardClears;
    sendMouse(viewport, QEvent::MouseMove, point, Qt::NoButton, Qt::NoButton);
    QCOMPARE(m_platform.clipboardClears, before + 1);
    sendMouse(viewport, QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(m_platform.clipboardClears, before + 2);
    sendMouse(viewport, QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(m_platform.clipboardClears, before + 3);

    before = m_platform.clipboardClears;
    renderReport(m_view, sampleReport());
    QVERIFY(m_platform.clipboardClears > before);
}

void TestReportView::otherTextOnTheRealClipboardSurvives()
{
    // The real seam clears only what this program owns. Offscreen, the clipboard
    // lives in this process and never reports ownership, so text put there
    // stands for another program's: moving over and clicking the report keeps it.
    RecordingQtPlatform platform;
    QTextBrowser view;
    new ReportViewGuard(&view, platform);
    ReportLinks links(platform);
    links.HookReportLinks(&view);
    view.resize(420, 600);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QClipboard *clipboard = QApplication::clipboard();
    clipboard->setText(QStringLiteral("copied in another program"));
    renderReport(&view, sampleReport());
    for (int y = 5; y < 200; y += 15)
        sendMouse(view.viewport(), QEvent::MouseMove, QPoint(30, y), Qt::NoButton, Qt::NoButton);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(30, 150));
    if (clipboard->ownsClipboard())
        QSKIP("This platform reports the test's own text as the program's; nothing to learn here.");
    QCOMPARE(clipboard->text(), QStringLiteral("copied in another program"));
    QVERIFY(platform.opened.isEmpty());
}

QTEST_MAIN(TestReportView)
#include "tst_reportview.moc"
