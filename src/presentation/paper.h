#pragma once

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QPageSize>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace Orvella {

/**
 * Printed pages work out their lengths in page pixels, 96 to the inch, and
 * paint them in the device's own pixels; text sizes are points, which every
 * device knows.
 */
inline constexpr qreal PagePixelsPerInch = 96;

constexpr qreal mm(qreal millimetres)
{
    return millimetres / 25.4 * PagePixelsPerInch;
}

/** The device's pixels to a page pixel. */
qreal devicePixels(const QPaintDevice &device);

/** Card pictures are printed at this many dots per inch or, when the size asks no more, fewer. */
inline constexpr int PrintedPictureDpi = 300;

/** What the page number takes at the foot of a page of @p device, the gap above it included. */
qreal pageFootHeight(const QPaintDevice &device);
/** "Page @p page of @p pages", small and grey, at the foot of a page @p width by @p height. */
void paintPageFoot(QPainter &painter, qreal width, qreal height, int page, int pages);

/** The reading font at @p pointSize as a page prints it: every word found by a search of the PDF.
 */
QFont paperFont(qreal pointSize, bool bold = false);

/** Letter where the user's country prints on it, A4 everywhere else. */
QPageSize localPaper();

/**
 * @p drawing flattened on white, as a page shows it: a page has no
 * transparency, and a PDF's picture then needs no mask.
 */
QImage onWhitePaper(const QImage &drawing);

/**
 * A PDF titled @p title, made by this program, on the local paper with 15 mm
 * margins, its pages drawn by @p paint.
 */
QByteArray pdfOf(const QString &title, const std::function<void(QPagedPaintDevice &)> &paint);

} // namespace Orvella
