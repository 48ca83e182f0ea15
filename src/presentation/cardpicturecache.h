#pragma once

#include <QImage>
#include <QSize>

#include <map>
#include <tuple>

namespace Orvella {

/** Card pictures decoded and scaled once per card and display size, then reused. */
class CardPictureCache
{
public:
    /**
     * Card @p index's picture scaled to fill @p logicalSize at @p devicePixelRatio,
     * upright; a null image when the card has no picture.
     */
    QImage picture(int index, QSize logicalSize, qreal devicePixelRatio);

private:
    std::map<std::tuple<int, int, int, qint64>, QImage> m_scaled;
};

} // namespace Orvella
