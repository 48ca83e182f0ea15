#include "oracle/carddeck.h"
#include "product/product.h"
#include "reading/readingreport.h"
#include "session/readingsession.h"
#include "storage/readingfile.h"
#include "support/files.h"
#include "support/mainwindowdriver.h"
#include "support/pictures.h"
#include "windows/cardview.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Orvella;
using Orvella::Test::MainWindowDriver;

namespace {

// A Pathway reading: card 3 ("your Future") is The Otter, reversed.
const QList<std::pair<int, bool>> Pathway{{1, false},  {2, false}, {7, true},  {10, false},
                                          {11, false}, {12, true}, {13, false}};

QString captionOf(int card)
{
    return CardDeck::card(card)->name + QStringLiteral(" - ") + Product::name();
}

} // namespace

class TestCardView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void nothingOfTheViewBeforeItIsOpened();
    void clickedCardIsShownLarge_data();
    void clickedCardIsShownLarge();
    void keysStepThroughThePositions_data();
    void keysStepThroughThePositions();
    void reversedDrawingIsTheUprightOneTurned();
    void oneViewIsReused();
    void menuEntryOpensTheFirstPositionWhileAReadingIsShown();
    void viewNeverShowsAReadingThatIsGone();
    void deckShowsEveryCardInOrderUpright();
    void deckNeverTouchesTheReading_data();
    void deckNeverTouchesTheReading();

private:
    CardView *view() const { return m_driver->window().cardView(); }
    template<typename T>
    T *part(const char *name) const
    {
        return view() ? view()->findChild<T *>(QLatin1String(name)) : nullptr;
    }
    QString text(const char *label) const { return part<QLabel>(label)->text(); }
    bool shows(const char *label) const { return !part<QLabel>(label)->isHidden(); }
    void openOn(int slot);

    std::unique_ptr<MainWindowDriver> m_driver;
};

void TestCardView::init()
{
    m_driver = std::make_unique<MainWindowDriver>();
    QVERIFY(m_driver->show());
}

void TestCardView::cleanup()
{
    m_driver.reset();
}

void TestCardView::openOn(int slot)
{
    QTest::mouseClick(m_driver->picCard(slot), Qt::LeftButton);
    QVERIFY(view() && view()->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), view());
}

void TestCardView::nothingOfTheViewBeforeItIsOpened()
{
    m_driver->proceed(QStringLiteral("Ann"), 0, MainWindowDriver::script(Pathway));
    QVERIFY(!view());
    QVERIFY(!m_driver->window().findChild<CardView *>());
}

void TestCardView::clickedCardIsShownLarge_data()
{
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<int>("position");
    QTest::newRow("picture of a reversed card") << QStringLiteral("picCard2") << 2;
    QTest::newRow("its number") << QStringLiteral("lblCardNo2") << 2;
    QTest::newRow("picture of an upright card") << QStringLiteral("picCard0") << 0;
}

void TestCardView::clickedCardIsShownLarge()
{
    QFETCH(QString, clicked);
    QFETCH(int, position);
    m_driver->proceed(QStringLiteral("Ann"), 0, MainWindowDriver::script(Pathway));
    QTest::mouseClick(m_driver->child<QLabel>(clicked), Qt::LeftButton);
    QVERIFY(view() && view()->isVisible());
    QCOMPARE(view()->mode(), CardView::Mode::Reading);

    const Reading &reading = m_driver->window().reading();
    const Card card = *CardDeck::card(reading.cards[position]);
    const bool reversed = Pathway[position].second;
    QCOMPARE(view()->windowTitle(), captionOf(reading.cards[position]));
    QCOMPARE(text("lblPosition"), QStringLiteral("Card %1").arg(position + 1));
    QCOMPARE(text("lblPositionTitle"), reading.positionTitles[position]);
    QCOMPARE(text("lblName"), card.name);
    QCOMPARE(text("lblKeyword"), card.keyword);
    QCOMPARE(text("lblOrientation"),
             reversed ? QStringLiteral("Reversed") : QStringLiteral("Upright"));
    QCOMPARE(text("lblMeaningHeading"), ReportWords::description(reversed));
    QCOMPARE(text("lblMeaning"), reversed ? card.reverse : card.upright);
    QCOMPARE(text("lblMedical"), card.medical);
    QVERIFY(!shows("lblReverse"));
    // Heard as the small card is.
    QCOMPARE(part<QLabel>("picCardLarge")->accessibleName(),
             m_driver->picCard(position)->accessibleName());
}

void TestCardView::keysStepThroughThePositions_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("expected");
    QTest::newRow("Right steps on") << 0 << QList<int>{Qt::Key_Right} << 1;
    QTest::newRow("Page Down steps on") << 2 << QList<int>{Qt::Key_PageDown} << 3;
    QTest::newRow("Left steps back") << 3 << QList<int>{Qt::Key_Left} << 2;
    QTest::newRow("Page Up steps back") << 3 << QList<int>{Qt::Key_PageUp} << 2;
    QTest::newRow("Left stays at the first") << 0 << QList<int>{Qt::Key_Left} << 0;
    QTest::newRow("Right stays at the last") << 6 << QList<int>{Qt::Key_Right} << 6;
    QTest::newRow("Home goes to the first") << 4 << QList<int>{Qt::Key_Home} << 0;
    QTest::newRow("End goes to the last") << 1 << QList<int>{Qt::Key_End} << 6;
    QTest::newRow("on, on and back")
        << 0 << QList<int>{Qt::Key_Right, Qt::Key_Right, Qt::Key_Left} << 1;
    QTest::newRow("Enter on Next steps on") << 2 << QList<int>{Qt::Key_Return} << 3;
}

void TestCardView::keysStepThroughThePositions()
{
    QFETCH(int, start);
    QFETCH(QList<int>, keys);
    QFETCH(int, expected);
    m_driver->proceed(QStringLiteral("Ann"), 0, MainWindowDriver::script(Pathway));
    openOn(start);
    for (int key : keys) {
        if (key == Qt::Key_Return) { // on the button Tab brought the keys to
            part<QPushButton>("cmdNext")->setFocus(Qt::TabFocusReason);
            QTest::keyClick(part<QPushButton>("cmdNext"), Qt::Key(key));
        } else {
            QTest::keyClick(view(), Qt::Key(key));
        }
    }
    QCOMPARE(view()->currentIndex(), expected);
    QCOMPARE(view()->windowTitle(), captionOf(Pathway[expected].first));
    QCOMPARE(text("lblPosition"), QStringLiteral("Card %1").arg(expected + 1));
    QCOMPARE(part<QPushButton>("cmdPrevious")->isEnabled(), expected > 0);
    QCOMPARE(part<QPushButton>("cmdNext")->isEnabled(), expected < 6);
    QTest::keyClick(view(), Qt::Key_Escape);
    QVERIFY(!view()->isVisible());
}

void TestCardView::reversedDrawingIsTheUprightOneTurned()
{
    m_driver->proceed(QStringLiteral("Ann"), 0, MainWindowDriver::script(Pathway));
    openOn(2);
    const QPixmap shown = part<QLabel>("picCardLarge")->pixmap();
    // Drawn for the screen's density, so it stays crisp.
    const qreal ratio = view()->devicePixelRatioF();
    QCOMPARE(shown.devicePixelRatio(), ratio);
    QCOMPARE(shown.size(), (QSizeF(260, 400) * ratio).toSize());
    // Given more room, larger in the card's proportions, drawn for that size.
    view()->resize(view()->size() + QSize(520, 800));
    QTRY_COMPARE(part<QLabel>("picCardLarge")->pixmap().height(), qRound(ratio * 400 * 3));
    QCOMPARE(part<QLabel>("picCardLarge")->pixmap().width(), qRound(ratio * 260 * 3));
    // Closed, and shown again at another size, it is drawn for that one.
    view()->hide();
    view()->resize(view()->minimumSizeHint());
    QTest::mouseClick(m_driver->picCard(2), Qt::LeftButton);
    QVERIFY(view()->isVisible());
    QCOMPARE(part<QLabel>("picCardLarge")->pixmap().size(), shown.size());

    view()->showDeck(Pathway[2].first);
    const QImage upright = part<QLabel>("picCardLarge")->pixmap().toImage();
    const QImage reversed = shown.toImage();
    QVERIFY(reversed != upright);
    const QString mismatch = Test::halfTurnMismatch(reversed, upright);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void TestCardView::oneViewIsReused()
{
    m_driver->proceed(QStringLiteral("Ann"), 1, MainWindowDriver::script(Pathway.mid(0, 4)));
    openOn(0);
    QTest::mouseClick(m_driver->picCard(3), Qt::LeftButton);
    QCOMPARE(m_driver->window().findChildren<CardView *>().size(), 1);
    QCOMPARE(view()->currentIndex(), 3);
    QCOMPARE(view()->count(), 4);
}

void TestCardView::menuEntryOpensTheFirstPositionWhileAReadingIsShown()
{
    auto *entry = m_driver->child<QAction>(QStringLiteral("mnuViewCards"));
    QVERIFY(!entry->isEnabled());
    QTest::keyClick(&m_driver->window(), Qt::Key_L, Qt::ControlModifier);
    QVERIFY(!view());

    m_driver->proceed(QStringLiteral("Ann"), 0, MainWindowDriver::script(Pathway));
    QVERIFY(entry->isEnabled());
    QTest::keyClick(&m_driver->window(), Qt::Key_L, Qt::ControlModifier);
    QVERIFY(view() && view()->isVisible());
    QCOMPARE(view()->currentIndex(), 0);
    QCOMPARE(view()->windowTitle(), captionOf(Pathway[0].first));

    m_driver->click(QStringLiteral("cmdBack"));
    QVERIFY(!entry->isEnabled());
}

void TestCardView::viewNeverShowsAReadingThatIsGone()
{
    m_driver->proceed(QStringLiteral("Ann"), 0, MainWindowDriver::script(Pathway));
    openOn(2);
    // Shown again while the view is open, a reading is followed from its first card.
    m_driver->window().ShowReading();
    QVERIFY(view()->isVisible());
    QCOMPARE(view()->currentIndex(), 0);
    // Handed over meanwhile, it is followed there, the keys staying with the view.
    QTemporaryDir dir;
    const QString handed = dir.filePath(QStringLiteral("handed.mca"));
    QVERIFY(Test::writeFile(handed, ReadingFile::encode(m_driver->window().reading())));
    QVERIFY(m_driver->window().receiveReading(handed));
    QTRY_COMPARE(m_driver->window().session().source(), ReadingSource::HandedOver);
    QTRY_COMPARE(QApplication::activeWindow(), view());

    // Back empties the reading: the view closes with it.
    m_driver->click(QStringLiteral("cmdBack"));
    QVERIFY(!view()->isVisible());
    m_driver->proceed(QStringLiteral("Ann"), 1, MainWindowDriver::script({{30, false}, {31, true}, {32, false}, {33, false}}));
    QVERIFY(!view()->isVisible());
    openOn(1);
    QCOMPARE(view()->windowTitle(), captionOf(31));
    QCOMPARE(view()->count(), 4);

    // Its way back to the whole reading.
    QTest::mouseClick(part<QPushButton>("cmdClose"), Qt::LeftButton);
    QVERIFY(!view()->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&m_driver->window()));
}

void TestCardView::deckShowsEveryCardInOrderUpright()
{
    m_driver->child<QAction>(QStringLiteral("mnuCardMeanings"))->trigger();
    QVERIFY(view() && view()->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), view());
    QCOMPARE(view()->mode(), CardView::Mode::Deck);
    QCOMPARE(view()->windowTitle(), QStringLiteral("The Eagle - ") + Product::name());
    for (int i = 0; i < CardDeck::CardCount; ++i) {
        const Card card = *CardDeck::card(i);
        QCOMPARE(view()->windowTitle(), captionOf(i));
        QCOMPARE(text("lblKeyword"), card.keyword);
        QCOMPARE(text("lblMeaning"), card.upright);
        QCOMPARE(text("lblReverse"), card.reverse);
        QCOMPARE(text("lblMedical"), card.medical);
        QVERIFY(shows("lblReverse") && !shows("lblOrientation") && !shows("lblPosition"));
        QTest::keyClick(view(), Qt::Key_Right);
    }
    QCOMPARE(view()->currentIndex(), CardDeck::CardCount - 1);
    QTest::keyClick(view(), Qt::Key_Home);
    QCOMPARE(view()->windowTitle(), captionOf(0));
    QTest::keyClick(view(), Qt::Key_End);
    QCOMPARE(view()->windowTitle(), captionOf(43));
}

void TestCardView::deckNeverTouchesTheReading_data()
{
    QTest::addColumn<bool>("withReading");
    QTest::newRow("from the selection panel") << false;
    QTest::newRow("from the result panel") << true;
}

void TestCardView::deckNeverTouchesTheReading()
{
    QFETCH(bool, withReading);
    if (withReading)
        m_driver->proceed(QStringLiteral("Ann"), 0, MainWindowDriver::script(Pathway));
    const Reading before = m_driver->window().reading();
    const bool resultInFront = m_driver->resultInFront();

    m_driver->child<QAction>(QStringLiteral("mnuCardMeanings"))->trigger();
    QTRY_COMPARE(QApplication::activeWindow(), view());
    QTest::keyClick(view(), Qt::Key_End);
    QCOMPARE(m_driver->window().reading(), before);
    QCOMPARE(m_driver->resultInFront(), resultInFront);
    if (withReading) {
        // Going back ends the reading, not the deck.
        m_driver->click(QStringLiteral("cmdBack"));
        QVERIFY(view()->isVisible());
        QCOMPARE(view()->mode(), CardView::Mode::Deck);
    }
    QTest::keyClick(view(), Qt::Key_Escape);
    QVERIFY(!view()->isVisible());
}

QTEST_MAIN(TestCardView)
#include "tst_cardview.moc"
