#pragma once

#include <QImage>
#include <QString>

namespace Orvella::Test {

/**
 * Where @p turned is not @p upright turned by half a turn: the first pixel
 * that is not at (w - 1 - x, h - 1 - y), described; empty when every one is.
 */
inline QString halfTurnMismatch(const QImage &turned, const QImage &upright)
{
    if (turned.size() != upright.size())
        return QStringLiteral("the sizes differ");
    const int w = upright.width();
    const int h = upright.height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (turned.pixel(w - 1 - x, h - 1 - y) != upright.pixel(x, y))
                return QStringLiteral("pixel %1,%2 not turned").arg(x).arg(y);
        }
    }
    return QString();
}

} // namespace Orvella::Test
