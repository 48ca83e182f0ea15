#include "statisticsfigures.h"

#include "journal/journaltexts.h"
#include "oracle/carddeck.h"
#include "presentation/cardpictures.h"
#include "presentation/readingfont.h"
#include "reading/reportrun.h"
#include "statisticstexts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cmath>

namespace Orvella {

namespace {

// Which of @p count equal slices of the stretch from @p from, @p length long,
// holds @p at; -1 when there are none. The far edge belongs to the last one.
int sliceAt(qreal from, qreal length, int count, qreal at)
{
    if (count <= 0)
        return -1;
    return std::min(int((at - from) * count / length), count - 1);
}

// The height of a card for its width, as the pictures are drawn.
constexpr qreal CardAspect = qreal(cardDesignSize.height()) / cardDesignSize.width();
// A card that never came up is drawn this faint.
constexpr qreal NeverOpacity = 0.3;

qreal padding(const FigureStyle &style)
{
    return 4 * style.unit;
}

// From the picture's foot to the texts: a gap, the strength bar and a gap.
qreal strengthBand(const FigureStyle &style)
{
    return 6 * style.unit;
}

QColor withAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

QString reversedLine(const CardCount &count)
{
    return count.reversed > 0 ? QStringLiteral("%1 reversed").arg(count.reversed) : QString();
}

// The first, and those whose year differs from the label before, carry their year.
template<typename Labelled>
void paintTimeLabels(QPainter &painter, const QRectF &rect, const JournalStatistics &statistics,
                     const Labelled &labelled, qreal top, qreal line)
{
    const int bars = int(statistics.overTime.size());
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal gap = metrics.horizontalAdvance(u' ');
    int shownYear = 0;
    qreal taken = rect.left() - gap; // where the last label drawn ends
    for (int bar = 0; bar < bars; ++bar) {
        if (!labelled(bar))
            continue;
        const TimeCount &count = statistics.overTime[bar];
        QStringList lines{timeCountLabel(count, statistics.step)};
        if (count.first.year() != shownYear)
            lines << QString::number(count.first.year());
        const qreal centre = overTimeBarRect(rect, bars, bar).center().x();
        qreal widest = 0;
        for (const QString &text : std::as_const(lines))
            widest = std::max(widest, metrics.horizontalAdvance(text));
        // Kept inside the figure, the first and last not cut off; one that
        // would run into the label before it (the last, pushed in) is left out.
        const qreal left = std::max(rect.left(),
                                    std::min(centre - widest / 2, rect.right() - widest));
        if (left < taken + gap)
            continue;
        taken = left + widest;
        shownYear = count.first.year();
        for (int i = 0; i < lines.size(); ++i) {
            painter.drawText(QRectF(left, top + i * line, widest, line), Qt::AlignCenter, lines[i]);
        }
    }
}

} // namespace

FigureStyle screenFigureStyle(const QWidget &widget)
{
    const QPalette &palette = widget.palette();
    FigureStyle style;
    style.font = widget.font();
    style.smallFont = smallerFont(widget.font());
    style.text = palette.color(QPalette::WindowText);
    style.faint = withAlpha(style.text, 110);
    style.bar = palette.color(QPalette::Highlight);
    style.more = QColor::fromRgb(QRgb(ReportColour::Teal));
    style.less = QColor::fromRgb(QRgb(ReportColour::Maroon));
    style.focus = style.text;
    return style;
}

QSizeF deckGridSize(const FigureStyle &style, const QPaintDevice *device, int columns)
{
    const QFontMetricsF metrics(style.smallFont, device);
    const qreal pad = padding(style);
    const qreal width = std::max(
        style.cardWidth, metrics.horizontalAdvance(QStringLiteral("888 reversed"))) + 2 * pad;
    const qreal height = style.cardWidth * CardAspect + 2 * pad + strengthBand(style)
                         + 2 * metrics.height();
    return {columns * width, deckGridRows(columns) * height};
}

int deckGridColumnsFor(qreal width, const FigureStyle &style, const QPaintDevice *device)
{
    const qreal cell = deckGridSize(style, device, 1).width();
    // A hair's room given: a width rounded from the columns' own holds them all.
    return std::clamp(int(width / cell + 0.5 / cell), DeckGridLeastColumns, DeckGridColumns);
}

QRectF deckGridCellRect(const QRectF &rect, int card, int columns)
{
    const QSizeF cell(rect.width() / columns, rect.height() / deckGridRows(columns));
    return {rect.left() + (card % columns) * cell.width(),
            rect.top() + (card / columns) * cell.height(), cell.width(), cell.height()};
}

int deckGridCardAt(const QRectF &rect, QPointF at, int columns)
{
    if (!rect.contains(at))
        return -1;
    const int rows = deckGridRows(columns);
    const int column = sliceAt(rect.left(), rect.width(), columns, at.x());
    const int card = sliceAt(rect.top(), rect.height(), rows, at.y()) * columns + column;
    return card < CardDeck::CardCount ? card : -1;
}

void paintDeckGrid(QPainter &painter, const QRectF &rect, const JournalStatistics &statistics,
                   const FigureStyle &style, const CardPictures &pictures, int focused, int columns)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(style.smallFont, painter.device());
    const qreal line = metrics.height();
    const qreal pad = padding(style);
    int most = 0;
    for (const CardCount &count : statistics.perCard)
        most = std::max(most, count.count);

    for (const CardCount &count : statistics.perCard) {
        const QRectF cell = deckGridCellRect(rect, count.card, columns);
        const qreal share = most > 0 ? qreal(count.count) / most : 0;
        const qreal space = cell.height() - 2 * pad - strengthBand(style) - 2 * line;
        const qreal width = std::min({style.cardWidth, cell.width() - 2 * pad, space / CardAspect});
        // Whole units, so a picture made for its size lands on whole pixels.
        const QRect picture(qRound(cell.center().x() - width / 2), qRound(cell.top() + pad),
                            qRound(width), qRound(width * CardAspect));

        if (count.count > 0) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(withAlpha(style.bar, 20 + qRound(80 * share)));
            painter.drawRoundedRect(cell.adjusted(style.unit, style.unit, -style.unit, -style.unit),
                                    3 * style.unit, 3 * style.unit);
            // A PDF would draw the picture with the ground's see-through brush.
            painter.setBrush(Qt::NoBrush);
        }
        painter.setOpacity(count.count > 0 ? 1.0 : NeverOpacity);
        painter.drawPixmap(picture, pictures(count.card, picture.size()));
        painter.setOpacity(1.0);

        // The strength bar: how often it came up against the card that came up most.
        const QRectF track(picture.left(), picture.bottom() + 1 + 2 * style.unit, picture.width(),
                           3 * style.unit);
        painter.setPen(QPen(style.faint, 0.5 * style.unit));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(track);
        painter.fillRect(QRectF(track.topLeft(), QSizeF(track.width() * share, track.height())),
                         style.bar);

        const QRectF text(cell.left(), track.bottom() + style.unit, cell.width(), line);
        QFont bold = style.smallFont;
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(count.count > 0 ? style.text : style.faint);
        painter.drawText(text, Qt::AlignHCenter | Qt::AlignTop, QString::number(count.count));
        painter.setFont(style.smallFont);
        painter.drawText(text.translated(0, line), Qt::AlignHCenter | Qt::AlignTop,
                         metrics.elidedText(reversedLine(count), Qt::ElideRight, cell.width()));

        if (count.mark != ChanceMark::None) {
            const qreal size = std::max(12 * style.unit, picture.width() * 0.45);
            paintChanceMark(
                painter,
                QRectF(picture.right() + 1 - size * 0.8, picture.top() - size * 0.2, size, size),
                count.mark, style);
        }
        if (count.card == focused) {
            painter.setPen(QPen(style.focus, 2 * style.unit));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(cell.adjusted(style.unit, style.unit, -style.unit, -style.unit),
                                    3 * style.unit, 3 * style.unit);
        }
    }
    painter.restore();
}

void paintChanceMark(QPainter &painter, const QRectF &box, ChanceMark mark,
                     const FigureStyle &style)
{
    if (mark == ChanceMark::None)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = mark == ChanceMark::More ? style.more : style.less;
    // A white ground keeps the mark clear over any picture, and on any theme.
    painter.setPen(QPen(colour, style.unit));
    painter.setBrush(Qt::white);
    painter.drawEllipse(box.adjusted(style.unit, style.unit, -style.unit, -style.unit));
    const QPointF c = box.center();
    const qreal r = box.width() * 0.28;
    const qreal tip = mark == ChanceMark::More ? -r : r;
    const std::array<QPointF, 3> triangle{QPointF(c.x(), c.y() + tip),
                                          QPointF(c.x() - r, c.y() - tip * 0.75),
                                          QPointF(c.x() + r, c.y() - tip * 0.75)};
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(triangle.data(), int(triangle.size()));
    painter.restore();
}

QRectF overTimeBarRect(const QRectF &rect, int bars, int bar)
{
    const qreal slot = rect.width() / std::max(bars, 1);
    return {rect.left() + bar * slot, rect.top(), slot, rect.height()};
}

int overTimeBarAt(const QRectF &rect, int bars, QPointF at)
{
    return rect.contains(at) ? sliceAt(rect.left(), rect.width(), bars, at.x()) : -1;
}

namespace {

// Labels go every so many bars, as their widest needs: months on whole
// quarters or years, weeks by count.
int labelEvery(const JournalStatistics &statistics, const QFontMetricsF &metrics, qreal slot,
               qreal unit)
{
    qreal widest = metrics.horizontalAdvance(QStringLiteral("8888")); // a year under its label
    for (const TimeCount &count : statistics.overTime)
        widest = std::max(widest,
                          metrics.horizontalAdvance(timeCountLabel(count, statistics.step)));
    const int needed = int(std::ceil((widest + 6 * unit) / slot));
    if (statistics.step != JournalStatistics::Step::Month)
        return std::max(needed, 1);
    const std::array<int, 8> steps{1, 2, 3, 6, 12, 24, 60, 120};
    const auto fits = std::find_if(steps.begin(), steps.end(),
                                   [needed](int step) { return step >= needed; });
    // Beyond ten years, whole tens of years: labels stay on Januaries, evenly apart.
    return fits != steps.end() ? *fits : (needed + 119) / 120 * 120;
}

} // namespace

void paintOverTime(QPainter &painter, const QRectF &rect, const JournalStatistics &statistics,
                   const FigureStyle &style, int focused)
{
    painter.save();
    painter.setFont(style.font);
    const QFontMetricsF metrics(style.font, painter.device());
    const qreal line = metrics.height();
    const int bars = int(statistics.overTime.size());
    if (bars == 0) {
        painter.setPen(style.faint);
        painter.drawText(rect, Qt::AlignCenter, overTimeDescription(statistics));
        painter.restore();
        return;
    }
    int most = 1;
    for (const TimeCount &count : statistics.overTime)
        most = std::max(most, count.readings);
    const qreal top = rect.top() + line;
    const qreal base = rect.bottom() - 2 * line - 2 * style.unit;
    const qreal slot = rect.width() / bars;
    // Never thinner than a line: bars of a long period may run together, but never vanish.
    const qreal barWidth = slot < 4 * style.unit ? std::max(style.unit, slot)
                                                 : std::max(style.unit, slot * 0.7);
    const bool countsFit = slot
                           >= metrics.horizontalAdvance(QString::number(most)) + 2 * style.unit;

    for (int bar = 0; bar < bars; ++bar) {
        const int readings = statistics.overTime[bar].readings;
        const qreal centre = overTimeBarRect(rect, bars, bar).center().x();
        const qreal height = (base - top) * readings / most;
        painter.fillRect(QRectF(centre - barWidth / 2, base - height, barWidth, height), style.bar);
        if (countsFit) { // a week or month without readings told too, faintly, as a card's
            painter.setPen(readings > 0 ? style.text : style.faint);
            painter.drawText(QRectF(centre - slot / 2, base - height - line, slot, line),
                             Qt::AlignHCenter | Qt::AlignBottom, QString::number(readings));
        }
    }
    painter.setPen(QPen(style.faint, style.unit));
    painter.drawLine(QPointF(rect.left(), base), QPointF(rect.right(), base));
    if (!countsFit) {
        // Too narrow for a count on each bar: the tallest one's height is told instead.
        painter.setPen(QPen(style.faint, style.unit, Qt::DashLine));
        painter.drawLine(QPointF(rect.left(), top), QPointF(rect.right(), top));
        painter.setPen(style.text);
        painter.drawText(QRectF(rect.left(), rect.top(), rect.width(), line),
                         Qt::AlignRight | Qt::AlignBottom, readingsText(most));
    }

    const int every = labelEvery(statistics, metrics, slot, style.unit);
    const auto labelled = [&](int bar) {
        const QDate first = statistics.overTime[bar].first;
        if (statistics.step == JournalStatistics::Step::Week)
            return bar % every == 0;
        const int month = first.year() * 12 + first.month() - 1;
        return month % every == 0;
    };
    painter.setPen(style.text);
    paintTimeLabels(painter, rect, statistics, labelled, base + 2 * style.unit, line);

    if (focused >= 0 && focused < bars) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(style.focus, 2 * style.unit));
        painter.setBrush(Qt::NoBrush);
        // Around the bar and its count, above the axis: the labels below stay legible.
        QRectF around = overTimeBarRect(rect, bars, focused);
        around.setBottom(base + style.unit);
        painter.drawRect(around.adjusted(style.unit, style.unit, -style.unit, 0));
    }
    painter.restore();
}

qreal spreadsHeight(const JournalStatistics &statistics, const FigureStyle &style,
                    const QPaintDevice *device)
{
    return statistics.spreads.size() * std::ceil(QFontMetricsF(style.font, device).height() * 1.6);
}

QRectF spreadRowRect(const QRectF &rect, int rows, int row)
{
    const qreal height = rect.height() / std::max(rows, 1);
    return {rect.left(), rect.top() + row * height, rect.width(), height};
}

int spreadRowAt(const QRectF &rect, int rows, QPointF at)
{
    return rect.contains(at) ? sliceAt(rect.top(), rect.height(), rows, at.y()) : -1;
}

void paintSpreads(QPainter &painter, const QRectF &rect, const JournalStatistics &statistics,
                  const FigureStyle &style, int focused)
{
    painter.save();
    painter.setFont(style.font);
    const QFontMetricsF metrics(style.font, painter.device());
    const int rows = int(statistics.spreads.size());
    int most = 1;
    qreal names = 0;
    for (const SpreadCount &count : statistics.spreads) {
        most = std::max(most, count.readings);
        names = std::max(names, metrics.horizontalAdvance(count.name));
    }
    const qreal gap = 6 * style.unit;
    const qreal left = rect.left() + names + gap;
    const qreal room = rect.right() - left - metrics.horizontalAdvance(QString::number(most)) - gap;
    const qreal height = std::min(metrics.height(), spreadRowRect(rect, rows, 0).height() * 0.7);

    for (int row = 0; row < rows; ++row) {
        const SpreadCount &count = statistics.spreads[row];
        const QRectF place = spreadRowRect(rect, rows, row);
        painter.setPen(style.text);
        painter.drawText(QRectF(place.left(), place.top(), names, place.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, count.name);
        const qreal length = std::max(0.0, room) * count.readings / most;
        const QRectF bar(left, place.center().y() - height / 2, length, height);
        painter.fillRect(bar, style.bar);
        painter.drawText(
            QRectF(bar.right() + gap / 2, place.top(), rect.right() - bar.right(), place.height()),
            Qt::AlignLeft | Qt::AlignVCenter, QString::number(count.readings));
        if (row == focused) {
            painter.setPen(QPen(style.focus, 2 * style.unit));
            painter.drawRect(place.adjusted(style.unit, style.unit, -style.unit, -style.unit));
        }
    }
    painter.restore();
}

} // namespace Orvella
