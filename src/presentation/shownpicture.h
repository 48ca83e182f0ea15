#pragma once

#include <QImage>
#include <QSize>

namespace Orvella {

struct ShownPosition;

/**
 * Card @p index's picture filling @p logicalSize on a screen of @p ratio
 * device pixels per pixel, upright or @p turned a half turn; null when the
 * card has no picture.
 */
QImage cardPictureForScreen(int index, QSize logicalSize, qreal ratio, bool turned = false);

/**
 * The picture @p shown draws, as cardPictureForScreen() gives it, turned a
 * half turn when the position lies so.
 */
QImage shownPicture(const ShownPosition &shown, QSize logicalSize, qreal ratio);

} // namespace Orvella
