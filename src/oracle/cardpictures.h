#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace Orvella {

/** Resource path of the picture of card 0..43; empty for any other index. */
QString cardPicturePath(int index);

/** The picture of card 0..43, decoded once and then shared; null for any other index. */
QImage cardPicture(int index);

/**
 * The picture of card 0..43 smoothly scaled to @p scaledSize; the full-size
 * picture is not kept. Null for any other index or an empty size.
 */
QImage cardPicture(int index, QSize scaledSize);

} // namespace Orvella
