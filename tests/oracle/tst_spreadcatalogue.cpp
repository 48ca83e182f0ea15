#include "oracle/spreadcatalogue.h"

#include <QTest>

using namespace Orvella;

class TestSpreadCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void spreads_data();
    void spreads();
    void spareSlotIsEmpty();
    void outsideTheTablesYieldsNothing();
    void namesInListOrder();
    void splitKeepsTheTrailingEmptyPiece_data();
    void splitKeepsTheTrailingEmptyPiece();
};

void TestSpreadCatalogue::spreads_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("cardCount");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QStringList>("titles");

    QTest::newRow("pathway")
        << 0 << "Pathway Spread" << 7
        << "This spread gives you the path through life. It tells you about the path you have "
           "followed till now, your current path and the path you may have to follow in the "
           "future."
        << QStringList{"Your Past", "Your Present", "your Future", "Current Lessons",
                       "Recent Challenges", "What is working for you",
                       "What is working against you"};
    QTest::newRow("butterfly")
        << 1 << "Butterfly Spread" << 4
        << "This spread is used to predict the outcome of a project."
        << QStringList{"East Card - Seed of your Idea", "South Card - What needs to be done",
                       "West Card - Higher Purpose", "North Card - Rewards to be gained"};
    QTest::newRow("medicine wheel")
        << 2 << "Medicine Wheel Spread" << 5
        << "This spread reflects on what you need to learn either from yourself or from others."
        << QStringList{"East Card - Spiritual Strength", "South Card - Trust / Nurture",
                       "West Card - Internal Solutions", "North Card - Wisdom",
                       "Mountain Card- Present"};
    QTest::newRow("sun lodge")
        << 3 << "Sun Lodge Spread" << 5
        << "This spread describes how others see you. This shows your outer personality in a "
           "relationship."
        << QStringList{"East Card - Your Spiritual Outer Personality",
                       "South Card - Your Material Outer Personality",
                       "West Card - Your Interactive Outer Personality",
                       "North Card Your Intellectual Outer Personality",
                       "Central Card - Your Total Outer Personality"};
    QTest::newRow("moon lodge")
        << 4 << "Moon Lodge Spread" << 5
        << "This spread describes your personal unconsciousness. This shows your inner "
           "personality."
        << QStringList{"East Card - Your Inner Spiritual Personality",
                       "South Card - Your New Growth Card",
                       "West Card - Your Real Purpose in Life", "North Card Your Inner Wisdom",
                       "Central Card - Your Power Shield"};
}

void TestSpreadCatalogue::spreads()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(int, cardCount);
    QFETCH(QString, description);
    QFETCH(QStringList, titles);

    const auto spread = SpreadCatalogue::spread(index);
    QVERIFY(spread);
    QCOMPARE(spread->name, name);
    QCOMPARE(spread->cardCount, cardCount);
    QCOMPARE(spread->description, description);
    QCOMPARE(spread->positionTitles, titles.join(u'|') + u'|');
}

void TestSpreadCatalogue::spareSlotIsEmpty()
{
    const auto spare = SpreadCatalogue::spread(5);
    QVERIFY(spare);
    QCOMPARE(spare->cardCount, 0);
    QVERIFY(spare->name.isEmpty());
    QVERIFY(spare->description.isEmpty());
    QVERIFY(spare->positionTitles.isEmpty());
}

void TestSpreadCatalogue::outsideTheTablesYieldsNothing()
{
    QVERIFY(!SpreadCatalogue::spread(-1));
    QVERIFY(!SpreadCatalogue::spread(6));
}

void TestSpreadCatalogue::namesInListOrder()
{
    QCOMPARE(SpreadCatalogue::names(),
             (QStringList{"Pathway Spread", "Butterfly Spread", "Medicine Wheel Spread",
                          "Sun Lodge Spread", "Moon Lodge Spread"}));
}

void TestSpreadCatalogue::splitKeepsTheTrailingEmptyPiece_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < SpreadCatalogue::SpreadCount; ++i)
        QTest::addRow("spread %d", i) << i;
}

void TestSpreadCatalogue::splitKeepsTheTrailingEmptyPiece()
{
    QFETCH(int, index);
    const auto spread = SpreadCatalogue::spread(index);
    const QStringList pieces = SpreadCatalogue::splitTitles(spread->positionTitles);
    QCOMPARE(pieces.size(), spread->cardCount + 1);
    QVERIFY(pieces.last().isEmpty());
    for (int i = 0; i < spread->cardCount; ++i)
        QVERIFY(!pieces[i].isEmpty());
}

QTEST_GUILESS_MAIN(TestSpreadCatalogue)
#include "tst_spreadcatalogue.moc"
