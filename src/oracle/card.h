#pragma once

#include <QString>

namespace Orvella {

/** One card of the deck, as the report prints it. */
struct Card
{
    QString name;
    QString keyword;
    QString upright;
    QString reverse;
    QString medical;
};

} // namespace Orvella
