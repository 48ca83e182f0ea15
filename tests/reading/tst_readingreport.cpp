#include "oracle/carddeck.h"
#include "oracle/spreadcatalogue.h"
#include "reading/draw.h"
#include "reading/readingreport.h"
#include "support/scriptedrandom.h"

#include <QFile>
#include <QTest>

using namespace Orvella;

namespace {

const QString Forum = QStringLiteral("http://www.forum.test.example");

// A hand-made reading: the tables as a file or the draw would leave them.
Reading makeReading(qint16 spread, QList<qint16> cards, QList<Orientation> orientations,
                    QStringList titles)
{
    Reading reading;
    reading.spreadIndex = spread;
    reading.cards = std::move(cards);
    reading.orientations = std::move(orientations);
    reading.positionTitles = std::move(titles);
    return reading;
}

QStringList texts(const ReadingReport &report)
{
    QStringList result;
    for (const ReportRun &run : report.runs())
        result << run.text;
    return result;
}

QList<ReportRun> runsOf(const ReadingReport &report, int position)
{
    QList<ReportRun> result;
    for (const ReportRun &run : report.runs())
        if (run.position == position)
            result << run;
    return result;
}

} // namespace

class TestReadingReport : public QObject
{
    Q_OBJECT

private slots:
    void wholeTextOfAButterflyReading();
    void runsCarryColourAndEmphasis();
    void positionBlocksFollowTheSpread_data();
    void positionBlocksFollowTheSpread();
    void forumAddressOpensAndClosesTheReport();
    void badSpreadIndexSkipsNameAndDescription_data();
    void badSpreadIndexSkipsNameAndDescription();
    void emptySpareSpreadGivesEmptyLines();
    void badCardIndexSkipsTheValueRuns_data();
    void badCardIndexSkipsTheValueRuns();
    void spareCardSlotGivesEmptyValueLines();
    void missingTitleSkipsItsLine();
    void onlyOrientationOneIsReversed_data();
    void onlyOrientationOneIsReversed();
    void missingOrientationReadsUpright();
    void spareSlotIsNeverReported();
    void emptiedReadingKeepsOnlyTheFrame();
    void sameCardUprightAndReversed();
    void buildingTwiceGivesTheSameRuns();
};

void TestReadingReport::wholeTextOfAButterflyReading()
{
    // Cards 7 (The Otter) upright, 12 reversed, 0 (The Eagle) reversed, 43 upright.
    Test::ScriptedRandom random({7 / 43.0, 0.2, 12 / 43.0, 0.9, 0.0, 0.75, 1.0, 0.5});
    Reading reading;
    Draw(reading, 1, random);
    QCOMPARE(reading.cards, (QList<qint16>{7, 12, 0, 43, 0}));

    const QString path = QFINDTESTDATA("../data/presentation/report-butterfly.txt");
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    QString expected = QString::fromUtf8(file.readAll());
    QVERIFY(!expected.contains(u'\r'));
    expected.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));

    QCOMPARE(ReadingReport::build(reading, Forum).plainText(), expected);
}

void TestReadingReport::runsCarryColourAndEmphasis()
{
    const Reading reading = makeReading(0, {5, 6}, {0, 1}, {QStringLiteral("Only"), QString()});
    const QList<ReportRun> runs = ReadingReport::build(reading, Forum).runs();
    QCOMPARE(runs.size(), 5 + 10 + 2);

    const QList<std::pair<quint32, bool>> expected{
        {ReportColour::Olive, true},  {ReportColour::Olive, true},  {ReportColour::Teal, true},
        {ReportColour::Maroon, true}, {ReportColour::Black, false}, {ReportColour::Navy, true},
        {ReportColour::Black, false}, {ReportColour::Navy, true},   {ReportColour::Black, false},
        {ReportColour::Navy, true},   {ReportColour::Black, false}, {ReportColour::Navy, true},
        {ReportColour::Black, false}, {ReportColour::Navy, true},   {ReportColour::Black, false},
        {ReportColour::Olive, true},  {ReportColour::Olive, true}};
    for (int i = 0; i < runs.size(); ++i) {
        QCOMPARE(runs[i].rgb, expected[i].first);
        QCOMPARE(runs[i].heading, expected[i].second);
        QCOMPARE(runs[i].position, (i >= 5 && i < 15) ? 0 : -1);
    }
    QCOMPARE(ReportColour::Olive, 0x808000u);
    QCOMPARE(ReportColour::Navy, 0x000080u);
    QCOMPARE(ReportColour::Teal, 0x008080u);
    QCOMPARE(ReportColour::Maroon, 0x800000u);
}

void TestReadingReport::positionBlocksFollowTheSpread_data()
{
    QTest::addColumn<qint16>("spread");
    QTest::addColumn<int>("blocks");
    QTest::newRow("Pathway has seven") << qint16(0) << 7;
    QTest::newRow("Butterfly has four") << qint16(1) << 4;
    QTest::newRow("Medicine Wheel has five") << qint16(2) << 5;
    QTest::newRow("Sun Lodge has five") << qint16(3) << 5;
    QTest::newRow("Moon Lodge has five") << qint16(4) << 5;
}

void TestReadingReport::positionBlocksFollowTheSpread()
{
    QFETCH(qint16, spread);
    QFETCH(int, blocks);
    Test::ScriptedRandom random;
    Reading reading;
    Draw(reading, spread, random);
    const ReadingReport report = ReadingReport::build(reading, Forum);
    const QString text = report.plainText();

    QCOMPARE(text.count(QStringLiteral("Card Number ")), blocks);
    for (int p = 1; p <= blocks; ++p)
        QVERIFY(text.contains(QStringLiteral("\r\nCard Number %1\r\n").arg(p)));
    QCOMPARE(runsOf(report, blocks - 1).size(), 10);
    QVERIFY(runsOf(report, blocks).isEmpty());

    const QStringList titles = SpreadCatalogue::splitTitles(
        SpreadCatalogue::spread(spread)->positionTitles);
    for (int i = 0; i < blocks; ++i)
        QCOMPARE(runsOf(report, i).at(1).text, titles[i] + QStringLiteral("\r\n"));
}

void TestReadingReport::forumAddressOpensAndClosesTheReport()
{
    Test::ScriptedRandom random;
    Reading reading;
    Draw(reading, 2, random);
    const QString text = ReadingReport::build(reading, Forum).plainText();
    QVERIFY(text.startsWith(Forum
                            + QStringLiteral(" is the most popular online discussion "
                                                   "forum. A place to learn, to share and to "
                                                   "make new friends.\r\n")));
    QVERIFY(text.endsWith(
        QStringLiteral("Come spend some time with us online at ") + Forum
                       + QStringLiteral(". The best online discussion forum for every esoteric.")));
    QCOMPARE(text.count(Forum), 2);

    // The default is the address fixed at build time, one absolute http address.
    const QString built = ReadingReport::build(reading).runs().constFirst().text;
    QVERIFY(built.startsWith(QStringLiteral("http://")));
    QVERIFY(ReadingReport::build(reading).plainText().endsWith(
        built.section(u' ', 0, 0)
        + QStringLiteral(". The best online discussion forum for every esoteric.")));
}

void TestReadingReport::badSpreadIndexSkipsNameAndDescription_data()
{
    QTest::addColumn<qint16>("spread");
    QTest::newRow("one past the spare slot") << qint16(6);
    QTest::newRow("negative") << qint16(-1);
    QTest::newRow("largest 16-bit") << qint16(32767);
}

void TestReadingReport::badSpreadIndexSkipsNameAndDescription()
{
    QFETCH(qint16, spread);
    const Reading reading = makeReading(spread, {3, 0}, {0, 0}, {QStringLiteral("T"), QString()});
    const QStringList runs = texts(ReadingReport::build(reading, Forum));
    QCOMPARE(runs.size(), 3 + 10 + 2);
    QCOMPARE(runs[2], QStringLiteral("Orvella Medicine Cards\r\n\r\n"));
    QCOMPARE(runs[3], QStringLiteral("Card Number 1\r\n"));
    QCOMPARE(runs[4], QStringLiteral("T\r\n"));
}

void TestReadingReport::emptySpareSpreadGivesEmptyLines()
{
    const Reading reading = makeReading(5, {3, 0}, {0, 0}, {QStringLiteral("T"), QString()});
    const QStringList runs = texts(ReadingReport::build(reading, Forum));
    QCOMPARE(runs[3], QStringLiteral("\r\n"));
    QCOMPARE(runs[4], QStringLiteral("\r\n\r\n"));
}

void TestReadingReport::badCardIndexSkipsTheValueRuns_data()
{
    QTest::addColumn<qint16>("card");
    QTest::newRow("ninety-nine") << qint16(99);
    QTest::newRow("forty-five") << qint16(45);
    QTest::newRow("minus one") << qint16(-1);
}

void TestReadingReport::badCardIndexSkipsTheValueRuns()
{
    QFETCH(qint16, card);
    const Reading reading = makeReading(
        1, {card, 9, 0}, {1, 0, 0}, {QStringLiteral("First"), QStringLiteral("Second"), QString()});
    const ReadingReport report = ReadingReport::build(reading, Forum);
    const QStringList first = [&] {
        QStringList t;
        for (const ReportRun &run : runsOf(report, 0))
            t << run.text;
        return t;
    }();
    QCOMPARE(first, (QStringList{QStringLiteral("Card Number 1\r\n"),
                        QStringLiteral("First\r\n"),
                            QStringLiteral("Card Name\r\n"),
                                QStringLiteral("Keyword\r\n"),
                                    QStringLiteral("Reverse Description\r\n"),
                                                   QStringLiteral("Medical Interpretation\r\n")}));
    // The next position is untouched by the failure.
    QCOMPARE(runsOf(report, 1).size(), 10);
    QCOMPARE(runsOf(report, 1).at(3).text, CardDeck::card(9)->name + QStringLiteral("\r\n"));
}

void TestReadingReport::spareCardSlotGivesEmptyValueLines()
{
    const Reading reading = makeReading(1, {44, 0}, {0, 0}, {QStringLiteral("First"), QString()});
    const QList<ReportRun> runs = runsOf(ReadingReport::build(reading, Forum), 0);
    QCOMPARE(runs.size(), 10);
    QCOMPARE(runs[3].text, QStringLiteral("\r\n"));
    QCOMPARE(runs[5].text, QStringLiteral("\r\n"));
    QCOMPARE(runs[7].text, QStringLiteral("\r\n"));
    QCOMPARE(runs[9].text, QStringLiteral("\r\n\r\n"));
}

void TestReadingReport::missingTitleSkipsItsLine()
{
    // Three positions, but titles only for the first.
    const Reading reading = makeReading(0, {1, 2, 3, 0}, {0, 0, 0, 0}, {QStringLiteral("Only")});
    const ReadingReport report = ReadingReport::build(reading, Forum);
    QCOMPARE(runsOf(report, 0).size(), 10);
    QCOMPARE(runsOf(report, 1).size(), 9);
    QCOMPARE(runsOf(report, 2).size(), 9);
    QCOMPARE(runsOf(report, 1).at(1).text, QStringLiteral("Card Name\r\n"));
    QVERIFY(report.plainText().contains(QStringLiteral("Card Number 2\r\nCard Name\r\n")));
}

void TestReadingReport::onlyOrientationOneIsReversed_data()
{
    QTest::addColumn<qint16>("orientation");
    QTest::addColumn<bool>("reversed");
    QTest::newRow("zero upright") << qint16(0) << false;
    QTest::newRow("one reversed") << qint16(1) << true;
    QTest::newRow("two reads upright") << qint16(2) << false;
    QTest::newRow("minus one reads upright") << qint16(-1) << false;
}

void TestReadingReport::onlyOrientationOneIsReversed()
{
    QFETCH(qint16, orientation);
    QFETCH(bool, reversed);
    const Reading reading = makeReading(1, {20, 0}, {orientation, 0},
                                        {QStringLiteral("T"), QString()});
    const QList<ReportRun> runs = runsOf(ReadingReport::build(reading, Forum), 0);
    const Card card = *CardDeck::card(20);
    QCOMPARE(runs[6].text, reversed ? QStringLiteral("Reverse Description\r\n")
                                    : QStringLiteral("Upright Description\r\n"));
    QCOMPARE(runs[7].text, (reversed ? card.reverse : card.upright) + QStringLiteral("\r\n"));
}

void TestReadingReport::missingOrientationReadsUpright()
{
    const Reading reading = makeReading(1, {20, 21, 0}, {1},
                                        {QStringLiteral("A"), QStringLiteral("B")});
    const ReadingReport report = ReadingReport::build(reading, Forum);
    QCOMPARE(runsOf(report, 0).at(6).text, QStringLiteral("Reverse Description\r\n"));
    QCOMPARE(runsOf(report, 1).at(6).text, QStringLiteral("Upright Description\r\n"));
}

void TestReadingReport::spareSlotIsNeverReported()
{
    const Reading reading = makeReading(1, {20, 21}, {0, 0},
                                        {QStringLiteral("A"), QStringLiteral("B")});
    const QString text = ReadingReport::build(reading, Forum).plainText();
    QCOMPARE(text.count(QStringLiteral("Card Number ")), 1);
    QVERIFY(!text.contains(CardDeck::card(21)->name));
}

void TestReadingReport::emptiedReadingKeepsOnlyTheFrame()
{
    Reading reading = makeReading(1, {20, 21}, {0, 0}, {QStringLiteral("A"), QString()});
    reading.clearTables();
    QCOMPARE(ReadingReport::build(reading, Forum).runs().size(), 7);
}

void TestReadingReport::sameCardUprightAndReversed()
{
    const QStringList titles{QStringLiteral("T"), QString()};
    const auto upright = runsOf(
        ReadingReport::build(makeReading(2, {30, 0}, {0, 0}, titles), Forum), 0);
    const auto reversed = runsOf(
        ReadingReport::build(makeReading(2, {30, 0}, {1, 0}, titles), Forum), 0);
    for (int i : {0, 1, 2, 3, 4, 5, 8, 9})
        QCOMPARE(upright[i].text, reversed[i].text);
    QVERIFY(upright[6].text != reversed[6].text);
    QVERIFY(upright[7].text != reversed[7].text);
}

void TestReadingReport::buildingTwiceGivesTheSameRuns()
{
    Test::ScriptedRandom random;
    Reading reading;
    Draw(reading, 0, random);
    QCOMPARE(ReadingReport::build(reading, Forum).runs(),
             ReadingReport::build(reading, Forum).runs());
}

QTEST_GUILESS_MAIN(TestReadingReport)
#include "tst_readingreport.moc"
