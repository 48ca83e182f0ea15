#include "journalfigure.h"

#include "journal/journalentry.h"
#include "presentation/cardlayout.h"
#include "presentation/readingfont.h"
#include "presentation/shownpicture.h"

#include <QPainter>

namespace Orvella {

namespace {

// The area the spreads' places cover on the result panel, in logical pixels:
// from the left column's and top row's corner to past the right and bottom cards.
constexpr QPoint FigureOrigin(2040 / CardLayout::TwipsPerPixel, 360 / CardLayout::TwipsPerPixel);
constexpr QSize
    FigureSize(3960 / CardLayout::TwipsPerPixel + CardLayout::CardSize.width() - FigureOrigin.x(),
               3000 / CardLayout::TwipsPerPixel + CardLayout::CardSize.height() - FigureOrigin.y());
constexpr int Margin = 8;
constexpr QPoint MiddlePlace = FigureOrigin
                               + QPoint((FigureSize.width() - CardLayout::CardSize.width()) / 2,
                                        (FigureSize.height() - CardLayout::CardSize.height()) / 2);

} // namespace

JournalFigure::JournalFigure(QWidget *parent) : QWidget(parent)
{
    setFixedSize(sizeHint());
}

QSize JournalFigure::sizeHint() const
{
    return FigureSize + QSize(2 * Margin, 2 * Margin);
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
    QPainter painter(this);
    QFont number = readingFont(CardLayout::NumberPointSize);
    number.setBold(true);
    painter.setFont(number);
    const qreal ratio = devicePixelRatioF();
    for (const ShownPosition &shown : std::as_const(m_shown)) {
        // The card of the day has no spread: its one card lies in the middle.
        const auto place = m_spread == CardOfTheDaySpread
                               ? std::optional<QPoint>(MiddlePlace)
                               : CardLayout::place(m_spread, shown.position);
        if (!place)
            continue;
        const QPoint at = *place - FigureOrigin + QPoint(Margin, Margin);
        painter.drawImage(at, shownPicture(shown, CardLayout::CardSize, ratio));
        painter.drawText(QRect(at, CardLayout::NumberSize), Qt::AlignLeft | Qt::AlignTop,
                         QString::number(shown.number()));
    }
}

} // namespace Orvella
