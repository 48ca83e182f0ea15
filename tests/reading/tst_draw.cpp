#include "oracle/spreadcatalogue.h"
#include "reading/clockrandomsource.h"
#include "reading/draw.h"
#include "reading/rounding.h"
#include "support/scriptedrandom.h"

#include <QTest>

#include <array>

using namespace Orvella;
using Orvella::Test::ScriptedRandom;

class TestDraw : public QObject
{
    Q_OBJECT

private slots:
    void roundsHalfToEven_data();
    void roundsHalfToEven();
    void tableShapes_data();
    void tableShapes();
    void halfGivesOpossumUpright();
    void repeatsAreRejected();
    void neverSeeds();
    void unknownSpreadOnlyStoresTheIndex();
    void perAttemptWeightsOverAll24BitValues();
    void realDrawsCoverTheDeckWithHalfWeightEnds();
    void clockSourceHas24BitResolution();
};

void TestDraw::roundsHalfToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("0.5 down to 0") << 0.5 << 0;
    QTest::newRow("1.5 up to 2") << 1.5 << 2;
    QTest::newRow("2.5 down to 2") << 2.5 << 2;
    QTest::newRow("21.5 up to 22") << 21.5 << 22;
    QTest::newRow("just above half") << 0.5000001 << 1;
    QTest::newRow("-0.5 to 0") << -0.5 << 0;
    QTest::newRow("-1.5 to -2") << -1.5 << -2;
    QTest::newRow("-2.5 to -2") << -2.5 << -2;
    QTest::newRow("32767.4") << 32767.4 << 32767;
}

void TestDraw::roundsHalfToEven()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(int(roundHalfEven(value)), expected);
    QCOMPARE(toInt16(value), std::optional<qint16>(qint16(expected)));
}

void TestDraw::tableShapes_data()
{
    QTest::addColumn<int>("spread");
    QTest::addColumn<int>("positions");
    QTest::newRow("pathway") << 0 << 7;
    QTest::newRow("butterfly") << 1 << 4;
    QTest::newRow("medicine wheel") << 2 << 5;
    QTest::newRow("sun lodge") << 3 << 5;
    QTest::newRow("moon lodge") << 4 << 5;
}

void TestDraw::tableShapes()
{
    QFETCH(int, spread);
    QFETCH(int, positions);

    ClockRandomSource random;
    random.seed(1234);
    Reading reading;
    reading.cards = {9, 9, 9, 9, 9, 9, 9, 9, 9, 9}; // a bigger earlier reading must not survive
    Draw(reading, qint16(spread), random);

    QCOMPARE(reading.spreadIndex, spread);
    QCOMPARE(reading.cards.size(), positions + 1);
    QCOMPARE(reading.orientations.size(), positions + 1);
    QCOMPARE(reading.positionTitles.size(), positions + 1);
    QCOMPARE(reading.positionCount(), positions);
    QCOMPARE(reading.cards.last(), 0);
    QCOMPARE(reading.orientations.last(), 0);
    QVERIFY(reading.positionTitles.last().isEmpty());
    QCOMPARE(reading.positionTitles.first(),
             SpreadCatalogue::splitTitles(SpreadCatalogue::spread(spread)->positionTitles).first());
    for (int i = 0; i < positions; ++i) {
        QVERIFY(reading.cards[i] >= 0 && reading.cards[i] <= 43);
        QVERIFY(reading.orientations[i] == 0 || reading.orientations[i] == 1);
    }
}

void TestDraw::halfGivesOpossumUpright()
{
    QCOMPARE(cardCandidate(0.5), 22);
    QCOMPARE(orientationFor(0.5), Upright);

    ScriptedRandom random({0.5, 0.5, 0.1, 0.1, 0.2, 0.2, 0.3, 0.3, 0.4});
    Reading reading;
    Draw(reading, 1, random);
    QCOMPARE(reading.cards[0], 22);
    QCOMPARE(reading.orientations[0], Upright);
}

void TestDraw::repeatsAreRejected()
{
    // Card 22 comes up again for the second position and must be rejected.
    const double card22 = 0.5, card0 = 0.0, card43 = 0.999, up = 0.1, rev = 0.9;
    ScriptedRandom random({card22, rev, card22, card22, card0, up, card0, card43, up, card43,
                           1.0 / 43, rev});
    Reading reading;
    Draw(reading, 1, random);
    QCOMPARE(reading.cards, (QList<qint16>{22, 0, 43, 1, 0}));
    QCOMPARE(reading.orientations, (QList<qint16>{1, 0, 0, 1, 0}));
    QCOMPARE(random.taken(), 12); // one value per attempt, one per orientation
}

void TestDraw::neverSeeds()
{
    ScriptedRandom random({0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9});
    Reading reading;
    Draw(reading, 0, random);
    QCOMPARE(random.seeds(), 0);
}

void TestDraw::unknownSpreadOnlyStoresTheIndex()
{
    ScriptedRandom random;
    Reading reading;
    Draw(reading, 1, random);
    const Reading before = reading;
    Draw(reading, 6, random);
    QCOMPARE(reading.spreadIndex, 6);
    QCOMPARE(reading.cards, before.cards);
    QCOMPARE(reading.positionTitles, before.positionTitles);

    Draw(reading, 5, random); // the empty spare slot: one spare entry, no positions
    QCOMPARE(reading.positionCount(), 0);
}

void TestDraw::perAttemptWeightsOverAll24BitValues()
{
    std::array<int, 44> cardHits{};
    int upright = 0;
    constexpr int steps = 1 << 24;
    for (int k = 0; k < steps; ++k) {
        const double u = k / double(steps);
        const qint16 c = cardCandidate(u);
        QVERIFY(c >= 0 && c <= 43);
        ++cardHits[c];
        if (orientationFor(u) == Upright)
            ++upright;
    }
    QCOMPARE(cardHits[0], 195084);
    QCOMPARE(cardHits[43], 195083);
    for (int c = 1; c <= 42; ++c) {
        const bool light = QList<int>{5, 11, 16, 21, 27, 32, 38}.contains(c);
        QCOMPARE(cardHits[c], light ? 390167 : 390168);
    }
    QCOMPARE(upright, (1 << 23) + 1);
}

void TestDraw::realDrawsCoverTheDeckWithHalfWeightEnds()
{
    ClockRandomSource random;
    random.seed(20261207);
    std::array<int, 44> hits{};
    constexpr int draws = 40000;
    int reversed = 0;
    Reading reading;
    for (int d = 0; d < draws; ++d) {
        Draw(reading, 3, random); // five positions
        QSet<qint16> seen;
        for (int i = 0; i < reading.positionCount(); ++i) {
            QVERIFY2(!seen.contains(reading.cards[i]), "a card came up twice in one reading");
            seen << reading.cards[i];
            ++hits[reading.cards[i]];
            reversed += reading.orientations[i];
        }
    }
    double middle = 0;
    for (int c = 1; c <= 42; ++c) {
        QVERIFY(hits[c] > 0);
        middle += hits[c];
    }
    middle /= 42;
    // 200000 cards: ends near half of the others, far from equal weight.
    QVERIFY2(hits[0] > 0.4 * middle && hits[0] < 0.6 * middle, qPrintable(QString::number(hits[0])));
    QVERIFY2(hits[43] > 0.4 * middle && hits[43] < 0.6 * middle, qPrintable(QString::number(hits[43])));
    QVERIFY(reversed > 0.48 * draws * 5 && reversed < 0.52 * draws * 5);
}

void TestDraw::clockSourceHas24BitResolution()
{
    ClockRandomSource random;
    random.seedFromClock();
    for (int i = 0; i < 10000; ++i) {
        const double u = random.next();
        QVERIFY(u >= 0.0 && u < 1.0);
        const double k = u * 16777216.0;
        QCOMPARE(k, std::floor(k));
    }
}

QTEST_GUILESS_MAIN(TestDraw)
#include "tst_draw.moc"
