#include "cardpicturecache.h"

#include "oracle/cardpictures.h"

#include <cmath>

namespace Orvella {

QImage CardPictureCache::picture(int index, QSize logicalSize, qreal devicePixelRatio)
{
    const QSize deviceSize(int(std::lround(logicalSize.width() * devicePixelRatio)),
                           int(std::lround(logicalSize.height() * devicePixelRatio)));
    const auto key = std::make_tuple(index, deviceSize.width(), deviceSize.height(),
                                     qint64(std::llround(devicePixelRatio * 1000)));
    if (const auto found = m_scaled.find(key); found != m_scaled.end())
        return found->second;

    // Scaled straight to the device pixels, so the card stays crisp on dense screens.
    QImage scaled = cardPicture(index, deviceSize);
    if (scaled.isNull())
        return QImage();
    scaled.convertTo(QImage::Format_ARGB32_Premultiplied);
    scaled.setDevicePixelRatio(devicePixelRatio);
    m_scaled.emplace(key, scaled);
    return scaled;
}

} // namespace Orvella
