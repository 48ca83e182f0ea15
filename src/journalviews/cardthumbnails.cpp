#include "cardthumbnails.h"

#include "oracle/carddeck.h"
#include "presentation/shownpicture.h"

#include <cmath>

namespace Orvella {

QPixmap CardThumbnails::picture(int card, QSize size, qreal ratio, bool reversed)
{
    if (!CardDeck::isCard(card) || size.isEmpty())
        return {};
    // Pictures of another size are of no more use: the figure has been laid out anew.
    if (size != m_size) {
        m_pictures.clear();
        m_size = size;
    }
    QPixmap &picture =
        m_pictures[int(std::lround(ratio * 100))][card + (reversed ? CardDeck::CardCount : 0)];
    if (picture.isNull())
        picture = QPixmap::fromImage(cardPictureForScreen(card, size, ratio, reversed));
    return picture;
}

} // namespace Orvella
