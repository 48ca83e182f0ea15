#include "presentation/cardlayout.h"

#include <QTest>

using namespace Orvella;

namespace {
// Places in twips, as the layout is designed; 15 twips make a pixel.
QPoint twips(int left, int top)
{
    return {left / 15, top / 15};
}
} // namespace

class TestCardLayout : public QObject
{
    Q_OBJECT

private slots:
    void placesBySpread_data();
    void placesBySpread();
    void cardSizeIsTheDesignSize();
    void slotsOutsideTheSevenHaveNoPlace();
};

using Places = QList<std::optional<QPoint>>;
Q_DECLARE_METATYPE(Places)

void TestCardLayout::placesBySpread_data()
{
    QTest::addColumn<qint16>("spread");
    QTest::addColumn<Places>("places");

    const Places cross{twips(3960, 1680), twips(3000, 3000), twips(2040, 1680), twips(3000, 360),
                       std::nullopt,      std::nullopt,      std::nullopt};
    Places crossWithCentre = cross;
    crossWithCentre[4] = twips(3000, 1680);

    QTest::newRow("Pathway: three by three without two corners")
        << qint16(0)
        << Places{twips(3960, 1680), twips(3000, 1680), twips(2040, 1680), twips(3000, 360),
                  twips(3000, 3000), twips(2040, 360),  twips(3960, 3000)};
    QTest::newRow("Butterfly: cross without centre") << qint16(1) << cross;
    QTest::newRow("Medicine Wheel: cross with centre") << qint16(2) << crossWithCentre;
    QTest::newRow("Sun Lodge: cross with centre") << qint16(3) << crossWithCentre;
    QTest::newRow("Moon Lodge: cross with centre") << qint16(4) << crossWithCentre;
    QTest::newRow("spare slot 5 sets the centre too") << qint16(5) << crossWithCentre;
    QTest::newRow("index 99 from a file sets the centre too") << qint16(99) << crossWithCentre;
    QTest::newRow("negative index: cross only") << qint16(-4) << cross;
}

void TestCardLayout::placesBySpread()
{
    QFETCH(qint16, spread);
    QFETCH(Places, places);
    for (int slot = 0; slot < CardLayout::SlotCount; ++slot)
        QCOMPARE(CardLayout::place(spread, slot), places[slot]);
}

void TestCardLayout::cardSizeIsTheDesignSize()
{
    QCOMPARE(CardLayout::CardSize, QSize(53, 80));
    // Neighbours are 165 twips apart across and 120 down: 11 and 8 pixels.
    QCOMPARE(CardLayout::place(0, 0)->x() - CardLayout::place(0, 1)->x()
                 - CardLayout::CardSize.width(),
             11);
    QCOMPARE(CardLayout::place(0, 4)->y() - CardLayout::place(0, 1)->y()
                 - CardLayout::CardSize.height(),
             8);
}

void TestCardLayout::slotsOutsideTheSevenHaveNoPlace()
{
    QCOMPARE(CardLayout::place(0, 7), std::nullopt);
    QCOMPARE(CardLayout::place(0, -1), std::nullopt);
}

QTEST_GUILESS_MAIN(TestCardLayout)
#include "tst_cardlayout.moc"
