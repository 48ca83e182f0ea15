#include "oracle/carddeck.h"
#include "presentation/reportrenderer.h"
#include "product/webaddresses.h"
#include "reading/readingreport.h"
#include "storage/readingfile.h"
#include "support/fakeplatform.h"
#include "support/pictures.h"
#include "support/reportformat.h"
#include "support/scriptedrandom.h"
#include "web/aboutbox.h"
#include "windows/mainwindow.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>
#include <QTimer>

using namespace Orvella;

namespace {

// (u, v) pairs for the draw: card round(u * 43), reversed when v rounds to 1.
QList<double> script(const QList<std::pair<int, bool>> &cards)
{
    QList<double> values;
    for (const auto &[card, reversed] : cards)
        values << card / 43.0 << (reversed ? 0.9 : 0.1);
    return values;
}

QImage imageOf(const QLabel *label)
{
    return label->pixmap().toImage();
}

// What the narrow view shows for @p address: it may wrap only after "//", "/" and ".".
QString shownAddress(QString address)
{
    address.replace(QStringLiteral("//"), QStringLiteral("//") + AddressBreak);
    for (qsizetype i = address.size() - 2; i >= 0; --i) {
        if ((address[i] == u'.' || address[i] == u'/') && address[i + 1] != u'/' && address[i + 1] != AddressBreak)
            address.insert(i + 1, AddressBreak);
    }
    return address;
}

bool isInFront(const QWidget *panel, const QWidget *other)
{
    const QObjectList order = panel->parentWidget()->children();
    return order.indexOf(panel) > order.indexOf(other);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startState();
    void controlsHaveTheirDesignedPlaces_data();
    void controlsHaveTheirDesignedPlaces();
    void captionsAndAccelerators();
    void tabOrderStartsWithNameSpreadProceed();
    void emptyNameIsRefused();
    void oneBlankIsAName();
    void spreadShowsItsPicturesAtTheirPlaces_data();
    void spreadShowsItsPicturesAtTheirPlaces();
    void fourCardsAfterSevenHideTheRest();
    void backEmptiesTheTablesAndKeepsNameAndSelection();
    void wholeReportTextOfAScriptedReading();
    void everyRunKeepsItsColourAndWeight();
    void reversedPictureIsTheUprightOneTurned();
    void picturesMatchTheScreensPixelRatio();
    void reportIsReadFromTheTop();
    void showingTheSameReadingTwiceIsIdentical();
    void forumAddressWrapsOnlyBetweenItsParts();
    void forumLinkOpensOnce_data();
    void forumLinkOpensOnce();
    void mouseOverTheReportClearsOnlyThroughTheSeam();
    void cardPicturesAreNamedForScreenReaders();
    void everyControlHasAnAccessibleName();
    void aCardAndItsNumberAreHeardOnce();
    void cardNamesNeverOutliveTheirReading();
    void openShowsTheReadingAndKeepsTheSelection();
    void cancelledOpenStaysOnSelection();
    void saveStaysOnTheResult();
    void acceleratorsOfTheHiddenPanelDoNothing();
    void menuBarAsDesigned();
    void menuCommandsOpenTheirPages();
    void aboutBoxIsModal();
    void linkLabelsOpenTheirPages();
    void fullBrandLabelIsInFrontUntilRandomized();
    void coBrandRandomizeRaisesByNumber_data();
    void coBrandRandomizeRaisesByNumber();
    void closingEmitsClosing();

private:
    template<typename T>
    T *child(const char *name) const
    {
        T *found = m_window->findChild<T *>(QLatin1String(name));
        if (!found)
            qWarning("no child %s", name);
        return found;
    }
    QLabel *picCard(int slot) const
    {
        return child<QLabel>(QByteArray("picCard" + QByteArray::number(slot)).constData());
    }
    QLabel *lblCardNo(int slot) const
    {
        return child<QLabel>(QByteArray("lblCardNo" + QByteArray::number(slot)).constData());
    }
    void proceed(const QString &name, int spread, const QList<double> &values = {});
    void clickForum(int occurrence = 0);

    Test::FakePlatform *m_platform = nullptr;
    Test::ScriptedRandom *m_random = nullptr;
    MainWindow *m_window = nullptr;
};

void TestMainWindow::init()
{
    m_platform = new Test::FakePlatform;
    m_random = new Test::ScriptedRandom;
    m_window = new MainWindow(*m_platform, *m_random);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestMainWindow::cleanup()
{
    delete m_window;
    delete m_random;
    delete m_platform;
}

void TestMainWindow::proceed(const QString &name, int spread, const QList<double> &values)
{
    auto *txtName = child<QLineEdit>("txtName");
    txtName->clear();
    QTest::keyClicks(txtName, name);
    child<QComboBox>("cboSpread")->setCurrentIndex(spread);
    m_random->script(values);
    QTest::mouseClick(child<QPushButton>("cmdProceed"), Qt::LeftButton);
}

void TestMainWindow::clickForum(int occurrence)
{
    auto *rtb = child<QTextBrowser>("RTB");
    // The address as shown, with the view's invisible break opportunities.
    const QString forum = shownAddress(WebAddresses::forum().toString());
    QTextCursor found;
    int from = 0;
    for (int i = 0; i <= occurrence; ++i) {
        found = rtb->document()->find(forum, from);
        QVERIFY(!found.isNull());
        from = found.selectionEnd();
    }
    QTextCursor middle(rtb->document());
    middle.setPosition(found.selectionStart() + 3);
    rtb->ensureCursorVisible();
    rtb->setTextCursor(middle);
    rtb->ensureCursorVisible();
    QTest::mouseClick(rtb->viewport(), Qt::LeftButton, {},
                      rtb->cursorRect(middle).center() + QPoint(1, 0));
}

void TestMainWindow::startState()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Orvella Medicine Cards v1.0"));
    QCOMPARE(m_window->centralWidget()->size(), QSize(630, 382));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QVERIFY(isInFront(child<QFrame>("fraMain"), child<QFrame>("fraResult")));
    // The panel behind is hidden as well: nothing of it can be seen or reached.
    QVERIFY(!child<QFrame>("fraResult")->isVisible());
    QVERIFY(child<QLineEdit>("txtName")->text().isEmpty());
    auto *cbo = child<QComboBox>("cboSpread");
    QVERIFY(!cbo->isEditable());
    QCOMPARE(cbo->currentIndex(), 0);
    QCOMPARE(cbo->currentText(), QStringLiteral("Pathway Spread"));
    QStringList items;
    for (int i = 0; i < cbo->count(); ++i)
        items << cbo->itemText(i);
    QCOMPARE(items, (QStringList{QStringLiteral("Pathway Spread"),
                        QStringLiteral("Butterfly Spread"),
                            QStringLiteral("Medicine Wheel Spread"),
                                           QStringLiteral("Sun Lodge Spread"),
                                                          QStringLiteral("Moon Lodge Spread")}));
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>("txtName"));
    QVERIFY(m_window->reading().cards.isEmpty());
}

void TestMainWindow::controlsHaveTheirDesignedPlaces_data()
{
    // Twips as designed; the window places them at twips / 15.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    auto row = [](const char *name, int l, int t, int w, int h) {
        QTest::newRow(name) << QString::fromLatin1(name) << QRect(l, t, w, h);
    };
    row("Label14", 2100, 0, 5250, 435);
    row("fraMain", 0, 480, 9450, 4545);
    row("fraResult", 0, 480, 9450, 4545);
    row("fraFullBrand", 0, 5040, 9450, 645);
    row("lblIntro", 795, 360, 7875, 915);
    row("cmdOpen", 2325, 1560, 4800, 405);
    row("Frame1", 2325, 2070, 4800, 1815);
    row("lblName", 120, 300, 555, 195);
    row("txtName", 1920, 240, 2760, 300);
    row("lblSpread", 120, 795, 1350, 195);
    row("cboSpread", 1905, 720, 2775, 330);
    row("cmdProceed", 120, 1245, 4560, 405);
    row("cmdSave", 6600, 180, 2775, 405);
    row("RTB", 6600, 660, 2775, 3300);
    row("cmdBack", 6600, 4050, 2775, 405);
    row("lblCobrand", 120, 165, 9225, 450);
    row("lblFullBrand", 120, 165, 9225, 450);
}

void TestMainWindow::controlsHaveTheirDesignedPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    // The report's view is made for the first reading it shows.
    if (name == QLatin1String("RTB"))
        proceed(QStringLiteral("Ann"), 0);
    auto *widget = m_window->findChild<QWidget *>(name);
    QVERIFY(widget);
    // Within a pixel of twips / 15, where the design is not a whole number of pixels.
    const QRect px = widget->geometry();
    QVERIFY2(qAbs(px.x() * 15 - twips.x()) < 15 && qAbs(px.y() * 15 - twips.y()) < 15
                 && qAbs(px.width() * 15 - twips.width()) < 15
                 && qAbs(px.height() * 15 - twips.height()) < 15,
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(px.x()).arg(px.y()).arg(px.width()).arg(px.height())));
}

void TestMainWindow::captionsAndAccelerators()
{
    QCOMPARE(child<QPushButton>("cmdOpen")->text(),
             QStringLiteral("&Open Previously Saved Reading"));
    QCOMPARE(child<QPushButton>("cmdProceed")->text(),
             QStringLiteral("&Get Your Medicine Cards Reading Now!"));
    QCOMPARE(child<QPushButton>("cmdSave")->text(), QStringLiteral("&Save"));
    QCOMPARE(child<QPushButton>("cmdBack")->text(), QStringLiteral("&Back"));
    QCOMPARE(child<QLabel>("lblName")->text(), QStringLiteral("Name"));
    QCOMPARE(child<QLabel>("lblSpread")->text(), QStringLiteral("Select Spread"));
    QCOMPARE(child<QLabel>("lblIntro")->text(),
             QStringLiteral("Orvella Medicine Cards is based on the Native American belief of animal totem. "
                            "A totem helps and protects people by spiritually helping one plan his or her "
                            "life path. Each animal card represents its own personality trait that can apply "
                            "to many people. Each animal card is associated with unique healing powers."));
    // One "&" shown as it is, the two double blanks kept; no access key.
    auto *cobrand = child<QLabel>("lblCobrand");
    QCOMPARE(
        cobrand->text(),
        QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic to your site. "
                            "Put your site's name &  link here. See \"Help\" for details. Click Here for more "
                            "info on co-branding."));
    QCOMPARE(cobrand->textFormat(), Qt::PlainText);
    QVERIFY(!cobrand->buddy());
    QCOMPARE(
        child<QLabel>("lblFullBrand")->text(),
        QStringLiteral("Home Business Opportunity. Start your own Internet business and make money online. "
                            "Get this software fully branded for your website. Click here for more details."));
    const QString label14 = child<QLabel>("Label14")->text();
    QVERIFY(label14.contains(QStringLiteral("most popular online discussion forum")));
    QVERIFY(label14.contains(QStringLiteral("Click here")));
    QVERIFY(label14.contains(WebAddresses::makerHome().host()));

    for (int slot = 0; slot < 7; ++slot) {
        QCOMPARE(lblCardNo(slot)->text(), QString::number(slot + 1));
        QCOMPARE(lblCardNo(slot)->size(), QSize(14, 23));
        QCOMPARE(lblCardNo(slot)->font().pointSizeF(), 14.25);
        QVERIFY(lblCardNo(slot)->font().bold());
        QCOMPARE(picCard(slot)->size(), QSize(53, 80));
        // The number is drawn over its picture.
        const QObjectList order = picCard(slot)->parent()->children();
        QVERIFY(order.indexOf(lblCardNo(slot)) > order.indexOf(picCard(slot)));
    }
    // Verdana where it is installed, else the first of its free relatives that is.
    const QStringList installed = QFontDatabase::families();
    const QString shown = QFontInfo(child<QPushButton>("cmdProceed")->font()).family();
    QCOMPARE(shown, installed.contains(QStringLiteral("Verdana"))
                        ? QStringLiteral("Verdana")
                        : QStringLiteral("DejaVu Sans"));
}

void TestMainWindow::tabOrderStartsWithNameSpreadProceed()
{
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>("txtName"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), child<QComboBox>("cboSpread"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), child<QPushButton>("cmdProceed"));

    // With a reading: from the report to Back, to Save and round again.
    proceed(QStringLiteral("Ann"), 0);
    for (const char *next : {"RTB", "cmdBack", "cmdSave", "RTB"}) {
        QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // Enter presses the button the keys are at; in the name box or on the spread list it draws.
    for (const char *at : {"txtName", "cboSpread"}) {
        child<QPushButton>("cmdBack")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(isInFront(child<QFrame>("fraMain"), child<QFrame>("fraResult")));
        m_window->findChild<QWidget *>(QLatin1String(at))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(isInFront(child<QFrame>("fraResult"), child<QFrame>("fraMain")));
    }
}

void TestMainWindow::emptyNameIsRefused()
{
    child<QComboBox>("cboSpread")->setFocus();
    QTest::mouseClick(child<QPushButton>("cmdProceed"), Qt::LeftButton);
    QCOMPARE(m_platform->messages.size(), 1);
    QCOMPARE(m_platform->messages[0].text, QStringLiteral("Please Enter Your Name"));
    QCOMPARE(m_platform->messages[0].icon, Platform::Icon::Critical);
    QCOMPARE(m_platform->messages[0].buttons, Platform::Buttons::Ok);
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>("txtName"));
    QCOMPARE(m_random->taken(), 0);
    QVERIFY(m_window->reading().cards.isEmpty());
    QVERIFY(isInFront(child<QFrame>("fraMain"), child<QFrame>("fraResult")));
}

void TestMainWindow::oneBlankIsAName()
{
    proceed(QStringLiteral(" "), 0);
    QVERIFY(m_platform->messages.isEmpty());
    QCOMPARE(m_window->reading().cards.size(), 8);
    QVERIFY(isInFront(child<QFrame>("fraResult"), child<QFrame>("fraMain")));
}

void TestMainWindow::spreadShowsItsPicturesAtTheirPlaces_data()
{
    QTest::addColumn<int>("spread");
    QTest::addColumn<QList<QPoint>>("places");
    auto t = [](int l, int top) {
        return QPoint(l / 15, top / 15);
    };
    const QList<QPoint> cross{t(3960, 1680), t(3000, 3000), t(2040, 1680), t(3000, 360)};
    QTest::newRow("Pathway Spread")
        << 0 << QList<QPoint>{t(3960, 1680), t(3000, 1680), t(2040, 1680), t(3000, 360),
                              t(3000, 3000), t(2040, 360),  t(3960, 3000)};
    QTest::newRow("Butterfly Spread") << 1 << cross;
    QTest::newRow("Medicine Wheel Spread") << 2 << (cross + QList<QPoint>{t(3000, 1680)});
    QTest::newRow("Sun Lodge Spread") << 3 << (cross + QList<QPoint>{t(3000, 1680)});
    QTest::newRow("Moon Lodge Spread") << 4 << (cross + QList<QPoint>{t(3000, 1680)});
}

void TestMainWindow::spreadShowsItsPicturesAtTheirPlaces()
{
    QFETCH(int, spread);
    QFETCH(QList<QPoint>, places);
    proceed(QStringLiteral("Ann"), spread);
    for (int slot = 0; slot < 7; ++slot) {
        const bool used = slot < places.size();
        QCOMPARE(!picCard(slot)->isHidden(), used);
        QCOMPARE(!lblCardNo(slot)->isHidden(), used);
        if (used) {
            QCOMPARE(picCard(slot)->pos(), places[slot]);
            QCOMPARE(lblCardNo(slot)->pos(), places[slot]);
            QVERIFY(!picCard(slot)->pixmap().isNull());
            QCOMPARE(picCard(slot)->pixmap().deviceIndependentSize(), QSizeF(53, 80));
        }
    }
}

void TestMainWindow::fourCardsAfterSevenHideTheRest()
{
    proceed(QStringLiteral("Ann"), 0);
    const QPoint slot4 = picCard(4)->pos();
    QTest::mouseClick(child<QPushButton>("cmdBack"), Qt::LeftButton);
    proceed(QStringLiteral("Ann"), 1);
    for (int slot = 4; slot < 7; ++slot) {
        QVERIFY(picCard(slot)->isHidden());
        QVERIFY(lblCardNo(slot)->isHidden());
    }
    // Unused slots keep their old places.
    QCOMPARE(picCard(4)->pos(), slot4);
    QCOMPARE(picCard(1)->pos(), QPoint(200, 200));
    QVERIFY(!picCard(3)->isHidden());
}

void TestMainWindow::backEmptiesTheTablesAndKeepsNameAndSelection()
{
    proceed(QStringLiteral("Ann Lee"), 2);
    const QString report = child<QTextBrowser>("RTB")->toPlainText();
    QTest::mouseClick(child<QPushButton>("cmdBack"), Qt::LeftButton);
    QVERIFY(m_window->reading().cards.isEmpty());
    QVERIFY(m_window->reading().orientations.isEmpty());
    QVERIFY(m_window->reading().positionTitles.isEmpty());
    QCOMPARE(m_window->reading().spreadIndex, qint16(2));
    QCOMPARE(child<QLineEdit>("txtName")->text(), QStringLiteral("Ann Lee"));
    QCOMPARE(child<QComboBox>("cboSpread")->currentIndex(), 2);
    QVERIFY(isInFront(child<QFrame>("fraMain"), child<QFrame>("fraResult")));
    // The report and the pictures wait behind the selection panel.
    QCOMPARE(child<QTextBrowser>("RTB")->toPlainText(), report);
    QVERIFY(!picCard(0)->isHidden());
}

void TestMainWindow::wholeReportTextOfAScriptedReading()
{
    proceed(QStringLiteral("Ann"), 1, script({{7, false}, {12, true}, {0, true}, {43, false}}));
    QFile file(QFINDTESTDATA("../data/presentation/report-butterfly.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QString expected = QString::fromUtf8(file.readAll());
    expected.replace(QStringLiteral("http://www.forum.test.example"),
                                    WebAddresses::forum().toString());
    // Shown as written, but for the invisible break opportunities in the addresses.
    const QString shown = child<QTextBrowser>("RTB")->toPlainText();
    QCOMPARE(QString(shown).remove(AddressBreak), expected);
    QCOMPARE(shown.count(AddressBreak), 2 * shownAddress(WebAddresses::forum().toString()).count(AddressBreak));
    QVERIFY(!shown.contains(QStringLiteral("Ann")));
}

void TestMainWindow::everyRunKeepsItsColourAndWeight()
{
    proceed(QStringLiteral("Ann"), 0);
    const ReadingReport report = ReadingReport::build(m_window->reading());
    const QString mismatch =
        Test::reportFormatMismatch(child<QTextBrowser>("RTB")->document(), report);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void TestMainWindow::reversedPictureIsTheUprightOneTurned()
{
    proceed(QStringLiteral("Ann"), 1, script({{7, false}, {8, false}, {9, false}, {10, false}}));
    const QImage upright = imageOf(picCard(0));
    const QImage neighbour = imageOf(picCard(1));
    QTest::mouseClick(child<QPushButton>("cmdBack"), Qt::LeftButton);
    proceed(QStringLiteral("Ann"), 1, script({{7, true}, {8, false}, {9, false}, {10, false}}));
    const QImage reversed = imageOf(picCard(0));

    QVERIFY(!upright.isNull());
    QVERIFY(reversed != upright);
    const QString mismatch = Test::halfTurnMismatch(reversed, upright);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    // The neighbours, upright both times, did not change.
    QCOMPARE(imageOf(picCard(1)), neighbour);
}

void TestMainWindow::picturesMatchTheScreensPixelRatio()
{
    proceed(QStringLiteral("Ann"), 0);
    const qreal ratio = m_window->devicePixelRatioF();
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    for (int slot = 0; slot < 7; ++slot) {
        const QPixmap pixmap = picCard(slot)->pixmap();
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        QCOMPARE(pixmap.size(), (QSizeF(53, 80) * ratio).toSize());
    }
    // Each card shows its own picture.
    QVERIFY(imageOf(picCard(0)) != imageOf(picCard(1)));
}

void TestMainWindow::reportIsReadFromTheTop()
{
    proceed(QStringLiteral("Ann"), 0);
    auto *rtb = child<QTextBrowser>("RTB");
    QVERIFY(rtb->verticalScrollBar()->maximum() > 0);
    QTest::qWait(50); // whatever the view does once shown and focused
    QCOMPARE(rtb->verticalScrollBar()->value(), 0);
    // The insertion point is left after the last run.
    QCOMPARE(rtb->textCursor().position(), rtb->document()->characterCount() - 1);
}

void TestMainWindow::showingTheSameReadingTwiceIsIdentical()
{
    proceed(QStringLiteral("Ann"), 0,
        script({{1, true}, {2, false}, {3, true}, {4, true}, {5, false}, {6, true}, {7, false}}));
    auto *rtb = child<QTextBrowser>("RTB");
    const QString html = rtb->toHtml();
    QList<QImage> pictures;
    for (int slot = 0; slot < 7; ++slot)
        pictures << imageOf(picCard(slot));
    m_window->ShowReading();
    QCOMPARE(rtb->toHtml(), html);
    for (int slot = 0; slot < 7; ++slot)
        QCOMPARE(imageOf(picCard(slot)), pictures[slot]);
    QVERIFY(isInFront(child<QFrame>("fraResult"), child<QFrame>("fraMain")));
}

void TestMainWindow::forumAddressWrapsOnlyBetweenItsParts()
{
    proceed(QStringLiteral("Ann"), 0);
    QTextDocument *document = child<QTextBrowser>("RTB")->document();
    const QString forum = shownAddress(WebAddresses::forum().toString());
    int breaks = 0;
    for (int occurrence = 0, from = 0; occurrence < 2; ++occurrence) {
        const QTextCursor found = document->find(forum, from);
        QVERIFY(!found.isNull());
        from = found.selectionEnd();
        const QTextBlock block = found.block();
        const QTextLayout *layout = block.layout();
        for (int i = 1; i < layout->lineCount(); ++i) {
            const int at = block.position() + layout->lineAt(i).textStart();
            if (at <= found.selectionStart() || at >= found.selectionEnd())
                continue;
            // The line ends just after a separator's break opportunity, never within a word.
            ++breaks;
            QCOMPARE(document->characterAt(at - 1), AddressBreak);
            const QChar separator = document->characterAt(at - 2);
            QVERIFY2(separator == u'/' || separator == u'.', qPrintable(QString(separator)));
        }
    }
    // The default forum address is wider than the view: it must wrap somewhere.
    if (WebAddresses::forum().host() == u"www.forum.orvella.example")
        QVERIFY(breaks > 0);
}

void TestMainWindow::forumLinkOpensOnce_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("occurrence");
    QTest::newRow("after one reading, first line") << QStringLiteral("once") << 0;
    QTest::newRow("after one reading, last line") << QStringLiteral("once") << 1;
    QTest::newRow("after ShowReading twice") << QStringLiteral("twice") << 0;
    QTest::newRow("after Back and Proceed") << QStringLiteral("back") << 0;
    QTest::newRow("after Back and Proceed, last line") << QStringLiteral("back") << 1;
}

void TestMainWindow::forumLinkOpensOnce()
{
    QFETCH(QString, path);
    QFETCH(int, occurrence);
    proceed(QStringLiteral("Ann"), 1);
    if (path == QLatin1String("twice"))
        m_window->ShowReading();
    if (path == QLatin1String("back")) {
        QTest::mouseClick(child<QPushButton>("cmdBack"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>("cmdProceed"), Qt::LeftButton);
    }
    clickForum(occurrence);
    QCOMPARE(m_platform->openedUrls, (QList<QUrl>{WebAddresses::forum()}));
}

void TestMainWindow::mouseOverTheReportClearsOnlyThroughTheSeam()
{
    proceed(QStringLiteral("Ann"), 1);
    auto *viewport = child<QTextBrowser>("RTB")->viewport();
    const int before = m_platform->clipboardClears;
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), viewport->mapToGlobal(QPointF(10, 10)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QCOMPARE(m_platform->clipboardClears, before + 1);
    QVERIFY(m_platform->openedUrls.isEmpty());
}

void TestMainWindow::cardPicturesAreNamedForScreenReaders()
{
    proceed(QStringLiteral("Ann"), 0,
                           script({{1, false},
                                   {2, false},
                                   {7, true},
                                   {10, false},
                                   {11, false},
                                   {12, false},
                                   {13, false}}));
    QCOMPARE(picCard(2)->accessibleName(),
             QStringLiteral("Card 3, your Future: The Otter, reversed"));
    QCOMPARE(picCard(0)->accessibleName(),
             QStringLiteral("Card 1, Your Past: %1, upright").arg(CardDeck::card(1)->name));
}

void TestMainWindow::everyControlHasAnAccessibleName()
{
    // What a screen reader hears: an explicit name, or a label's own text.
    const auto widgets = m_window->centralWidget()->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_")))
            continue;
        QAccessibleInterface *heard = QAccessible::queryAccessibleInterface(widget);
        QVERIFY2(heard && !heard->text(QAccessible::Name).isEmpty(), qPrintable(widget->objectName()));
    }
}

void TestMainWindow::aCardAndItsNumberAreHeardOnce()
{
    proceed(QStringLiteral("Ann"), 0);
    QAccessibleInterface *panel = QAccessible::queryAccessibleInterface(child<QFrame>("fraResult"));
    QList<QObject *> heard;
    for (int i = 0; i < panel->childCount(); ++i)
        heard << panel->child(i)->object();
    for (int slot = 0; slot < 7; ++slot) {
        QVERIFY(heard.contains(picCard(slot)));
        QVERIFY(!heard.contains(lblCardNo(slot)));
    }
    QCOMPARE(panel->indexOfChild(QAccessible::queryAccessibleInterface(picCard(6))),
             int(heard.indexOf(picCard(6))));
}

void TestMainWindow::cardNamesNeverOutliveTheirReading()
{
    proceed(QStringLiteral("Ann"), 0);
    QVERIFY(picCard(6)->accessibleName().contains(QStringLiteral("What is working against you")));
    QTest::mouseClick(child<QPushButton>("cmdBack"), Qt::LeftButton);
    for (int slot = 0; slot < 7; ++slot)
        QCOMPARE(picCard(slot)->accessibleName(), QStringLiteral("Card %1").arg(slot + 1));
    proceed(QStringLiteral("Ann"), 1);
    QVERIFY(picCard(3)->accessibleName().contains(QStringLiteral("North Card")));
    for (int slot = 4; slot < 7; ++slot)
        QCOMPARE(picCard(slot)->accessibleName(), QStringLiteral("Card %1").arg(slot + 1));
}

void TestMainWindow::openShowsTheReadingAndKeepsTheSelection()
{
    Reading saved;
    saved.spreadIndex = 3;
    saved.cards = {4, 9, 14, 19, 24, 0};
    saved.orientations = {1, 0, 1, 0, 1, 0};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sun.mca"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ReadingFile::encode(saved));
    file.close();

    QSignalSpy opened(m_window, &MainWindow::readingOpened);
    child<QComboBox>("cboSpread")->setCurrentIndex(1);
    m_platform->fileNames.enqueue(path);
    QTest::mouseClick(child<QPushButton>("cmdOpen"), Qt::LeftButton);
    QCOMPARE(opened.size(), 1);
    QCOMPARE(m_window->reading().spreadIndex, qint16(3));
    QCOMPARE(m_window->reading().cards.mid(0, 5), saved.cards.mid(0, 5));
    QVERIFY(isInFront(child<QFrame>("fraResult"), child<QFrame>("fraMain")));
    QVERIFY(child<QTextBrowser>("RTB")->toPlainText().contains(QStringLiteral("Sun Lodge Spread")));
    QVERIFY(!picCard(4)->isHidden());
    QVERIFY(picCard(5)->isHidden());
    QCOMPARE(child<QComboBox>("cboSpread")->currentIndex(), 1);
    QVERIFY(m_platform->messages.isEmpty()); // no name needed
}

void TestMainWindow::cancelledOpenStaysOnSelection()
{
    QSignalSpy opened(m_window, &MainWindow::readingOpened);
    QTest::mouseClick(child<QPushButton>("cmdOpen"), Qt::LeftButton);
    QCOMPARE(m_platform->openRequests.size(), 1);
    QCOMPARE(opened.size(), 0);
    QVERIFY(isInFront(child<QFrame>("fraMain"), child<QFrame>("fraResult")));
}

void TestMainWindow::saveStaysOnTheResult()
{
    proceed(QStringLiteral("Ann"), 1);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mine.mca"));
    m_platform->fileNames.enqueue(path);
    QTest::mouseClick(child<QPushButton>("cmdSave"), Qt::LeftButton);
    QCOMPARE(m_platform->saveRequests.size(), 1);
    QVERIFY(QFile::exists(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const auto read = ReadingFile::decode(file.readAll());
    QVERIFY(read.has_value());
    QCOMPARE(read->cards.mid(0, 4), m_window->reading().cards.mid(0, 4));
    QVERIFY(isInFront(child<QFrame>("fraResult"), child<QFrame>("fraMain")));
}

void TestMainWindow::acceleratorsOfTheHiddenPanelDoNothing()
{
    // Alt+S and Alt+B belong to the result panel, which lies behind. A button's
    // accelerator clicks it a moment later, so each step waits for that moment.
    QTest::keyClick(m_window, Qt::Key_S, Qt::AltModifier);
    QTest::keyClick(m_window, Qt::Key_B, Qt::AltModifier);
    QTest::qWait(300);
    QVERIFY(m_platform->saveRequests.isEmpty());
    QVERIFY(!child<QFrame>("fraResult")->isEnabled());
    // Alt+G is in front and works.
    QTest::keyClicks(child<QLineEdit>("txtName"), QStringLiteral("Ann"));
    QTest::keyClick(m_window, Qt::Key_G, Qt::AltModifier);
    QTRY_VERIFY(isInFront(child<QFrame>("fraResult"), child<QFrame>("fraMain")));
    QTest::keyClick(m_window, Qt::Key_O, Qt::AltModifier);
    QTest::qWait(300);
    QVERIFY(m_platform->openRequests.isEmpty());
    QTest::keyClick(m_window, Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(m_platform->saveRequests.size(), 1);
    QTest::keyClick(m_window, Qt::Key_B, Qt::AltModifier);
    QTRY_VERIFY(isInFront(child<QFrame>("fraMain"), child<QFrame>("fraResult")));
}

void TestMainWindow::menuBarAsDesigned()
{
    const QList<QAction *> bar = m_window->menuBar()->actions();
    QStringList captions;
    for (QAction *action : bar)
        captions << action->text();
    QCOMPARE(captions, (QStringList{QStringLiteral("&File"), QStringLiteral("&Help"),
                                    QStringLiteral("&Donate")}));
    QVERIFY(!bar[2]->menu());
    QCOMPARE(bar[2]->objectName(), QStringLiteral("mnuDonate"));
    // The make-money entry is kept, never shown and off the bar, so it claims no Alt key.
    auto *makeMoney = m_window->findChild<QAction *>(QStringLiteral("mnuMakeMoney"));
    QCOMPARE(makeMoney->text(), QStringLiteral("Make Money &Online"));
    QVERIFY(!makeMoney->isVisible());
    QVERIFY(!makeMoney->isEnabled());

    auto entries = [](QMenu *menu) {
        QStringList result;
        for (QAction *action : menu->actions())
            result << (action->objectName() + QLatin1Char('=')
                       + (action->isSeparator() ? QStringLiteral("-") : action->text())
                          + (action->isVisible() ? QString() : QStringLiteral(" (hidden)")));
        return result;
    };
    QCOMPARE(entries(bar[0]->menu()),
             (QStringList{QStringLiteral("mnuCalculate=Calculate My 9 Star &Ki Astrology (hidden)"),
                          QStringLiteral("mnuSep1=- (hidden)"),
                          QStringLiteral("mnuViewCards=&View Cards Large"),
                          QStringLiteral("mnuSep5=-"),
                          QStringLiteral("mnuPrint=&Print Reading..."),
                          QStringLiteral("mnuExportPdf=&Export Reading as PDF..."),
                          QStringLiteral("mnuExportImage=Export Reading as &Image..."),
                          QStringLiteral("mnuCopyImage=&Copy Reading as Image"),
                          QStringLiteral("mnuSep4=-"), QStringLiteral("mnuExit=E&xit")}));
    QCOMPARE(
        entries(bar[1]->menu()),
        (QStringList{QStringLiteral("mnuOnline=&Online Help"),
            QStringLiteral("mnuVisit=&Visit Us Online"),
                QStringLiteral("mnuSep2=-"),
                    QStringLiteral("mnuUpdate=Check for Software &Update"),
                                   QStringLiteral("mnuSep3=-"),
                                   QStringLiteral("mnuCardMeanings=&Card Meanings"),
                                                  QStringLiteral("mnuAbout=&About Software")}));
    QVERIFY(!m_window->findChild<QAction *>(QStringLiteral("mnuCalculate"))->isEnabled());
    // Only two added entries have shortcuts: the card view's and printing's.
    for (QAction *action : m_window->findChildren<QAction *>()) {
        const bool added = action->objectName() == u"mnuViewCards" || action->objectName() == u"mnuPrint";
        QVERIFY2(action->shortcut().isEmpty() != added, qPrintable(action->objectName()));
    }
}

void TestMainWindow::menuCommandsOpenTheirPages()
{
    m_window->findChild<QAction *>(QStringLiteral("mnuOnline"))->trigger();
    m_window->findChild<QAction *>(QStringLiteral("mnuVisit"))->trigger();
    m_window->findChild<QAction *>(QStringLiteral("mnuUpdate"))->trigger();
    m_window->findChild<QAction *>(QStringLiteral("mnuDonate"))->trigger();
    QCOMPARE(m_platform->openedUrls,
             (QList<QUrl>{WebAddresses::onlineHelp(), WebAddresses::makerHome(),
                          WebAddresses::downloadPage(), WebAddresses::donatePage()}));
    QVERIFY(m_platform->messages.isEmpty()); // the update entry asks nothing
}

void TestMainWindow::aboutBoxIsModal()
{
    QString shown;
    bool modal = false;
    QTimer::singleShot(0, this, [&] {
        if (auto *about = qobject_cast<AboutBox *>(QApplication::activeModalWidget())) {
            shown = about->metaObject()->className();
            modal = about->isModal();
            about->reject();
        }
    });
    m_window->findChild<QAction *>(QStringLiteral("mnuAbout"))->trigger();
    QCOMPARE(shown, QStringLiteral("Orvella::AboutBox"));
    QVERIFY(modal);
}

void TestMainWindow::linkLabelsOpenTheirPages()
{
    QTest::mouseClick(child<QLabel>("Label14"), Qt::LeftButton);
    QTest::mouseClick(child<QLabel>("lblFullBrand"), Qt::LeftButton);
    child<QLabel>("lblCobrand")->show();
    child<QLabel>("lblCobrand")->raise();
    QTest::mouseClick(child<QLabel>("lblCobrand"), Qt::LeftButton);
    QCOMPARE(m_platform->openedUrls,
             (QList<QUrl>{WebAddresses::makerHome(), WebAddresses::fullBrandPage(),
                          WebAddresses::coBrandPage()}));
}

void TestMainWindow::fullBrandLabelIsInFrontUntilRandomized()
{
    QVERIFY(isInFront(child<QLabel>("lblFullBrand"), child<QLabel>("lblCobrand")));
    QVERIFY(child<QLabel>("lblFullBrand")->autoFillBackground());
    QVERIFY(child<QLabel>("lblCobrand")->autoFillBackground());
    QCOMPARE(m_window->intCoBrandRandomNumber(), qint16(0));
}

void TestMainWindow::coBrandRandomizeRaisesByNumber_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("fullBrandInFront");
    QTest::newRow("0 gives 1, co-brand") << 0.0 << 1 << false;
    QTest::newRow("0.2 gives 2, full brand") << 0.2 << 2 << true;
    QTest::newRow("0.99 gives 7, nothing moves") << 0.99 << 7 << true;
}

void TestMainWindow::coBrandRandomizeRaisesByNumber()
{
    QFETCH(double, r);
    QFETCH(int, number);
    QFETCH(bool, fullBrandInFront);
    m_random->script({r});
    m_window->CoBrand_Randomize();
    QCOMPARE(m_window->intCoBrandRandomNumber(), qint16(number));
    QCOMPARE(isInFront(child<QLabel>("lblFullBrand"), child<QLabel>("lblCobrand")),
             fullBrandInFront);
}

void TestMainWindow::closingEmitsClosing()
{
    QSignalSpy closing(m_window, &MainWindow::closing);
    m_window->findChild<QAction *>(QStringLiteral("mnuExit"))->trigger();
    QCOMPARE(closing.size(), 1);
    QVERIFY(!m_window->isVisible());
    m_window->show();
    m_window->close();
    QCOMPARE(closing.size(), 2);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
