#pragma once

#include "journal/journalstatistics.h"
#include "oracle/carddeck.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRectF>

#include <functional>

class QPaintDevice;
class QPainter;
class QWidget;

namespace Orvella {

/** How the statistics' figures are painted: on the screen, or on paper in black and white. */
struct FigureStyle
{
    QFont font;
    /** The smaller text under each card of the deck. */
    QFont smallFont;
    QColor text = Qt::black;
    /** Axes, empty bars' ground, the cards that never came up. */
    QColor faint = Qt::gray;
    QColor bar = Qt::darkGray;
    QColor more = Qt::black;
    QColor less = Qt::black;
    QColor focus = Qt::black;
    /** One pixel of the screen, in the painter's units: lines and gaps grow with it. */
    qreal unit = 1;
    /** How wide a card of the deck is drawn at most, in the painter's units. */
    qreal cardWidth = 36;
};

/** The figures' look in @p widget's palette and font. */
FigureStyle screenFigureStyle(const QWidget &widget);

/**
 * Card @p card's picture to paint @p size large (in the painter's units); the
 * figure draws it into that size, so a picture made for it is never scaled.
 */
using CardPictures = std::function<QPixmap(int card, QSize size)>;

/**
 * The deck's grid is 11 columns by 4 rows where there is room for them; where
 * there is not (a large font, a narrow window), fewer columns, down to 4, and
 * more rows.
 */
inline constexpr int DeckGridColumns = 11;
inline constexpr int DeckGridLeastColumns = 4;
constexpr int deckGridRows(int columns)
{
    return (CardDeck::CardCount + columns - 1) / columns;
}

/** The least size the deck's grid takes in @p style, its texts measured for @p device. */
QSizeF deckGridSize(const FigureStyle &style, const QPaintDevice *device,
                    int columns = DeckGridColumns);
/** The columns a grid @p width wide has room for. */
int deckGridColumnsFor(qreal width, const FigureStyle &style, const QPaintDevice *device);
/** Card @p card's cell in the grid painted in @p rect. */
QRectF deckGridCellRect(const QRectF &rect, int card, int columns = DeckGridColumns);
/** The card whose cell holds @p at in the grid painted in @p rect; -1 outside every cell. */
int deckGridCardAt(const QRectF &rect, QPointF at, int columns = DeckGridColumns);
/**
 * The 44 cards in deck order, each shaded by how often it came up against the
 * card that came up most (faded when never), its count and reversed ones under
 * it and its chance mark at its corner: a triangle up for more, down for less.
 * A @p focused card gets a frame.
 */
void paintDeckGrid(QPainter &painter, const QRectF &rect, const JournalStatistics &statistics,
                   const FigureStyle &style, const CardPictures &pictures, int focused = -1,
                   int columns = DeckGridColumns);

/** Bar @p bar's column of @p bars in the chart painted in @p rect. */
QRectF overTimeBarRect(const QRectF &rect, int bars, int bar);
/** The bar whose column holds @p at; -1 outside every column. */
int overTimeBarAt(const QRectF &rect, int bars, QPointF at);
/**
 * The readings of each week or month as bars, with their counts where they fit
 * and labels under them spaced to stay readable. A @p focused bar gets a frame.
 */
void paintOverTime(QPainter &painter, const QRectF &rect, const JournalStatistics &statistics,
                   const FigureStyle &style, int focused = -1);

/** The height the spreads' bars take in @p style, measured for @p device. */
qreal spreadsHeight(const JournalStatistics &statistics, const FigureStyle &style,
                    const QPaintDevice *device);
/** Row @p row's stretch of @p rows in the bars painted in @p rect. */
QRectF spreadRowRect(const QRectF &rect, int rows, int row);
/** The row holding @p at; -1 outside every row. */
int spreadRowAt(const QRectF &rect, int rows, QPointF at);
/** A bar for each spread, the card of the day last, with its name and count. */
void paintSpreads(QPainter &painter, const QRectF &rect, const JournalStatistics &statistics,
                  const FigureStyle &style, int focused = -1);

/** A small triangle for a chance mark, up for more and down for less, centred in @p box. */
void paintChanceMark(QPainter &painter, const QRectF &box, ChanceMark mark,
                     const FigureStyle &style);

} // namespace Orvella
