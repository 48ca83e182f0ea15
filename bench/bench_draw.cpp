// Draws per second for every spread, on the program's own generator with a
// fixed seed so runs compare.

#include "oracle/spreadcatalogue.h"
#include "reading/clockrandomsource.h"
#include "reading/draw.h"

#include <QElapsedTimer>

#include <cstdio>

using namespace Orvella;

int main()
{
    ClockRandomSource random;
    random.seed(20261207);
    Reading reading;
    long checksum = 0;
    for (qint16 spread = 0; spread < SpreadCatalogue::SpreadCount; ++spread) {
        long draws = 0;
        QElapsedTimer timer;
        timer.start();
        // Batches keep the clock out of the measured loop.
        while (timer.elapsed() < 1000) {
            for (int i = 0; i < 10000; ++i) {
                Draw(reading, spread, random);
                checksum += reading.cards[0];
            }
            draws += 10000;
        }
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        std::printf("draw %-22s %12.0f draws/s\n",
                    qPrintable(SpreadCatalogue::spread(spread)->name), double(draws) / seconds);
    }
    // Printed so the compiler cannot drop the draws.
    std::printf("(checksum %ld)\n", checksum);
    return 0;
}
