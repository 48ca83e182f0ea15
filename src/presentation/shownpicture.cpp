#include "shownpicture.h"

#include "presentation/cardpictures.h"
#include "reading/shownposition.h"
#include "rotatehalfturn.h"

#include <cmath>

namespace Orvella {

QImage cardPictureForScreen(int index, QSize logicalSize, qreal ratio, bool turned)
{
    const QSize deviceSize(int(std::lround(logicalSize.width() * ratio)),
                           int(std::lround(logicalSize.height() * ratio)));
    // Scaled straight to the device pixels, so the card stays crisp on dense screens.
    QImage picture = cardPicture(index, deviceSize);
    if (picture.isNull())
        return {};
    picture.convertTo(QImage::Format_ARGB32_Premultiplied);
    if (turned)
        RotateHalfTurn(picture);
    picture.setDevicePixelRatio(ratio);
    return picture;
}

QImage shownPicture(const ShownPosition &shown, QSize logicalSize, qreal ratio)
{
    return cardPictureForScreen(shown.pictureCard, logicalSize, ratio, shown.pictureTurned);
}

} // namespace Orvella
