#include "journal/chancetest.h"
#include "journal/drawchance.h"
#include "journal/journalstatistics.h"
#include "oracle/spreadcatalogue.h"
#include "reading/draw.h"
#include "reading/randomsource.h"

#include <QTest>

#include <cmath>
#include <random>

using namespace Orvella;

namespace {

// The program's 24-bit values from a seeded generator: the real draw, repeatable.
class SeededRandom : public RandomSource
{
public:
    double next() override { return double(m_generator() >> 8) / double(1 << 24); }
    void seedFromClock() override {}

private:
    std::mt19937 m_generator{20261208};
};

JournalSummary summary(const QString &when, int spread, QList<JournalCardMark> cards)
{
    JournalSummary reading;
    reading.time = QDateTime::fromString(when, Qt::ISODate);
    reading.spread = spread;
    reading.cards = std::move(cards);
    return reading;
}

} // namespace

class TestJournalStatistics : public QObject
{
    Q_OBJECT

private slots:
    void expectationIsTheDraws_data();
    void expectationIsTheDraws();
    void falseDiscoveries_data();
    void falseDiscoveries();
    void approximationMeetsExactCount();
    void statisticsOfReadings();
};

void TestJournalStatistics::expectationIsTheDraws_data()
{
    QTest::addColumn<int>("spread");
    QTest::newRow("the card of the day") << CardOfTheDaySpread;
    for (int spread = 0; spread < SpreadCatalogue::names().size(); ++spread)
        QTest::newRow(qPrintable(SpreadCatalogue::names()[spread])) << spread;
}

void TestJournalStatistics::expectationIsTheDraws()
{
    QFETCH(int, spread);
    constexpr int Readings = 200000;
    SeededRandom random;
    std::array<int, CardDeck::CardCount> seen{};
    int cardsDrawn = 1;
    for (int i = 0; i < Readings; ++i) {
        if (spread == CardOfTheDaySpread) {
            ++seen[cardOfTheDay(random, QDateTime()).cards[0].card];
            continue;
        }
        Reading reading;
        Draw(reading, qint16(spread), random);
        cardsDrawn = reading.positionCount();
        for (int position = 0; position < cardsDrawn; ++position)
            ++seen[reading.cards[position]];
    }
    // Every card within 4.5 standard deviations of the exact expectation.
    const auto chance = chanceOfCard(cardsDrawn);
    double total = 0;
    for (int card = 0; card < CardDeck::CardCount; ++card) {
        const double expected = Readings * chance[card];
        const double deviation = std::sqrt(expected * (1 - chance[card]));
        QVERIFY2(std::abs(seen[card] - expected) < 4.5 * deviation,
                 qPrintable(QStringLiteral("card %1: %2 seen, %3 expected") .arg(card).arg(seen[card]).arg(expected)));
        total += chance[card];
    }
    QVERIFY(std::abs(total - cardsDrawn) < 1e-9);
    // The ends of the deck come up about half as often as the rest.
    QVERIFY(chance[0] < 0.6 * chance[1] && chance[43] < 0.6 * chance[42]);
}

void TestJournalStatistics::falseDiscoveries_data()
{
    QTest::addColumn<QList<double>>("pValues");
    QTest::addColumn<QList<bool>>("standing");
    QTest::newRow("all within their share")
        << QList<double>{0.01, 0.04, 0.03, 0.005} << QList<bool>{true, true, true, true};
    QTest::newRow("the step up stops at the first too large")
        << QList<double>{0.01, 0.02, 0.04, 0.5} << QList<bool>{true, true, false, false};
    QTest::newRow("a later one that stands carries the smaller ones")
        << QList<double>{0.02, 0.03, 0.035, 0.9} << QList<bool>{true, true, true, false};
    QTest::newRow("none") << QList<double>{0.02, 0.6, 0.3, 0.9}
                          << QList<bool>{false, false, false, false};
}

void TestJournalStatistics::falseDiscoveries()
{
    QFETCH(QList<double>, pValues);
    QFETCH(QList<bool>, standing);
    QCOMPARE(discoveries(pValues, 0.05), standing);
}

void TestJournalStatistics::approximationMeetsExactCount()
{
    // The same counts, worked out by the exact walk (400 readings) and, as for
    // a larger journal, by its spreads' chances (one reading more, which never
    // brings the card): as exact, also for a rare card far from the normal curve,
    // and where the curve alone answers (a card expected 80 times, near its mean).
    const QList<QList<double>> journals{QList<double>(400, 0.1),
                                        QList<double>(399, 0.0117) + QList<double>{0.05},
                                        QList<double>(400, 0.2)};
    for (const QList<double> &chances : journals) {
        for (int count : {0, 2, 9, 19, 20, 35, 40, 52, 70, 80, 95}) {
            const double exact = twoSidedPValue(count, chances);
            const double grouped = twoSidedPValue(count, chances + QList<double>{0.0});
            QVERIFY2(std::abs(exact - grouped) < 1e-9 || (exact >= 0.2 && grouped >= 0.2),
                     qPrintable(QStringLiteral("%1: %2 against %3")
                                    .arg(count)
                                    .arg(exact)
                                    .arg(grouped)));
        }
    }
    QCOMPARE(twoSidedPValue(0, QList<double>(10, 0.5)), 2.0 / 1024);
}

void TestJournalStatistics::statisticsOfReadings()
{
    // Sixty three-card readings over five months, The Butterfly in every one, and
    // two cards of the day.
    QList<JournalSummary> readings;
    for (int i = 0; i < 60; ++i) {
        const QString when = QDate(2026, 7, 1).addDays(i * 2).toString(Qt::ISODate) + "T10:00:00Z";
        readings << summary(when, 1, {{8, true}, {(i % 35) + 9, false}, {(i % 7) + 1, false}});
    }
    readings << summary("2026-12-01T08:00:00Z", CardOfTheDaySpread, {{0, true}})
             << summary("2026-12-02T08:00:00Z", CardOfTheDaySpread, {{0, false}});
    const JournalStatistics statistics = journalStatistics(readings);

    QCOMPARE(statistics.readings, 62);
    QCOMPARE(statistics.cards, 182);
    QCOMPARE(statistics.reversed, 61);
    const CardCount butterfly = statistics.perCard[8];
    QCOMPARE(butterfly.count, 60);
    QCOMPARE(butterfly.reversed, 60);
    QCOMPARE(butterfly.mark, ChanceMark::More);
    // Two cards of the deck come up half as often: 60 x 3/43 and 2 x 1/43, about.
    QCOMPARE(qRound(butterfly.expected * 100), 423);
    QCOMPARE(statistics.perCard[0].mark, ChanceMark::None);
    QCOMPARE(statistics.spreads.last().name, QStringLiteral("Card of the Day"));
    QCOMPARE(statistics.spreads.last().readings, 2);
    QCOMPARE(statistics.spreads[1].readings, 60);
    // Months from July to December, every one counted; the days, the readings' own.
    QCOMPARE(qMakePair(statistics.first, statistics.last),
             qMakePair(QDate(2026, 7, 1), QDate(2026, 12, 2)));
    QCOMPARE(statistics.step, JournalStatistics::Step::Month);
    QCOMPARE(statistics.overTime.size(), 6);
    QCOMPARE(statistics.overTime[0].first, QDate(2026, 7, 1));
    QCOMPARE(statistics.overTime[5].readings, 2);
    int counted = 0;
    for (const TimeCount &step : statistics.overTime)
        counted += step.readings;
    QCOMPARE(counted, 62);
    // A short period goes by weeks, each starting on a Monday, empty ones too.
    const JournalStatistics december = journalStatistics(readings.mid(60), {2026, 11, 20},
                                                         {2026, 12, 10});
    QCOMPARE(december.step, JournalStatistics::Step::Week);
    QCOMPARE(december.last, QDate(2026, 12, 10));
    QCOMPARE(december.overTime.first().first, QDate(2026, 11, 16));
    QCOMPARE(december.overTime.size(), 4);

    // Readings chosen by a card, or by words that may name one, are bound to
    // hold it: no card is marked. A name, or words every card holds, choose no card.
    for (const auto &[filter, marked] :
         {std::pair{JournalFilter{.text = "?"}, true}, {JournalFilter{.text = "Ann the"}, true},
          {JournalFilter{.text = "ann OWL"}, false}, {JournalFilter{.text = "butterfl"}, false},
          {JournalFilter{.cards = {8}}, false}}) {
        JournalStatistics judged = statistics;
        withholdChanceMarks(judged, filter);
        QCOMPARE(judged.setAgainstChance, marked);
        QCOMPARE(judged.perCard[8].mark, marked ? ChanceMark::More : ChanceMark::None);
    }

    const QList<QByteArray> rows = statisticsCsv(statistics).split('\n');
    QCOMPARE(rows.size(), 46);
    QCOMPARE(rows[0], QByteArray("card,count,reversed,expected,mark\r"));
    QCOMPARE(rows[9], QByteArray("The Butterfly,60,60,4.23,more\r"));
}

QTEST_GUILESS_MAIN(TestJournalStatistics)
#include "tst_journalstatistics.moc"
