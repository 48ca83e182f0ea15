#include "cardlayout.h"

#include <array>

namespace Orvella::CardLayout {

namespace {

constexpr QPoint twips(int left, int top)
{
    return {left / TwipsPerPixel, top / TwipsPerPixel};
}

// Three columns (2040, 3000, 3960) by three rows (360, 1680, 3000).
constexpr std::array<QPoint, SlotCount> Pathway{
    twips(3960, 1680), twips(3000, 1680), twips(2040, 1680), twips(3000, 360),
    twips(3000, 3000), twips(2040, 360),  twips(3960, 3000)};

// East, South, West, North, then the centre for the five-card spreads.
constexpr std::array<QPoint, 5> Compass{twips(3960, 1680), twips(3000, 3000), twips(2040, 1680),
                                        twips(3000, 360), twips(3000, 1680)};

} // namespace

QRect figureBounds()
{
    // The Pathway takes every column and every row there is.
    QRect bounds;
    for (const QPoint &corner : Pathway)
        bounds |= QRect(corner, CardSize);
    return bounds;
}

std::optional<QPoint> place(qint16 spreadIndex, int slot)
{
    if (slot < 0 || slot >= SlotCount)
        return std::nullopt;
    if (spreadIndex == 0)
        return Pathway[slot];
    // Any other index, even one no spread has, gets the cross; the centre only above 1.
    if (slot < 4 || (slot == 4 && spreadIndex > 1))
        return Compass[slot];
    return std::nullopt;
}

} // namespace Orvella::CardLayout
