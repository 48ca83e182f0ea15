#include "reading.h"

namespace Orvella {

bool Reading::isReversed(int position) const
{
    return position >= 0 && position < orientations.size() && orientations[position] == Reversed;
}

void Reading::clearTables()
{
    cards.clear();
    orientations.clear();
    positionTitles.clear();
}

} // namespace Orvella
