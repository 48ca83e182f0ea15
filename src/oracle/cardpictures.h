#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <array>

namespace Orvella {

/**
 * The sizes every card picture is drawn at, smallest first: a card's place in
 * the window at normal and at double density, and the whole design.
 */
inline constexpr std::array<QSize, 3> cardDrawingSizes{{{53, 80}, {106, 160}, {260, 400}}};

/**
 * Resource path of the picture of card 0..43 drawn at @p drawing, one of
 * cardDrawingSizes: :/cards/<width>x<height>/<number>_<animal>.png. Empty for
 * any other index or size.
 */
QString cardPicturePath(int index, QSize drawing = cardDrawingSizes.back());

/** The whole picture of card 0..43, decoded once and then shared; null for any other index. */
QImage cardPicture(int index);

/**
 * The picture of card 0..43 at @p scaledSize: the smallest drawing at least
 * that large, smoothly scaled when its size differs. Nothing larger is kept.
 * Null for any other index or an empty size.
 */
QImage cardPicture(int index, QSize scaledSize);

} // namespace Orvella
