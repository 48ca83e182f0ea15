#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace Orvella {

/** The size a card is shown at, in logical pixels. */
inline constexpr QSize cardPictureSize{65, 100};

/** The densities every card picture is drawn at: the shown size times 1, 2 and 4. */
inline constexpr int cardPictureDensities[] = {1, 2, 4};

/**
 * Resource path of the picture of card 0..43 drawn at @p density (1, 2 or 4
 * times the shown size): :/cards/<density>x/<number>_<animal>.png. Empty for
 * any other index or density.
 */
QString cardPicturePath(int index, int density = 1);

/** The largest picture of card 0..43, decoded once and then shared; null for any other index. */
QImage cardPicture(int index);

/**
 * The picture of card 0..43 at @p scaledSize: the smallest drawn picture at
 * least that large, smoothly scaled when its size differs. Nothing larger is
 * kept. Null for any other index or an empty size.
 */
QImage cardPicture(int index, QSize scaledSize);

} // namespace Orvella
