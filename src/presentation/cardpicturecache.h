#pragma once

#include <QList>
#include <QPixmap>
#include <QSize>

#include <map>
#include <tuple>

namespace Orvella {

struct ShownPosition;

/**
 * The pictures a reading's card places show, made once and kept while they
 * are shown: a reading shown again reuses what it had, and what a new reading
 * no longer shows is let go. The places share the very pixmaps kept here.
 */
class CardPictureCache
{
public:
    /**
     * What each of @p positions shows, filling @p logicalSize on a screen of
     * @p ratio, turned where it lies so (see shownPicture()).
     */
    QList<QPixmap> pictures(const QList<ShownPosition> &positions, QSize logicalSize, qreal ratio);

private:
    using Key = std::tuple<int, bool, int, int, qint64>;
    std::map<Key, QPixmap> m_kept;
};

} // namespace Orvella
