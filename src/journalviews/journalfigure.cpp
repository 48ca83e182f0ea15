#include "journalfigure.h"

#include "journal/journalentry.h"
#include "presentation/cardlayout.h"
#include "presentation/readingfont.h"
#include "presentation/shownpicture.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

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
    QStringList heard;
    for (const ShownPosition &shown : std::as_const(m_shown))
        heard << shown.accessibleName;
    setAccessibleName(heard.isEmpty() ? QStringLiteral("No cards")
                                      : heard.join(QStringLiteral("; ")));
    update();
}

void JournalFigure::paintEvent(QPaintEvent *)
{
    // Pictures are made at the size they are drawn: a larger figure stays sharp.
    const QSize natural = sizeHint();
    const qreal scale = std::max(1.0, std::min(qreal(width()) / natural.width(),
                                               qreal(height()) / natural.height()));
    const QSize card = CardLayout::CardSize * scale;
    const QPointF corner((width() - natural.width() * scale) / 2,
                         (height() - natural.height() * scale) / 2);
    QPainter painter(this);
    QFont number = readingFont(CardLayout::NumberPointSize);
    // Sized as the picture is, in pixels: a larger system font would overflow its box.
    number.setPixelSize(int(std::lround(CardLayout::NumberPointSize * 96 / 72 * scale)));
    number.setBold(true);
    painter.setFont(number);
    const qreal ratio = devicePixelRatioF();
    const QRect bounds = CardLayout::figureBounds();
    // The card of the day has no spread: its one card lies in the middle.
    const QPoint middle = bounds.topLeft()
                          + QPoint((bounds.width() - CardLayout::CardSize.width()) / 2,
                                   (bounds.height() - CardLayout::CardSize.height()) / 2);
    for (const ShownPosition &shown : std::as_const(m_shown)) {
        const auto place = m_spread == CardOfTheDaySpread
                               ? std::optional<QPoint>(middle)
                               : CardLayout::place(m_spread, shown.position);
        if (!place)
            continue;
        const QPointF offset = *place - bounds.topLeft() + QPoint(Margin, Margin);
        const QPoint at = (corner + offset * scale).toPoint();
        painter.drawImage(at, shownPicture(shown, card, ratio));
        // On its own ground over the card's corner, as in the main window: on the
        // picture itself a dark banner would swallow it.
        const QRect box(at, CardLayout::NumberSize * scale);
        painter.fillRect(box, palette().window());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, QString::number(shown.number()));
    }
}

} // namespace Orvella
