#pragma once

#include "paper.h"
#include "reading/shownposition.h"

#include <QDate>
#include <QImage>
#include <QList>
#include <QTextDocument>

class QPagedPaintDevice;
class QPainter;
class QPaintDevice;

namespace Orvella {

struct Reading;

/**
 * A reading as a printed page: a title with the product's name, the spread's
 * name and the date of printing; the spread's figure, its cards placed and
 * numbered as in the window, reversed ones turned; then the whole report,
 * flowing onto further pages, each with "Page n of m" at its foot. Paper
 * and PDF print this one layout, in whatever page size and orientation the
 * device has; the picture to share is its top part.
 */
class ReadingPage
{
public:
    ReadingPage(const Reading &reading, QDate printed);
    ~ReadingPage();

    /** Paints every page on @p device, in its own page layout; the number of pages. */
    int print(QPagedPaintDevice &device);

    /**
     * The page's top part, its title and figure, as a picture of @p ratio pixels
     * per 1/96 inch, as wide as the text of an A4 page.
     */
    QImage topPicture(qreal ratio);
    /** Where topPicture(@p ratio) shows each position's card, in its pixels. */
    QList<QRectF> topPictureCards(qreal ratio);

    /** Narrowest and widest a card is printed, in 1/96 inch: 3 and 3.6 cm. */
    static constexpr qreal MinimumCardWidth = 30 / 25.4 * 96;
    static constexpr qreal MaximumCardWidth = 36 / 25.4 * 96;
    /** The least resolution a card is printed at, in dots per inch. */
    static constexpr int PictureDpi = PrintedPictureDpi;

private:
    struct Figure;
    struct Top;

    qreal headerHeight(const QPaintDevice &device) const;
    void paintHeader(QPainter &painter, qreal width) const;
    /**
     * The figure as large as @p width by @p height allows, within the printed
     * card's narrowest and widest; never beyond @p most, the room there is.
     */
    Figure figure(qreal width, qreal height, QSizeF most = {}) const;
    /** Where position @p position's card lies in @p figure centred in @p width device pixels. */
    static QRectF cardPlace(const Figure &figure, int position, qreal width, qreal scale);
    void paintFigure(QPainter &painter, const Figure &figure, qreal width, qreal scale) const;
    Top top(qreal ratio) const;

    qint16 m_spreadIndex = 0;
    QList<ShownPosition> m_shown;
    QDate m_printed;
    QTextDocument m_report;
};

} // namespace Orvella
