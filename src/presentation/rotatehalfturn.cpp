#include "rotatehalfturn.h"

#include <QImage>

namespace Orvella {

void RotateHalfTurn(QImage &picture)
{
    if (picture.isNull())
        return;
    // Mirroring both ways is an exact pixel permutation; a rotating transform
    // would resample and could smear the edges.
    const qreal ratio = picture.devicePixelRatio();
    picture = picture.mirrored(true, true);
    picture.setDevicePixelRatio(ratio);
}

} // namespace Orvella
