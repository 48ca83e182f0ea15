#include "readingpage.h"

#include "cardlayout.h"
#include "oracle/spreadcatalogue.h"
#include "pagebreaks.h"
#include "paper.h"
#include "presentation/cardpictures.h"
#include "product/product.h"
#include "reading/reading.h"
#include "reading/readingreport.h"
#include "reading/reportrun.h"
#include "reportrenderer.h"
#include "rotatehalfturn.h"

#include <QAbstractTextDocumentLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>

#include <cmath>

namespace Orvella {

namespace {

// A card's place and its number, in twips, as the window lays them out.
constexpr qreal CardWidthTwips = CardLayout::CardSize.width() * CardLayout::TwipsPerPixel;
constexpr qreal CardHeightTwips = CardLayout::CardSize.height() * CardLayout::TwipsPerPixel;
constexpr QSizeF NumberSizeTwips = QSizeF(CardLayout::NumberSize) * CardLayout::TwipsPerPixel;

QColor colour(quint32 rgb)
{
    return QColor::fromRgb(QRgb(rgb));
}

// The card's picture on white paper: drawn at @p atLeast pixels or more, turned where it lies so.
QImage printedPicture(const ShownPosition &shown, QSize atLeast)
{
    QImage paper = onWhitePaper(cardPicture(shown.pictureCard, cardDrawingFor(atLeast)));
    if (shown.pictureTurned && !paper.isNull())
        RotateHalfTurn(paper);
    return paper;
}

// The lines of @p document as laid out, with the headings and empty lines marked.
QList<TextLine> linesOf(QTextDocument &document)
{
    QList<TextLine> lines;
    QAbstractTextDocumentLayout *layout = document.documentLayout();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QRectF box = layout->blockBoundingRect(block);
        const QTextLayout *text = block.layout();
        const bool blank = block.length() <= 1;
        const bool heading = !blank && block.begin() != block.end()
                             && block.begin().fragment().charFormat().fontWeight() >= QFont::Bold;
        for (int i = 0; i < text->lineCount(); ++i) {
            const QTextLine line = text->lineAt(i);
            lines.append(
                {box.top() + line.y(), box.top() + line.y() + line.height(), heading, blank});
        }
    }
    return lines;
}

} // namespace

struct ReadingPage::Figure
{
    /** Each card's place, in twips from the figure's top left, by position. */
    QList<QPointF> places;
    QSizeF sizeTwips;
    /** A card's printed width in page pixels. */
    qreal cardWidth = 0;

    qreal scale() const { return cardWidth / CardWidthTwips; }
    QSizeF size() const { return sizeTwips * scale(); }
};

ReadingPage::ReadingPage(const Reading &reading, QDate printed)
    : m_spreadIndex(reading.spreadIndex), m_shown(shownPositions(reading)), m_printed(printed)
{
    m_report.setUseDesignMetrics(true);
    m_report.setDocumentMargin(0);
    m_report.setDefaultFont(paperFont(10));
    renderReport(m_report, ReadingReport::build(reading));
}

ReadingPage::~ReadingPage() = default;

qreal ReadingPage::headerHeight(const QPaintDevice &device) const
{
    const QFontMetricsF title(paperFont(20, true), &device);
    const QFontMetricsF spread(paperFont(14, true), &device);
    return title.height() + spread.height() + mm(2) * devicePixels(device);
}

void ReadingPage::paintHeader(QPainter &painter, qreal width) const
{
    const QPaintDevice &device = *painter.device();
    const qreal k = devicePixels(device);
    const QFont dateFont = paperFont(10);
    const QString date = m_printed.toString(Qt::ISODate);
    const qreal dateWidth = QFontMetricsF(dateFont, &device).horizontalAdvance(date);
    // Smaller where a paper is too narrow for it (A6, say): never past its edge.
    const auto fitted = [&device](QFont font, const QString &text, qreal room) {
        const qreal wide = QFontMetricsF(font, &device).horizontalAdvance(text);
        if (wide > room && room > 0)
            font.setPointSizeF(font.pointSizeF() * room / wide);
        return font;
    };
    const QString spreadName = SpreadCatalogue::spread(m_spreadIndex).value_or(Spread{}).name;
    const QFont titleFont = fitted(paperFont(20, true), Product::name(), width);
    const QFont spreadFont = fitted(paperFont(14, true), spreadName, width - 2 * dateWidth);
    // The lines as far apart as at their full size, which headerHeight() counts.
    const QFontMetricsF title(paperFont(20, true), &device);
    const QFontMetricsF spread(paperFont(14, true), &device);

    painter.setFont(titleFont);
    painter.setPen(colour(ReportColour::Teal));
    painter.drawText(QPointF(0, title.ascent()), Product::name());

    const qreal baseline = title.height() + spread.ascent();
    painter.setFont(spreadFont);
    painter.setPen(colour(ReportColour::Maroon));
    painter.drawText(QPointF(0, baseline), spreadName);
    painter.setFont(dateFont);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(width - dateWidth, baseline), date);

    const qreal rule = title.height() + spread.height() + mm(1) * k;
    painter.setPen(QPen(colour(ReportColour::Olive), qMax(1.0, 0.75 * k)));
    painter.drawLine(QPointF(0, rule), QPointF(width, rule));
}

ReadingPage::Figure ReadingPage::figure(qreal width, qreal height, QSizeF most) const
{
    Figure figure;
    QRectF bounds;
    for (const ShownPosition &shown : m_shown) {
        const auto place = CardLayout::place(m_spreadIndex, shown.position);
        const QPointF twips = place ? QPointF(*place) * CardLayout::TwipsPerPixel : QPointF();
        figure.places.append(twips);
        bounds |= QRectF(twips, QSizeF(CardWidthTwips, CardHeightTwips));
    }
    for (QPointF &place : figure.places)
        place -= bounds.topLeft();
    figure.sizeTwips = bounds.size();
    if (bounds.isEmpty())
        return figure;
    // As large as the page allows, within the printed card's narrowest and widest.
    const qreal fits = qMin(width / bounds.width(), height / bounds.height()) * CardWidthTwips;
    figure.cardWidth = qBound(MinimumCardWidth, fits, MaximumCardWidth);
    // Narrower still on a paper too small for it (A6, A5 across): whole, on the page.
    if (!most.isEmpty()) {
        const qreal room = qMin(most.width() / bounds.width(), most.height() / bounds.height());
        figure.cardWidth = qMin(figure.cardWidth, qMax(qreal(1), room * CardWidthTwips));
    }
    return figure;
}

QRectF ReadingPage::cardPlace(const Figure &figure, int position, qreal width, qreal scale)
{
    const qreal u = figure.scale() * scale; // device pixels per twip
    const qreal left = (width - figure.sizeTwips.width() * u) / 2;
    return QRectF(QPointF(left, 0) + figure.places[position] * u,
                  QSizeF(CardWidthTwips * u, CardHeightTwips * u));
}

void ReadingPage::paintFigure(QPainter &painter, const Figure &figure, qreal width,
                              qreal scale) const
{
    const qreal u = figure.scale() * scale;
    const QSizeF card(CardWidthTwips * u, CardHeightTwips * u);
    // At least the print resolution, and no more than the device shows.
    const qreal inches = figure.cardWidth / PagePixelsPerInch;
    const qreal wanted = qMin(card.width(), inches * PictureDpi);
    const QSize atLeast(qCeil(wanted), qCeil(wanted * CardHeightTwips / CardWidthTwips));

    QFont number = paperFont(
        CardLayout::NumberPointSize * figure.cardWidth / CardLayout::CardSize.width(), true);
    painter.setFont(number);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const ShownPosition &shown : m_shown) {
        const QRectF place = cardPlace(figure, shown.position, width, scale);
        const QImage picture = printedPicture(shown, atLeast);
        if (!picture.isNull())
            painter.drawImage(place, picture);
        // The position's number over the card's top left corner, as in the window.
        const QRectF box(place.topLeft(), NumberSizeTwips * u);
        painter.fillRect(box, Qt::white);
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, QString::number(shown.number()));
    }
}

int ReadingPage::print(QPagedPaintDevice &device)
{
    const qreal k = devicePixels(device);
    const QRect paper = device.pageLayout().paintRectPixels(device.logicalDpiY());
    const qreal width = paper.width();
    const qreal height = paper.height();

    const qreal footerHeight = pageFootHeight(device);
    const qreal header = headerHeight(device) + mm(5) * k;
    // The figure leaves room for at least the start of the report below it.
    const qreal below = (height - footerHeight - header) / k;
    const Figure shape = figure(width / k, below - mm(40), QSizeF(width / k, below));
    const qreal top = header + shape.size().height() * k + mm(6) * k;

    // The report laid out for this device, cut into pages between its lines.
    m_report.documentLayout()->setPaintDevice(&device);
    m_report.setTextWidth(width);
    const QList<PageSlice> pages = breakIntoPages(linesOf(m_report), height - footerHeight - top,
                                                  height - footerHeight);

    QPainter painter(&device);
    // The card pictures go into the file as drawn, not recompressed.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const int count = qMax(1, int(pages.size()));
    for (int page = 0; page < count; ++page) {
        if (page > 0)
            device.newPage();
        qreal y = 0;
        if (page == 0) {
            paintHeader(painter, width);
            painter.save();
            painter.translate(0, header);
            paintFigure(painter, shape, width, k);
            painter.restore();
            y = top;
        }
        // Nothing of the report under a figure that fills the first page.
        if (page < pages.size() && pages[page].bottom > pages[page].top) {
            const PageSlice slice = pages[page];
            painter.save();
            painter.translate(0, y - slice.top);
            // A hair inside the slice: the lines that only touch its edges belong
            // to the pages before and after, and are not put in this one's text.
            const qreal hair = 0.25;
            m_report.drawContents(&painter, QRectF(0, slice.top + hair, width,
                                                   slice.bottom - slice.top - 2 * hair));
            painter.restore();
        }
        paintPageFoot(painter, width, height, page + 1, count);
    }
    painter.end();
    m_report.documentLayout()->setPaintDevice(nullptr);
    return count;
}

// The top part as a picture of its own: the page's title and figure on a
// white margin, as wide as an A4 page's text between 15 mm margins.
struct ReadingPage::Top
{
    QSize size; // of the picture, in its pixels
    int dotsPerMetre = 0;
    Figure shape;
    qreal width = 0; // of the text, in the picture's pixels
    QPointF header;  // top left of the title, in the picture's pixels
    QPointF figure;  // top left of the figure's row, in the picture's pixels
};

ReadingPage::Top ReadingPage::top(qreal ratio) const
{
    Top top;
    const qreal width = QPageSize(QPageSize::A4).size(QPageSize::Inch).width() * PagePixelsPerInch
                        - 2 * mm(15);
    top.shape = figure(width, mm(160));
    // Points become this picture's pixels at 96 dots to the inch, times the ratio.
    top.dotsPerMetre = qRound(PagePixelsPerInch * ratio / 0.0254);
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDotsPerMeterX(top.dotsPerMetre);
    probe.setDotsPerMeterY(top.dotsPerMetre);
    const qreal margin = mm(6);
    const qreal header = headerHeight(probe) / ratio + mm(5);
    top.size = (QSizeF(width + 2 * margin, header + top.shape.size().height() + 2 * margin) * ratio)
                   .toSize();
    top.width = width * ratio;
    top.header = QPointF(margin, margin) * ratio;
    top.figure = QPointF(margin, margin + header) * ratio;
    return top;
}

QImage ReadingPage::topPicture(qreal ratio)
{
    const Top part = top(ratio);
    QImage picture(part.size, QImage::Format_RGB32);
    picture.setDotsPerMeterX(part.dotsPerMetre);
    picture.setDotsPerMeterY(part.dotsPerMetre);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(part.header);
    paintHeader(painter, part.width);
    painter.resetTransform();
    painter.translate(part.figure);
    paintFigure(painter, part.shape, part.width, ratio);
    painter.end();
    return picture;
}

QList<QRectF> ReadingPage::topPictureCards(qreal ratio)
{
    const Top part = top(ratio);
    QList<QRectF> places;
    for (const ShownPosition &shown : m_shown)
        places.append(
            cardPlace(part.shape, shown.position, part.width, ratio).translated(part.figure));
    return places;
}

} // namespace Orvella
