// Exporting a seven-card reading to PDF, as File > Export Reading as PDF does
// once the file is chosen: the page laid out, the pictures and the report
// painted, the file's bytes made. Prints the median time and the file's size
// (goals: under 250 ms, under 1.5 MB).
//   QT_QPA_PLATFORM=offscreen ./bench_exportpdf [--write FILE]

#include "reading/draw.h"
#include "session/readingexportcommands.h"
#include "support/scriptedrandom.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>

using namespace Orvella;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Seven cards, every second one reversed.
    Test::ScriptedRandom random({3 / 43.0, 0.1, 17 / 43.0, 0.9, 24 / 43.0, 0.1, 30 / 43.0, 0.9,
                                 35 / 43.0, 0.1, 40 / 43.0, 0.9, 8 / 43.0, 0.1});
    Reading reading;
    Draw(reading, 0, random);
    const QDate printed(2026, 12, 8);

    const QStringList arguments = app.arguments();
    const qsizetype write = arguments.indexOf(QStringLiteral("--write"));
    if (write >= 0 && write + 1 < arguments.size()) {
        QFile file(arguments[write + 1]);
        if (!file.open(QIODevice::WriteOnly)
            || file.write(ReadingExportCommands::pdf(reading, printed)) < 0)
            return 1;
        return 0;
    }

    constexpr int Runs = 31;
    QList<double> times;
    qsizetype size = 0;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        size = ReadingExportCommands::pdf(reading, printed).size();
        times << timer.nsecsElapsed() / 1e6;
    }
    const double first = times.first();
    std::sort(times.begin(), times.end());
    std::printf("PDF export, 7 cards: median %.1f ms over %d runs (the first %.1f ms); "
                "file %.2f MB\n",
                times[Runs / 2], Runs, first, size / 1e6);
    return 0;
}
