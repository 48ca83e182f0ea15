#pragma once

#include <QImage>
#include <QString>

namespace Orvella {

/** Resource path of the picture of card 0..43; empty for any other index. */
QString cardPicturePath(int index);

/** The picture of card 0..43, decoded once and then shared; null for any other index. */
QImage cardPicture(int index);

} // namespace Orvella
