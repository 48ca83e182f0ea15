#include "draw.h"

#include "oracle/carddeck.h"
#include "oracle/spreadcatalogue.h"
#include "randomsource.h"
#include "rounding.h"

#include <algorithm>

namespace Orvella {

qint16 cardCandidate(double u)
{
    // Exact in double precision for every 24-bit u, so the ties fall exactly on .5.
    return static_cast<qint16>(roundHalfEven(u * (CardDeck::UpperIndex - 1)));
}

Orientation orientationFor(double v)
{
    return static_cast<Orientation>(roundHalfEven(v));
}

void Draw(Reading &reading, qint16 spreadIndex, RandomSource &random)
{
    reading.spreadIndex = spreadIndex;
    const auto spread = SpreadCatalogue::spread(spreadIndex);
    if (!spread)
        return;

    const int n = spread->cardCount;
    reading.makeTables(n);
    reading.positionTitles = SpreadCatalogue::splitTitles(spread->positionTitles);

    for (int i = 0; i < n; ++i) {
        qint16 candidate;
        do {
            candidate = cardCandidate(random.next());
        } while (std::find(reading.cards.cbegin(), reading.cards.cbegin() + i, candidate)
                 != reading.cards.cbegin() + i);
        reading.cards[i] = candidate;
        reading.orientations[i] = orientationFor(random.next());
    }
}

} // namespace Orvella
