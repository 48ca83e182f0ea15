#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <array>

namespace Orvella {

/**
 * The sizes every card picture is drawn at, smallest first: a card's place in
 * the window at normal and at double density, the whole design, and the whole
 * design at twice and four times its size (the card view on dense screens, print).
 */
inline constexpr std::array<QSize, 5> cardDrawingSizes{
    {{53, 80}, {106, 160}, {260, 400}, {520, 800}, {1040, 1600}}};
/** The size the cards are designed at. */
inline constexpr QSize cardDesignSize = cardDrawingSizes[2];

/**
 * The file of the picture of card 0..43 drawn at @p drawing, one of
 * cardDrawingSizes: cards/<width>x<height>/<number>_<animal>.png in the
 * program's data folder. Empty for any other index or size.
 */
QString cardPicturePath(int index, QSize drawing = cardDesignSize);

/**
 * The picture of card 0..43 at its design size, decoded once and then shared;
 * null for any other index.
 */
QImage cardPicture(int index);

/** The smallest drawing at least @p size large; the largest when none is. */
QSize cardDrawingFor(QSize size);

/**
 * The picture of card 0..43 at @p scaledSize: the smallest drawing at least
 * that large, smoothly scaled when its size differs. Nothing larger is kept.
 * Null for any other index or an empty size.
 */
QImage cardPicture(int index, QSize scaledSize);

} // namespace Orvella
