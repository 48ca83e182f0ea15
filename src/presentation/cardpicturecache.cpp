#include "cardpicturecache.h"

#include "reading/shownposition.h"
#include "shownpicture.h"

#include <cmath>

namespace Orvella {

QList<QPixmap> CardPictureCache::pictures(const QList<ShownPosition> &positions,
                                          QSize logicalSize, qreal ratio)
{
    std::map<Key, QPixmap> shown;
    QList<QPixmap> pictures;
    pictures.reserve(positions.size());
    for (const ShownPosition &position : positions) {
        const Key key{position.pictureCard, position.pictureTurned, logicalSize.width(),
                      logicalSize.height(), qint64(std::llround(ratio * 1000))};
        auto kept = shown.find(key);
        if (kept == shown.end()) {
            const auto before = m_kept.find(key);
            const QPixmap picture = before != m_kept.end()
                                        ? before->second
                                        : QPixmap::fromImage(shownPicture(position, logicalSize,
                                                                          ratio));
            kept = shown.emplace(key, picture).first;
        }
        pictures.append(kept->second);
    }
    m_kept = std::move(shown);
    return pictures;
}

} // namespace Orvella
