#pragma once

class QImage;

namespace Orvella {

/** Turns @p picture by exactly 180 degrees: pixel (x, y) moves to (w - 1 - x, h - 1 - y). */
void RotateHalfTurn(QImage &picture);

} // namespace Orvella
