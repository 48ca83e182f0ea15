#include "statisticsfigurewidgets.h"

#include "statisticsfigures.h"
#include "statisticstexts.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace Orvella {

namespace {

// Room around a figure for the frame of the item the keyboard is on.
constexpr int Margin = 4;

} // namespace

StatisticsFigure::StatisticsFigure(const QString &title, QWidget *parent)
    : QWidget(parent), m_title(title)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(title);
}

void StatisticsFigure::setStatistics(const JournalStatistics &statistics)
{
    m_statistics = statistics;
    m_current = std::clamp(m_current, 0, std::max(itemCount() - 1, 0));
    setAccessibleDescription(description());
    setCurrent(m_current);
    updateGeometry();
    update();
}

QRectF StatisticsFigure::figureRect() const
{
    return QRectF(rect()).adjusted(Margin, Margin, -Margin, -Margin);
}

int StatisticsFigure::moved(int item, int key) const
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        return item - 1;
    case Qt::Key_Right:
    case Qt::Key_Down:
        return item + 1;
    default:
        return -1;
    }
}

void StatisticsFigure::setCurrent(int item)
{
    m_current = item;
    setAccessibleName(itemCount() > 0 ? m_title + QStringLiteral(", ") + itemText(item) : m_title);
    update();
}

bool StatisticsFigure::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int item = itemAt(help->pos());
        if (item >= 0)
            QToolTip::showText(help->globalPos(), itemText(item), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void StatisticsFigure::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintFigure(painter, screenFigureStyle(*this), hasFocus() ? m_current : -1);
}

void StatisticsFigure::mousePressEvent(QMouseEvent *event)
{
    m_pressed = itemAt(event->position());
    if (m_pressed >= 0)
        setCurrent(m_pressed);
}

void StatisticsFigure::mouseReleaseEvent(QMouseEvent *event)
{
    const int item = itemAt(event->position());
    if (event->button() == Qt::LeftButton && item >= 0 && item == m_pressed)
        emit chosen(item);
    m_pressed = -1;
}

void StatisticsFigure::keyPressEvent(QKeyEvent *event)
{
    const int count = itemCount();
    if (count > 0) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            emit chosen(m_current);
            return;
        case Qt::Key_Home:
            setCurrent(0);
            return;
        case Qt::Key_End:
            setCurrent(count - 1);
            return;
        default:
            break;
        }
        const int to = moved(m_current, event->key());
        if (to >= 0 && to < count) {
            setCurrent(to);
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void StatisticsFigure::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void StatisticsFigure::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

DeckGridFigure::DeckGridFigure(QWidget *parent)
    : StatisticsFigure(statisticsHeading(StatisticsPart::Deck), parent)
{
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QSize DeckGridFigure::sizeHint() const
{
    return deckGridSize(screenFigureStyle(*this), this).toSize() + QSize(2 * Margin, 2 * Margin);
}

QSize DeckGridFigure::minimumSizeHint() const
{
    // As narrow as the fewest columns; as low as the most, the layout asking
    // heightForWidth() for the rows the width given takes.
    const int narrowest = int(std::ceil(
        deckGridSize(screenFigureStyle(*this), this, DeckGridLeastColumns).width()));
    return {narrowest + 2 * Margin, sizeHint().height()};
}

int DeckGridFigure::heightForWidth(int width) const
{
    const FigureStyle style = screenFigureStyle(*this);
    const int columns = deckGridColumnsFor(width - 2 * Margin, style, this);
    return int(std::ceil(
               deckGridSize(grown(style, width - 2 * Margin, columns), this, columns).height()))
           + 2 * Margin;
}

FigureStyle DeckGridFigure::grown(FigureStyle style, qreal width, int columns)
{
    // The pictures grow with their cells, up to 1.75 times their size: cells
    // far wider than their pictures would leave the cards small in a wide window.
    // In steps of four, so a window being resized redraws them at few sizes.
    const qreal cell = width / columns;
    const qreal stepped = 4 * std::floor(cell * 0.6 / 4);
    style.cardWidth = std::clamp(stepped, style.cardWidth, 1.75 * style.cardWidth);
    return style;
}

int DeckGridFigure::columns() const
{
    return deckGridColumnsFor(figureRect().width(), screenFigureStyle(*this), this);
}

int DeckGridFigure::itemCount() const
{
    return int(statistics().perCard.size());
}

int DeckGridFigure::itemAt(QPointF at) const
{
    const int card = deckGridCardAt(figureRect(), at, columns());
    return card < itemCount() ? card : -1;
}

QString DeckGridFigure::itemText(int item) const
{
    return cardHeardText(statistics().perCard.value(item));
}

QString DeckGridFigure::description() const
{
    return deckDescription(statistics());
}

int DeckGridFigure::moved(int item, int key) const
{
    if (key == Qt::Key_Up)
        return item - columns();
    if (key == Qt::Key_Down)
        return item + columns();
    return StatisticsFigure::moved(item, key);
}

void DeckGridFigure::paintFigure(QPainter &painter, const FigureStyle &style, int focused)
{
    const qreal ratio = devicePixelRatioF();
    const int columns = this->columns();
    paintDeckGrid(
        painter, figureRect(), statistics(), grown(style, figureRect().width(), columns),
        [this, ratio](int card, QSize size) { return m_thumbnails.picture(card, size, ratio); },
        focused, columns);
}

OverTimeFigure::OverTimeFigure(QWidget *parent)
    : StatisticsFigure(statisticsHeading(StatisticsPart::OverTime), parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize OverTimeFigure::sizeHint() const
{
    return {560, fontMetrics().height() * 10 + 2 * Margin};
}

QSize OverTimeFigure::minimumSizeHint() const
{
    return {240, sizeHint().height()};
}

int OverTimeFigure::itemCount() const
{
    return int(statistics().overTime.size());
}

int OverTimeFigure::itemAt(QPointF at) const
{
    return overTimeBarAt(figureRect(), itemCount(), at);
}

QString OverTimeFigure::itemText(int item) const
{
    return timeCountText(statistics().overTime.value(item), statistics().step);
}

QString OverTimeFigure::description() const
{
    return overTimeDescription(statistics());
}

void OverTimeFigure::paintFigure(QPainter &painter, const FigureStyle &style, int focused)
{
    paintOverTime(painter, figureRect(), statistics(), style, focused);
}

SpreadsFigure::SpreadsFigure(QWidget *parent)
    : StatisticsFigure(statisticsHeading(StatisticsPart::Spreads), parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize SpreadsFigure::sizeHint() const
{
    const qreal height = spreadsHeight(statistics(), screenFigureStyle(*this), this);
    return {480, int(std::ceil(height)) + 2 * Margin};
}

QSize SpreadsFigure::minimumSizeHint() const
{
    return {240, sizeHint().height()};
}

int SpreadsFigure::itemCount() const
{
    return int(statistics().spreads.size());
}

int SpreadsFigure::itemAt(QPointF at) const
{
    return spreadRowAt(figureRect(), itemCount(), at);
}

QString SpreadsFigure::itemText(int item) const
{
    return spreadCountText(statistics().spreads.value(item));
}

QString SpreadsFigure::description() const
{
    return spreadsDescription(statistics());
}

void SpreadsFigure::paintFigure(QPainter &painter, const FigureStyle &style, int focused)
{
    paintSpreads(painter, figureRect(), statistics(), style, focused);
}

} // namespace Orvella
