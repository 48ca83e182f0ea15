#include "reading.h"

namespace Orvella {

bool Reading::isReversed(int position) const
{
    return position >= 0 && position < orientations.size() && orientations[position] == Reversed;
}

void Reading::makeTables(int positions)
{
    cards = QList<qint16>(positions + 1, 0);
    orientations = QList<Orientation>(positions + 1, Upright);
    positionTitles = QStringList(positions + 1);
}

void Reading::clearTables()
{
    cards.clear();
    orientations.clear();
    positionTitles.clear();
}

} // namespace Orvella
