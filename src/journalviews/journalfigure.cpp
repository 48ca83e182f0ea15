#include "journalfigure.h"

#include "journal/journalentry.h"
#include "presentation/cardlayout.h"
#include "presentation/readingfont.h"
#include "presentation/shownpicture.h"
#include "textlimit.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextDocument>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <utility>

namespace Orvella {

namespace {

constexpr int Margin = 8;

} // namespace

JournalFigure::JournalFigure(QWidget *parent) : QWidget(parent)
{
    // The main window's size at least; larger, in the same proportions, when there is room.
    setMinimumSize(sizeHint());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize JournalFigure::sizeHint() const
{
    return CardLayout::figureBounds().size() + QSize(2 * Margin, 2 * Margin);
}

void JournalFigure::showReading(const JournalEntry &entry)
{
    m_spread = qint16(entry.spread);
    m_shown = shownPositions(readingOf(entry));
    m_pressed = -1;
    QStringList heard;
    for (const ShownPosition &shown : std::as_const(m_shown))
        heard << shown.accessibleName;
    setAccessibleName(heard.isEmpty() ? QStringLiteral("No cards")
                                      : heard.join(QStringLiteral("; ")));
    update();
}

qreal JournalFigure::scale() const
{
    const QSize natural = sizeHint();
    return std::max(1.0,
                    std::min(qreal(width()) / natural.width(), qreal(height()) / natural.height()));
}

QRect JournalFigure::cardRect(int index) const
{
    const QSize natural = sizeHint();
    const qreal k = scale();
    const QPointF corner((width() - natural.width() * k) / 2,
                         (height() - natural.height() * k) / 2);
    const QRect bounds = CardLayout::figureBounds();
    // The card of the day has no spread: its one card lies in the middle.
    const QPoint middle = bounds.topLeft()
                          + QPoint((bounds.width() - CardLayout::CardSize.width()) / 2,
                                   (bounds.height() - CardLayout::CardSize.height()) / 2);
    const auto place = m_spread == CardOfTheDaySpread
                           ? std::optional<QPoint>(middle)
                           : CardLayout::place(m_spread, m_shown[index].position);
    if (!place)
        return {};
    const QPointF offset = *place - bounds.topLeft() + QPoint(Margin, Margin);
    return QRect((corner + offset * k).toPoint(), CardLayout::CardSize * k);
}

int JournalFigure::cardAt(const QPoint &point) const
{
    for (int index = 0; index < m_shown.size(); ++index) {
        if (cardRect(index).contains(point))
            return index;
    }
    return -1;
}

bool JournalFigure::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        if (const int index = cardAt(help->pos()); index >= 0) {
            // On one line; as written, whatever markup an imported position's title holds.
            const QString tip = cutShortForTip(m_shown[index].accessibleName);
            QToolTip::showText(help->globalPos(),
                               Qt::mightBeRichText(tip)
                                   ? QStringLiteral("<p>") + tip.toHtmlEscaped()
                                         + QStringLiteral("</p>")
                                   : tip,
                               this, cardRect(index));
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

void JournalFigure::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = cardAt(event->position().toPoint());
    QWidget::mousePressEvent(event);
}

void JournalFigure::mouseReleaseEvent(QMouseEvent *event)
{
    // A click: pressed and let go on the same card.
    if (event->button() == Qt::LeftButton) {
        const int index = std::exchange(m_pressed, -1);
        if (index >= 0 && cardAt(event->position().toPoint()) == index)
            emit cardChosen(m_shown, index);
    }
    QWidget::mouseReleaseEvent(event);
}

void JournalFigure::paintEvent(QPaintEvent *)
{
    // Pictures are made at the size they are drawn: a larger figure stays sharp.
    const qreal k = scale();
    const QSize card = CardLayout::CardSize * k;
    QPainter painter(this);
    QFont number = readingFont(CardLayout::NumberPointSize);
    // Sized as the picture is, in pixels: a larger system font would overflow its box.
    number.setPixelSize(int(std::lround(CardLayout::NumberPointSize * 96 / 72 * k)));
    number.setBold(true);
    painter.setFont(number);
    const qreal ratio = devicePixelRatioF();
    for (int index = 0; index < m_shown.size(); ++index) {
        const QRect place = cardRect(index);
        if (place.isEmpty())
            continue;
        const ShownPosition &shown = m_shown[index];
        painter.drawImage(place.topLeft(), shownPicture(shown, card, ratio));
        // On its own ground over the card's corner, as in the main window: on the
        // picture itself a dark banner would swallow it.
        const QRect box(place.topLeft(), CardLayout::NumberSize * k);
        painter.fillRect(box, palette().window());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, QString::number(shown.number()));
    }
}

} // namespace Orvella
