#pragma once

#include "oracle/carddeck.h"

#include <QHash>
#include <QPixmap>
#include <QSize>

#include <array>

namespace Orvella {

/**
 * The deck's small pictures for one size, upright or turned, each made once
 * for every screen pixel ratio it is shown at, so painting never scales a picture.
 */
class CardThumbnails
{
public:
    /**
     * Card @p card's picture @p size large in logical pixels, for @p ratio
     * device pixels to one, turned when @p reversed.
     */
    QPixmap picture(int card, QSize size, qreal ratio, bool reversed = false);

private:
    QSize m_size;
    /** By the ratio in hundredths: the deck upright, then turned; null until asked for. */
    QHash<int, std::array<QPixmap, 2 * CardDeck::CardCount>> m_pictures;
};

} // namespace Orvella
