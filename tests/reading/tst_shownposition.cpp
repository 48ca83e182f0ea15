#include "oracle/carddeck.h"
#include "reading/reading.h"
#include "reading/shownposition.h"

#include <QTest>

using namespace Orvella;

namespace {

// Each table with its spare last slot, as the draw and the file make them.
Reading reading(QList<qint16> cards, QList<Orientation> orientations, QStringList titles = {})
{
    Reading r;
    r.cards = cards << 0;
    r.orientations = orientations << 0;
    r.positionTitles = titles << QString();
    return r;
}

} // namespace

class TestShownPosition : public QObject
{
    Q_OBJECT

private slots:
    void positionsAreNamedAsTheReportNamesThem_data();
    void positionsAreNamedAsTheReportNamesThem();
    void pictureAndItsTurnFollowTheWorkSurface_data();
    void pictureAndItsTurnFollowTheWorkSurface();
    void deckCardsAreUpright();
};

void TestShownPosition::positionsAreNamedAsTheReportNamesThem_data()
{
    QTest::addColumn<Reading>("reading");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("titled, upright and reversed") << reading(
        {3, 7}, {0, 1}, {QStringLiteral("Your Past"), QStringLiteral("your Future")})
        << QStringList{QStringLiteral("Card 1, Your Past: The Deer, upright"),
                                      QStringLiteral("Card 2, your Future: The Otter, reversed")};
    QTest::newRow("orientation 2 lies upright")
        << reading({43}, {2}, {QStringLiteral("North")})
                   << QStringList{QStringLiteral("Card 1, North: The Hummingbird, upright")};
    QTest::newRow("no titles, a card outside the deck")
        << reading({0, 99}, {0, 1})
        << QStringList{QStringLiteral("Card 1: The Eagle, upright"),
                                      QStringLiteral("Card 2, reversed")};
    QTest::newRow("no positions") << Reading{} << QStringList{};
}

void TestShownPosition::positionsAreNamedAsTheReportNamesThem()
{
    QFETCH(Reading, reading);
    QFETCH(QStringList, names);
    const QList<ShownPosition> shown = shownPositions(reading);
    QCOMPARE(shown.size(), names.size());
    for (int i = 0; i < shown.size(); ++i) {
        QCOMPARE(shown[i].accessibleName, names[i]);
        QCOMPARE(shown[i].numberText(), QStringLiteral("Card %1").arg(i + 1));
        QCOMPARE(shown[i].cardName(), CardDeck::card(reading.cards[i]).value_or(Card{}).name);
    }
}

void TestShownPosition::pictureAndItsTurnFollowTheWorkSurface_data()
{
    QTest::addColumn<Reading>("reading");
    QTest::addColumn<QList<int>>("pictures");
    QTest::addColumn<QList<bool>>("turned");
    QTest::newRow("each its own, turned when reversed")
        << reading({5, 6, 7}, {0, 1, 0}) << QList<int>{5, 6, 7} << QList<bool>{false, true, false};
    // A card without a picture shows the one before, turned once more when reversed.
    QTest::newRow("no picture, upright")
        << reading({5, 99}, {1, 0}) << QList<int>{5, 5} << QList<bool>{true, true};
    QTest::newRow("no picture, reversed")
        << reading({5, -3}, {1, 1}) << QList<int>{5, 5} << QList<bool>{true, false};
    QTest::newRow("nothing before it")
        << reading({44, 9}, {1, 1}) << QList<int>{-1, 9} << QList<bool>{false, true};
}

void TestShownPosition::pictureAndItsTurnFollowTheWorkSurface()
{
    QFETCH(Reading, reading);
    QFETCH(QList<int>, pictures);
    QFETCH(QList<bool>, turned);
    const QList<ShownPosition> shown = shownPositions(reading);
    QCOMPARE(shown.size(), pictures.size());
    for (int i = 0; i < shown.size(); ++i) {
        QCOMPARE(shown[i].pictureCard, pictures[i]);
        QCOMPARE(shown[i].pictureTurned, turned[i]);
    }
}

void TestShownPosition::deckCardsAreUpright()
{
    const ShownPosition otter = shownDeckCard(7);
    QCOMPARE(otter.cardName(), QStringLiteral("The Otter"));
    QCOMPARE(otter.pictureCard, 7);
    QVERIFY(!otter.reversed && !otter.pictureTurned);
    QCOMPARE(otter.accessibleName, QStringLiteral("Card 8: The Otter, upright"));
}

QTEST_GUILESS_MAIN(TestShownPosition)
#include "tst_shownposition.moc"
