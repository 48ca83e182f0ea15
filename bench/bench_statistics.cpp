// The journal's statistics: 10,000 made-up readings (seeded draws, any spread
// or a card of the day, ten a day) counted for all of them and for the last
// 30 days, then shown in the statistics view and painted whole. Prints the
// medians with their goals.
//   bench_statistics [readings] [picture.png]   (default 10000; runs offscreen)
// Given a picture's name, the view as painted is saved there too.

#include "journal/journalstatistics.h"
#include "journalviews/statisticsview.h"
#include "oracle/spreadcatalogue.h"
#include "reading/clockrandomsource.h"
#include "reading/draw.h"
#include "support/fakeplatform.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

using namespace Orvella;

namespace {

constexpr int Runs = 21;

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

double ms(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

QList<JournalSummary> madeUpReadings(int count, QDate last, RandomSource &random)
{
    QList<JournalSummary> readings;
    QDateTime when(last.addDays(-count / 10), QTime(7, 0));
    for (int i = 0; i < count; ++i) {
        JournalSummary summary;
        summary.id = i + 1;
        summary.time = when;
        // One reading in six a card of the day, the rest any spread.
        const int spread = int(random.next() * 6) - 1;
        summary.spread = spread;
        if (spread == CardOfTheDaySpread) {
            summary.cards = {
                {cardCandidate(random.next()), orientationFor(random.next()) == Reversed}};
        } else {
            Reading reading;
            Draw(reading, qint16(spread), random);
            for (int position = 0; position < reading.positionCount(); ++position)
                summary.cards.append({reading.cards[position], reading.isReversed(position)});
        }
        readings << summary;
        when = when.addSecs(86400 / 10);
    }
    return readings;
}

template<typename Work>
double medianOf(const Work &work)
{
    QList<double> times;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer took;
        took.start();
        work();
        times << ms(took);
    }
    return median(times);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 10000;
    Test::FakePlatform platform;
    const QDate today = platform.today();
    ClockRandomSource random;
    random.seed(20261208);
    const QList<JournalSummary> readings = madeUpReadings(count, today, random);
    // The last 30 days as the journal's store would list them.
    const QDate from = today.addDays(-29);
    QList<JournalSummary> month;
    std::copy_if(readings.begin(), readings.end(), std::back_inserter(month),
                 [&](const JournalSummary &reading) { return reading.time.date() >= from; });

    JournalStatistics all;
    std::printf("%d readings counted: median %.2f ms (goal <= 50)\n", count,
                medianOf([&] { all = journalStatistics(readings); }));
    std::printf("the last 30 days' %lld counted: median %.2f ms (goal <= 50)\n",
                static_cast<long long>(month.size()),
                medianOf([&] { journalStatistics(month, from, today); }));

    StatisticsView view(platform);
    view.resize(1000, 800);
    view.show();
    QCoreApplication::processEvents();
    QElapsedTimer cold;
    cold.start();
    view.setStatistics(all);
    QPixmap painted = view.grab();
    std::printf("shown and painted the first time, its pictures made: %.2f ms\n", ms(cold));
    std::printf("shown and painted whole: median %.2f ms (goal <= 16)\n", medianOf([&] {
                    view.setStatistics(all);
                    painted = view.grab();
                }));
    if (argc > 2)
        painted.save(QString::fromLocal8Bit(argv[2]));
    return 0;
}
