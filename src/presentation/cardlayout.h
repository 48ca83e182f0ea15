#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QtGlobal>

#include <optional>

namespace Orvella::CardLayout {

/** Picture places on the result panel, one per possible position. */
inline constexpr int SlotCount = 7;
/** 15 twips make one logical pixel. */
inline constexpr int TwipsPerPixel = 15;
/** A card picture: 795 x 1200 twips. */
inline constexpr QSize CardSize{795 / TwipsPerPixel, 1200 / TwipsPerPixel};
/** A card's number beside its picture: 210 x 345 twips, bold at 14.25 points. */
inline constexpr QSize NumberSize{210 / TwipsPerPixel, 345 / TwipsPerPixel};
inline constexpr qreal NumberPointSize = 14.25;

/**
 * Where slot @p slot (and its number) goes for @p spreadIndex, in logical pixels
 * relative to the result panel; nothing when the spread leaves that slot where it was.
 */
std::optional<QPoint> place(qint16 spreadIndex, int slot);

/** The area every spread's places cover, their cards included. */
QRect figureBounds();

} // namespace Orvella::CardLayout
