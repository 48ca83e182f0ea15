#include "statisticspage.h"

#include "chancetablemodel.h"
#include "journal/journalstatistics.h"
#include "presentation/cardpictures.h"
#include "presentation/paper.h"
#include "product/product.h"
#include "statisticsfigures.h"
#include "statisticstexts.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <array>
#include <cmath>
#include <functional>

namespace Orvella {

namespace {

FigureStyle paperStyle(qreal k)
{
    FigureStyle style;
    style.font = paperFont(8);
    style.smallFont = paperFont(6.5);
    style.text = Qt::black;
    style.faint = QColor(0x80, 0x80, 0x80);
    style.bar = QColor(0xa0, 0xa0, 0xa0);
    // Told apart by their triangles' direction, which black and white keeps.
    style.more = Qt::black;
    style.less = Qt::black;
    style.unit = k;
    style.cardWidth = mm(12) * k;
    return style;
}

// The card's picture on white paper, drawn at the print resolution or what the size needs.
QPixmap paperPicture(int card, QSize size, qreal dpi)
{
    const QSize pixels = (QSizeF(size) * std::min(1.0, PrintedPictureDpi / dpi)).toSize();
    return QPixmap::fromImage(onWhitePaper(cardPicture(card, pixels)));
}

/** What is painted where: the pieces of the pages, placed before any is painted. */
class PageFlow
{
public:
    using Paint = std::function<void(QPainter &)>;

    explicit PageFlow(qreal height) : m_height(height) {}

    /** Places @p paint, @p height tall, on this page or the next when it does not fit. */
    void place(qreal height, Paint paint)
    {
        if (!fits(height))
            newPage();
        m_pieces.append({m_page, m_y, std::move(paint)});
        m_y += height;
    }
    bool fits(qreal height) const { return m_y == 0 || m_y + height <= m_height; }
    void newPage()
    {
        ++m_page;
        m_y = 0;
    }
    int pages() const { return m_page + 1; }

    /** Paints every piece, a new page for each page, @p foot on each. */
    void paint(QPagedPaintDevice &device, QPainter &painter,
               const std::function<void(int page)> &foot) const
    {
        int page = 0;
        for (const Piece &piece : m_pieces) {
            for (; page < piece.page; ++page) {
                foot(page);
                device.newPage();
            }
            painter.save();
            painter.translate(0, piece.y);
            piece.paint(painter);
            painter.restore();
        }
        for (; page < pages(); ++page) {
            foot(page);
            if (page + 1 < pages())
                device.newPage();
        }
    }

private:
    struct Piece
    {
        int page;
        qreal y;
        Paint paint;
    };

    qreal m_height;
    int m_page = 0;
    qreal m_y = 0;
    QList<Piece> m_pieces;
};

// The table's columns: their share of the width, the card's name widest.
constexpr std::array<qreal, ChanceTableModel::Columns> ColumnShares{0.36, 0.13, 0.13, 0.16, 0.22};

void paintTableRow(QPainter &painter, qreal width, qreal height, const FigureStyle &style,
                   const std::function<QString(int column)> &text, ChanceMark mark)
{
    qreal left = 0;
    const qreal pad = 2 * style.unit;
    for (int column = 0; column < ChanceTableModel::Columns; ++column) {
        const qreal columnWidth = width * ColumnShares[column];
        QRectF cell(left + pad, 0, columnWidth - 2 * pad, height);
        const bool words = column == ChanceTableModel::CardColumn
                           || column == ChanceTableModel::MarkColumn;
        // Set apart from the numbers' right-aligned column before it.
        if (column == ChanceTableModel::MarkColumn)
            cell.setLeft(cell.left() + mm(4) * style.unit);
        if (column == ChanceTableModel::MarkColumn && mark != ChanceMark::None) {
            paintChanceMark(painter, QRectF(cell.left(), 0, height, height), mark, style);
            cell.setLeft(cell.left() + height + pad);
        }
        painter.drawText(cell, (words ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                         text(column));
        left += columnWidth;
    }
    painter.setPen(QPen(style.faint, 0.5 * style.unit));
    painter.drawLine(QPointF(0, height), QPointF(width, height));
}

} // namespace

int printStatistics(QPagedPaintDevice &device, const JournalStatistics &statistics,
                    const QString &periodText)
{
    const qreal k = devicePixels(device);
    const QRect paper = device.pageLayout().paintRectPixels(device.logicalDpiY());
    const qreal width = paper.width();
    const FigureStyle style = paperStyle(k);
    const QFont titleFont = paperFont(16, true);
    const QFont headingFont = paperFont(11, true);
    const QFont textFont = paperFont(9);
    const qreal titleLine = QFontMetricsF(titleFont, &device).height();
    const qreal headingLine = QFontMetricsF(headingFont, &device).height();
    const QFontMetricsF text(textFont, &device);
    const qreal footerHeight = pageFootHeight(device);
    const qreal gap = mm(5) * k;

    PageFlow flow(paper.height() - footerHeight);
    // The period, and which readings, under the title: wrapped, never cut at the margin.
    const QFont periodFont = paperFont(11, true);
    const qreal periodHeight = QFontMetricsF(periodFont, &device)
                                   .boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap,
                                                 periodText)
                                   .height();
    flow.place(titleLine + periodHeight + mm(3) * k, [&](QPainter &painter) {
        painter.setFont(titleFont);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, 0, width, titleLine), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Statistics"));
        painter.setFont(periodFont);
        painter.drawText(QRectF(0, titleLine, width, periodHeight),
                         Qt::AlignLeft | Qt::TextWordWrap, periodText);
        const qreal rule = titleLine + periodHeight + mm(1) * k;
        painter.setPen(QPen(Qt::black, 0.75 * k));
        painter.drawLine(QPointF(0, rule), QPointF(width, rule));
    });
    flow.place(text.height() + gap, [&](QPainter &painter) {
        painter.setFont(textFont);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, 0, width, text.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         reversedShareText(statistics));
    });

    // Each figure under its heading, kept together on one page.
    const auto figure = [&](const QString &heading, qreal height,
                            const std::function<void(QPainter &, const QRectF &)> &paint) {
        flow.place(headingLine + height + gap, [&, heading, height, paint](QPainter &painter) {
            painter.setFont(headingFont);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(0, 0, width, headingLine), Qt::AlignLeft | Qt::AlignVCenter,
                             heading);
            paint(painter, QRectF(0, headingLine, width, height));
        });
    };
    const qreal dpi = device.logicalDpiY();
    figure(statisticsHeading(StatisticsPart::Deck), deckGridSize(style, &device).height(),
           [&](QPainter &painter, const QRectF &rect) {
               paintDeckGrid(painter, rect, statistics, style,
                             [dpi](int card, QSize size) { return paperPicture(card, size, dpi); });
           });
    figure(statisticsHeading(StatisticsPart::OverTime), mm(40) * k,
           [&](QPainter &painter, const QRectF &rect) {
               paintOverTime(painter, rect, statistics, style);
           });
    figure(statisticsHeading(StatisticsPart::Spreads), spreadsHeight(statistics, style, &device),
           [&](QPainter &painter, const QRectF &rect) {
               paintSpreads(painter, rect, statistics, style);
           });

    // The table: its heading and what a mark means, then a row at a time, the
    // columns' titles again at the top of every page it goes on to.
    const qreal row = std::ceil(text.height() * 1.4);
    const QString meaning = chanceMarkMeaning(statistics);
    const qreal meaningHeight =
        text.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, meaning).height();
    const auto header = [&](QPainter &painter) {
        QFont bold = textFont;
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(Qt::black);
        paintTableRow(painter, width, row, style, ChanceTableModel::columnTitle, ChanceMark::None);
    };
    const qreal intro = headingLine + meaningHeight + mm(2) * k;
    if (!flow.fits(intro + 2 * row))
        flow.newPage();
    flow.place(intro, [&, meaningHeight](QPainter &painter) {
        painter.setFont(headingFont);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, 0, width, headingLine), Qt::AlignLeft | Qt::AlignVCenter,
                         statisticsHeading(StatisticsPart::AgainstChance));
        painter.setFont(textFont);
        painter.drawText(QRectF(0, headingLine, width, meaningHeight), Qt::TextWordWrap, meaning);
    });
    flow.place(row, header);
    for (const CardCount &count : cardsAgainstChance(statistics.perCard)) {
        if (!flow.fits(row)) {
            flow.newPage();
            flow.place(row, header);
        }
        flow.place(row, [&, count](QPainter &painter) {
            painter.setFont(textFont);
            painter.setPen(Qt::black);
            paintTableRow(
                painter, width, row, style,
                [&count](int column) { return ChanceTableModel::cellText(count, column); },
                count.mark);
        });
    }

    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int pages = flow.pages();
    flow.paint(device, painter,
               [&](int page) { paintPageFoot(painter, width, paper.height(), page + 1, pages); });
    painter.end();
    return pages;
}

QByteArray statisticsPdf(const JournalStatistics &statistics, const QString &periodText)
{
    return pdfOf(statisticsDocumentName(), [&](QPagedPaintDevice &device) {
        printStatistics(device, statistics, periodText);
    });
}

QString statisticsDocumentName()
{
    return Product::titled(QStringLiteral("Statistics"));
}

} // namespace Orvella
