#pragma once

#include <QtGlobal>

#include <cmath>
#include <limits>
#include <optional>

namespace Orvella {

/** Rounds to the nearest whole number, ties to the even neighbour, whatever the FPU mode. */
inline double roundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5)
        return below + 1;
    if (fraction < 0.5)
        return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

/** The value rounded half to even as a 16-bit integer; nothing when out of range. */
inline std::optional<qint16> toInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = roundHalfEven(value);
    if (rounded < std::numeric_limits<qint16>::min()
        || rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

} // namespace Orvella
