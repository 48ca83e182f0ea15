#include "journal/journaltexts.h"
#include "journalviews/cardthumbnails.h"
#include "journalviews/chancetablemodel.h"
#include "journalviews/periodselector.h"
#include "journalviews/statisticsfigures.h"
#include "journalviews/statisticsfigurewidgets.h"
#include "journalviews/statisticspage.h"
#include "journalviews/statisticstexts.h"
#include "journalviews/statisticsview.h"
#include "oracle/carddeck.h"
#include "product/product.h"
#include "support/fakeplatform.h"
#include "support/files.h"

#include <QBuffer>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLocale>
#include <QLabel>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Orvella;

namespace {

const QDate Today(2026, 12, 7);
constexpr int Butterfly = 8;

JournalSummary reading(QDate day, int spread, QList<JournalCardMark> cards)
{
    JournalSummary summary;
    summary.time = QDateTime(day, QTime(10, 0));
    summary.spread = spread;
    summary.cards = std::move(cards);
    return summary;
}

// Forty three-card readings a day apart from Monday 19 October, The Butterfly in
// each, every fourth one reversed; then two cards of the day in December.
JournalStatistics madeUpStatistics()
{
    QList<JournalSummary> readings;
    for (int i = 0; i < 40; ++i) {
        readings << reading(QDate(2026, 10, 19).addDays(i), 1,
                            {{Butterfly, i % 4 == 0}, {i % 35 + 9, false}, {i % 7 + 1, false}});
    }
    for (int day : {1, 2})
        readings << reading(QDate(2026, 12, day), CardOfTheDaySpread, {{0, false}});
    return journalStatistics(readings);
}

template<typename T>
T *child(const QWidget &parent, const char *name)
{
    auto *found = parent.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no %s", name);
    return found;
}

void click(const QWidget &parent, const char *button)
{
    QTest::mouseClick(child<QPushButton>(parent, button), Qt::LeftButton);
}

int pdfPages(const QByteArray &pdf)
{
    return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "));
}

} // namespace

class TestStatisticsView : public QObject
{
    Q_OBJECT

private slots:
    void periodOfEachChoice_data();
    void periodOfEachChoice();
    void textsSayWhatWasCounted_data();
    void textsSayWhatWasCounted();
    void pointsFindTheirItems_data();
    void pointsFindTheirItems();
    void choosingInTheFigures_data();
    void choosingInTheFigures();
    void showsExportsAndPrints();
    void thumbnailsMadeOncePerRatio_data();
    void thumbnailsMadeOncePerRatio();
};

void TestStatisticsView::periodOfEachChoice_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<QString>("words");
    QTest::newRow("all readings") << 0 << QDate() << QDate() << "All readings";
    QTest::newRow("last 30 days") << 1 << QDate(2026, 11, 8) << Today
                                  << "Last 30 days, 8 November 2026 to 7 December 2026";
    QTest::newRow("this year") << 2 << QDate(2026, 1, 1) << Today
                               << "This year, 1 January 2026 to 7 December 2026";
    // Typed the wrong way round, the dates still make a period.
    QTest::newRow("from a date to a date")
        << 3 << QDate(2026, 2, 1) << QDate(2026, 3, 5) << "1 February 2026 to 5 March 2026";
}

void TestStatisticsView::periodOfEachChoice()
{
    QFETCH(int, choice);
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    Test::FakePlatform platform;
    StatisticsView view(platform);
    QSignalSpy changed(&view, &StatisticsView::periodChanged);
    auto *from = child<QDateEdit>(view, "datFrom");
    auto *to = child<QDateEdit>(view, "datTo");
    child<QComboBox>(view, "cboPeriod")->setCurrentIndex(choice);
    QCOMPARE(from->isEnabled(), choice == 3);
    QCOMPARE(to->isEnabled(), choice == 3);
    if (choice == 3) {
        from->setDate(last);
        to->setDate(first);
    }
    QCOMPARE(view.period(Today), qMakePair(first, last));
    QCOMPARE(changed.isEmpty(), choice == 0);
    // Once given, shown the right way round; the period stays.
    const qsizetype given = changed.size();
    emit to->editingFinished();
    QCOMPARE(qMakePair(from->date(), to->date()),
             choice == 3 ? qMakePair(first, last) : qMakePair(QDate(2026, 1, 1), Today));
    QCOMPARE(changed.size(), given);
    QFETCH(QString, words);
    QCOMPARE(view.findChild<PeriodSelector *>()->periodText(Today), words);

    // Counted, the days show in the fields, unless they are the user's choice;
    // a reading imported from long ago too.
    JournalStatistics counted = journalStatistics({});
    counted.first = QDate(1700, 5, 5);
    counted.last = Today;
    const qsizetype said = changed.size();
    view.setStatistics(counted);
    QCOMPARE(from->date(), choice == 3 ? first : counted.first);
    QCOMPARE(changed.size(), said);
}

void TestStatisticsView::textsSayWhatWasCounted_data()
{
    QTest::addColumn<QList<JournalSummary>>("readings");
    QTest::addColumn<QString>("reversed");
    QTest::addColumn<QString>("overTime");
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("none") << QList<JournalSummary>{} << "No readings in this period."
                          << "No readings in this period." << QLocale();
    QTest::newRow("one card") << QList<JournalSummary>{reading({2026, 12, 7}, CardOfTheDaySpread,
                                                               {{3, true}})}
                              << "100 % of the 1 card in 1 reading came up reversed."
                              << "Week of 7 December 2026: 1 reading" << QLocale();
    // Rounded, but never to all of them when one was upright.
    QList<JournalSummary> allButOne;
    for (int i = 0; i < 200; ++i)
        allButOne << reading({2026, 12, 7}, CardOfTheDaySpread, {{3, i > 0}});
    QTest::newRow("all but one reversed")
        << allButOne << "99 % of the 200 cards in 200 readings came up reversed."
        << "Week of 7 December 2026: 200 readings" << QLocale();
    // Months, the empty ones told too.
    const QList<JournalSummary> months{reading({2026, 10, 5}, 0, {{1, false}}),
                                       reading({2026, 10, 9}, 0, {{2, true}}),
                                       reading({2027, 1, 10}, 0, {{3, false}})};
    const QString monthsCounted = "October 2026: 2 readings; November 2026: 0 readings; "
                                  "December 2026: 0 readings; January 2027: 1 reading";
    QTest::newRow("months") << months << "33 % of the 3 cards in 3 readings came up reversed."
                            << monthsCounted << QLocale();
    // In English, as every word of the program, whatever the user's language.
    QTest::newRow("months, the user's language German")
        << months << "33 % of the 3 cards in 3 readings came up reversed." << monthsCounted
        << QLocale(QLocale::German, QLocale::Germany);
}

void TestStatisticsView::textsSayWhatWasCounted()
{
    QFETCH(QList<JournalSummary>, readings);
    QFETCH(QString, reversed);
    QFETCH(QString, overTime);
    QFETCH(QLocale, locale);
    const QLocale system;
    QLocale::setDefault(locale);
    const auto restore = qScopeGuard([&] { QLocale::setDefault(system); });
    const JournalStatistics statistics = journalStatistics(readings);
    QCOMPARE(reversedShareText(statistics), reversed);
    QCOMPARE(overTimeDescription(statistics), overTime);
    QCOMPARE(dayAndTimeText({{2026, 12, 8}, {9, 15}}), QStringLiteral("8 December 2026, 09:15"));
}

void TestStatisticsView::pointsFindTheirItems_data()
{
    // A figure 440 by 200 from (10, 20): cells of 40 by 50 (55 by 33 in 8 columns),
    // bars of 110 for four.
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<int>("card");
    QTest::addColumn<int>("inEightColumns");
    QTest::addColumn<int>("bar");
    QTest::addColumn<int>("spread");
    QTest::newRow("top left") << QPointF(10, 20) << 0 << 0 << 0 << 0;
    QTest::newRow("second row, third column") << QPointF(95, 75) << 13 << 9 << 0 << 1;
    QTest::newRow("bottom right") << QPointF(449.9, 219.9) << 43 << -1 << 3 << 5;
    QTest::newRow("left of it") << QPointF(9, 100) << -1 << -1 << -1 << -1;
    QTest::newRow("below it") << QPointF(100, 221) << -1 << -1 << -1 << -1;
}

void TestStatisticsView::pointsFindTheirItems()
{
    QFETCH(QPointF, at);
    QFETCH(int, card);
    QFETCH(int, inEightColumns);
    QFETCH(int, bar);
    QFETCH(int, spread);
    const QRectF figure(10, 20, 440, 200);
    QCOMPARE(deckGridCardAt(figure, at), card);
    QCOMPARE(deckGridCardAt(figure, at, 8), inEightColumns);
    QCOMPARE(overTimeBarAt(figure, 4, at), bar);
    QCOMPARE(spreadRowAt(figure, 6, at), spread);
    if (card >= 0)
        QVERIFY(deckGridCellRect(figure, card).contains(at));
}

void TestStatisticsView::choosingInTheFigures_data()
{
    const JournalStatistics statistics = madeUpStatistics();
    const TimeCount &week = statistics.overTime[2];
    QTest::addColumn<QString>("figure");
    QTest::addColumn<int>("item");
    QTest::addColumn<QList<int>>("keys"); // none: clicked
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<QVariantList>("heard");
    QTest::addColumn<int>("period"); // as chosen in cboPeriod
    const QByteArray card = SIGNAL(cardChosen(int));
    const QByteArray days = SIGNAL(daysChosen(QDate, QDate));
    const QByteArray spread = SIGNAL(spreadChosen(int));
    QTest::newRow("a card clicked")
        << "figDeck" << Butterfly << QList<int>{} << card << QVariantList{Butterfly} << 0;
    QTest::newRow("a card by keyboard")
        << "figDeck" << -1
        << QList<int>{Qt::Key_Down, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Return}
        << card << QVariantList{Butterfly} << 0;
    QTest::newRow("a week's bar") << "figOverTime" << 2 << QList<int>{} << days
                                  << QVariantList{week.first, week.last} << 0;
    // The last 30 days begin on 8 November, a Sunday: only that day of its week.
    QTest::newRow("a week's bar, as far as the period goes")
        << "figOverTime" << 2 << QList<int>{} << days
        << QVariantList{QDate(2026, 11, 8), QDate(2026, 11, 8)} << 1;
    QTest::newRow("a week by keyboard")
        << "figOverTime" << -1 << QList<int>{Qt::Key_End, Qt::Key_Left, Qt::Key_Space} << days
        << QVariantList{QDate(2026, 11, 23), QDate(2026, 11, 29)} << 0;
    QTest::newRow("a spread") << "figSpreads" << 1 << QList<int>{} << spread << QVariantList{1} << 0;
    QTest::newRow("the card of the day")
        << "figSpreads" << 5 << QList<int>{} << spread << QVariantList{CardOfTheDaySpread} << 0;
    QTest::newRow("a row of the table")
        << "tblChance" << 0 << QList<int>{Qt::Key_Return} << card << QVariantList{Butterfly} << 0;
}

void TestStatisticsView::choosingInTheFigures()
{
    QFETCH(QString, figure);
    QFETCH(int, item);
    QFETCH(QList<int>, keys);
    QFETCH(QByteArray, signal);
    QFETCH(QVariantList, heard);
    Test::FakePlatform platform;
    StatisticsView view(platform);
    QFETCH(int, period);
    child<QComboBox>(view, "cboPeriod")->setCurrentIndex(period);
    view.resize(900, 700);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setStatistics(madeUpStatistics());
    QSignalSpy chosen(&view, signal.constData());

    auto *target = child<QWidget>(view, qPrintable(figure));
    if (auto *table = qobject_cast<QTableView *>(target))
        table->setCurrentIndex(table->model()->index(item, 0));
    if (keys.isEmpty()) {
        const auto *shown = static_cast<StatisticsFigure *>(target);
        const QRectF rect = shown->figureRect();
        const JournalStatistics &statistics = view.statistics();
        const QRectF place = figure == u"figDeck" ? deckGridCellRect(rect, item)
                             : figure == u"figOverTime"
                                 ? overTimeBarRect(rect, int(statistics.overTime.size()), item)
                                 : spreadRowRect(rect, int(statistics.spreads.size()), item);
        // What is clicked stays where it was: the page does not scroll under the mouse.
        const QScrollBar *scrolled = view.findChild<QScrollArea *>()->verticalScrollBar();
        const int before = scrolled->value();
        QTest::mouseClick(target, Qt::LeftButton, {}, place.center().toPoint());
        QCOMPARE(scrolled->value(), before);
    } else {
        target->setFocus();
        for (int key : keys)
            QTest::keyClick(target, Qt::Key(key));
    }
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.first(), heard);
}

void TestStatisticsView::showsExportsAndPrints()
{
    QTemporaryDir dir;
    Test::FakePlatform platform;
    platform.printAccepted = true;
    StatisticsView view(platform);
    QCOMPARE(child<QLabel>(view, "lblReversedShare")->text(),
             QStringLiteral("No readings in this period."));
    const JournalStatistics statistics = madeUpStatistics();
    view.setStatistics(statistics, QStringLiteral("with The Owl"));
    QCOMPARE(child<QLabel>(view, "lblReversedShare")->text(),
             QStringLiteral("8 % of the 122 cards in 42 readings came up reversed."));
    QVERIFY(!child<QLabel>(view, "lblCounted")->isHidden());
    QCOMPARE(child<QLabel>(view, "lblCounted")->text(),
             QStringLiteral("Only the readings with The Owl are counted."));

    // The card far above chance comes first, marked.
    const QAbstractItemModel *table = child<QTableView>(view, "tblChance")->model();
    QCOMPARE(table->rowCount(), CardDeck::CardCount);
    QCOMPARE(table->index(0, ChanceTableModel::CardColumn).data().toString(),
             CardDeck::card(Butterfly)->name);
    QCOMPARE(table->index(0, ChanceTableModel::CountColumn).data().toString(),
             QStringLiteral("40"));
    QCOMPARE(table->index(0, ChanceTableModel::MarkColumn).data().toString(),
             QStringLiteral("more"));
    QCOMPARE(expectedText(0.046), QStringLiteral("0.05")); // a small chance never reads as none
    // Sorted by the user, counts go by their number: 40 before the sixes.
    child<QTableView>(view, "tblChance")
        ->sortByColumn(ChanceTableModel::CountColumn, Qt::DescendingOrder);
    QCOMPARE(table->index(0, ChanceTableModel::CountColumn).data().toString(),
             QStringLiteral("40"));
    QCOMPARE(table->index(1, ChanceTableModel::CountColumn).data().toString(), QStringLiteral("6"));
    // Unmarked, the count chance would least likely bring comes first, whatever its distance.
    CardCount rare{.card = 0, .count = 11, .expected = 4.9, .pValue = 0.01};
    CardCount far{.card = 1, .count = 3, .expected = 9.6, .pValue = 0.03};
    QCOMPARE(cardsAgainstChance({far, rare}).constFirst().card, 0);

    // Heard: every week with its readings, the deck's cards with their marks.
    const QString weeks = child<QWidget>(view, "figOverTime")->accessibleDescription();
    QVERIFY2(weeks.startsWith(QStringLiteral("Week of 19 October 2026: 7 readings; ")),
                              qPrintable(weeks));
    QVERIFY2(weeks.endsWith(QStringLiteral("Week of 30 November 2026: 2 readings")),
                            qPrintable(weeks));
    auto *deck = child<QWidget>(view, "figDeck");
    // Where the page is narrow, the grid has fewer columns and more rows.
    QVERIFY(deck->heightForWidth(deck->minimumSizeHint().width())
            > deck->heightForWidth(deck->sizeHint().width()));
    // Where it is wide, the cards grow with it, up to a point.
    const int wide = 2 * deck->sizeHint().width();
    QVERIFY(deck->heightForWidth(wide) > deck->heightForWidth(deck->sizeHint().width()));
    QCOMPARE(deck->heightForWidth(2 * wide), deck->heightForWidth(3 * wide));
    QVERIFY(deck->accessibleDescription().contains(
        CardDeck::card(Butterfly)->name
        + QStringLiteral(": 40, 10 reversed, more than chance alone")));
    // The card the keyboard is on is in the name; the grid's edge holds it.
    deck->setFocus();
    QTest::keyClick(deck, Qt::Key_Up);
    QTest::keyClick(deck, Qt::Key_Right);
    QCOMPARE(deck->accessibleName(), QStringLiteral("Cards of the deck, ") + CardDeck::card(1)->name
                                                    + QStringLiteral(": 6"));

    // Exported as CSV where the user said; a folder that is not there is said so.
    const QString csv = dir.filePath(QStringLiteral("statistics.csv"));
    platform.fileNames << csv << dir.filePath(QStringLiteral("missing/statistics.csv"));
    click(view, "cmdExportStatistics");
    QCOMPARE(Test::readFile(csv), statisticsCsv(statistics));
    QCOMPARE(platform.saveRequests.first().title, QStringLiteral("Export Statistics"));
    QCOMPARE(platform.saveRequests.first().suggestedName, QStringLiteral("statistics-2026-12-07"));
    QVERIFY(platform.messages.isEmpty());
    click(view, "cmdExportStatistics");
    QCOMPARE(platform.messageTexts(),
             QStringList{"Unable To Export The Statistics.\n\nNo such file or directory."});

    // As PDF and printed: the table needs a second page.
    const QString pdf = dir.filePath(QStringLiteral("statistics.pdf"));
    platform.fileNames << pdf;
    child<QComboBox>(view, "cboPeriod")->setCurrentIndex(1);
    click(view, "cmdStatisticsPdf");
    QCOMPARE(platform.saveRequests.last().defaultSuffix, QStringLiteral("pdf"));
    QCOMPARE(platform.saveRequests.last().suggestedName,
             QStringLiteral("statistics-2026-11-08-to-2026-12-07")); // of the last 30 days
    QVERIFY(Test::readFile(pdf).startsWith("%PDF"));
    click(view, "cmdPrintStatistics");
    QCOMPARE(platform.printRequests, QStringList{"Statistics - " + Product::name()});
    QVERIFY(pdfPages(platform.printed) > 1);

    QByteArray bytes;
    QBuffer file(&bytes);
    file.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        QPdfWriter writer(&file);
        pages = printStatistics(writer, statistics, QStringLiteral("All readings"));
    }
    QVERIFY(pages > 1);
    QCOMPARE(pdfPages(bytes), pages);
}

void TestStatisticsView::thumbnailsMadeOncePerRatio_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QSize>("pixels");
    QTest::newRow("1") << 1.0 << QSize(36, 54);
    QTest::newRow("1.5") << 1.5 << QSize(54, 81);
    QTest::newRow("2") << 2.0 << QSize(72, 108);
}

void TestStatisticsView::thumbnailsMadeOncePerRatio()
{
    QFETCH(qreal, ratio);
    QFETCH(QSize, pixels);
    CardThumbnails thumbnails;
    const QPixmap first = thumbnails.picture(Butterfly, {36, 54}, ratio);
    QCOMPARE(first.size(), pixels);
    QCOMPARE(first.devicePixelRatio(), ratio);
    thumbnails.picture(Butterfly, {36, 54}, 3.0);
    // Painted again: the same picture, not made anew.
    QCOMPARE(thumbnails.picture(Butterfly, {36, 54}, ratio).cacheKey(), first.cacheKey());
}

QTEST_MAIN(TestStatisticsView)
#include "tst_statisticsview.moc"
