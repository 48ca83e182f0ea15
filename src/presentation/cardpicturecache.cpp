#include "cardpicturecache.h"

#include "shownpicture.h"

#include <cmath>

namespace Orvella {

QImage CardPictureCache::picture(int index, QSize logicalSize, qreal devicePixelRatio)
{
    const auto key = std::make_tuple(index, logicalSize.width(), logicalSize.height(),
                                     qint64(std::llround(devicePixelRatio * 1000)));
    if (const auto found = m_scaled.find(key); found != m_scaled.end())
        return found->second;
    const QImage picture = cardPictureForScreen(index, logicalSize, devicePixelRatio);
    if (!picture.isNull())
        m_scaled.emplace(key, picture);
    return picture;
}

} // namespace Orvella
