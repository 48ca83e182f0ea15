#include "journalrowdelegate.h"

#include "journal/journalentry.h"
#include "journal/journaltexts.h"
#include "journallistmodel.h"
#include "oracle/carddeck.h"
#include "presentation/cardlayout.h"
#include "presentation/readingfont.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace Orvella {

namespace {

constexpr int Padding = 4;
constexpr int TextWidth = 230;
// The least room of a card in a row: its picture, its name cut short.
constexpr int LeastSlot = JournalRowDelegate::ThumbnailSize.width() + 2 * Padding;

// Under a small picture the deck's "The" says nothing: "Bat", "Mountain Lion".
QString shortCardName(int card)
{
    QString name = CardDeck::cardName(card);
    if (name.startsWith(QLatin1String("The ")))
        name.remove(0, 4);
    return name;
}

} // namespace

void JournalRowDelegate::measure(const QFont &font) const
{
    if (m_measured && m_measuredFont == font)
        return;
    m_measured = true;
    m_measuredFont = font;
    // The texts' column as designed, or wider where the font is larger than
    // the design's, so the longest time of any month shows whole in bold.
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    m_leastText = TextWidth;
    for (int month = 1; month <= 12; ++month) {
        const QDateTime time(QDate(2000, month, 28), QTime(23, 59));
        m_leastText = std::max(m_leastText,
                               boldMetrics.horizontalAdvance(dayAndTimeText(time)) + 2 * Padding);
    }
    // Room to spare goes first to the cards' names, then to a spread line with
    // all its marks: cut short, a line keeps its marks and loses only the
    // end of a spread's name, which its cards tell all the same.
    const QFontMetrics metrics(font);
    m_wholeText = m_leastText;
    for (const JournalSpread &spread : journalSpreads()) {
        const QString line = spread.name + QStringLiteral("  \u2022 question  \u2022 outcome");
        m_wholeText = std::max(m_wholeText, metrics.horizontalAdvance(line) + 2 * Padding);
    }
    const QFontMetrics small(smallerFont(font));
    m_wholeSlot = LeastSlot;
    for (int card = 0; card < CardDeck::CardCount; ++card)
        m_wholeSlot = std::max(m_wholeSlot, small.horizontalAdvance(shortCardName(card)) + 4);
}

JournalRowDelegate::Columns JournalRowDelegate::columns(const QFont &font, int width,
                                                       qsizetype cards) const
{
    measure(font);
    const int spare = width - m_leastText - CardLayout::SlotCount * m_wholeSlot;
    if (spare >= 0)
        return {m_leastText + std::min(spare, m_wholeText - m_leastText), m_wholeSlot};
    // Narrow, the cards close up rather than run out of sight; a spread of
    // fewer cards spreads them over the room the most would take.
    const int room = width - m_leastText;
    const int closed = std::max(LeastSlot, room / int(CardLayout::SlotCount));
    return {m_leastText,
            std::clamp(room / int(std::max<qsizetype>(cards, 1)), closed, m_wholeSlot)};
}

QSize JournalRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    measure(option.font);
    const QFontMetrics metrics(option.font);
    return {m_leastText + CardLayout::SlotCount * LeastSlot + 2 * Padding,
            ThumbnailSize.height() + metrics.height() + 3 * Padding};
}

void JournalRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    // The style draws the row's ground, selection and focus; the rest is ours.
    QStyleOptionViewItem ground = option;
    initStyleOption(&ground, index);
    ground.text.clear();
    const QWidget *view = option.widget;
    const bool selected = option.state & QStyle::State_Selected;
    if (selected && view && !view->hasFocus()) {
        // Selected, but the keys go elsewhere: a paler selection, so the list's focus shows.
        const QColor highlight = option.palette.color(QPalette::Highlight);
        const QColor base = option.palette.color(QPalette::Base);
        ground.palette.setColor(QPalette::Highlight,
                                QColor::fromRgbF(0.35f * highlight.redF() + 0.65f * base.redF(),
                                                 0.35f * highlight.greenF() + 0.65f * base.greenF(),
                                                 0.35f * highlight.blueF() + 0.65f * base.blueF()));
        ground.palette.setColor(QPalette::HighlightedText, option.palette.color(QPalette::Text));
    }
    QStyle *style = view ? view->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &ground, painter, view);

    const auto *reading = index.data(JournalListModel::SummaryRole).value<const JournalSummary *>();
    const auto *model = qobject_cast<const JournalListModel *>(index.model());
    if (!reading || !model)
        return;
    painter->save();
    painter->setPen(ground.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect area = option.rect.adjusted(Padding, Padding, -Padding, -Padding);
    const Columns room = columns(option.font, area.width(), reading->cards.size());
    paintTexts(*painter, QRect(area.topLeft(), QSize(room.text - 2 * Padding, area.height())),
               option.font, *reading, model->isOverdue(*reading));
    paintCards(*painter, area.topLeft() + QPoint(room.text, 0), room.slot, option.font,
               reading->cards);
    painter->restore();
}

void JournalRowDelegate::paintTexts(QPainter &painter, const QRect &area, const QFont &font,
                                    const JournalSummary &reading, bool overdue) const
{
    const QFontMetrics metrics(font);
    QFont bold = font;
    bold.setBold(true);
    painter.setFont(bold);
    QRect line(area.topLeft(), QSize(area.width(), metrics.height()));
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                     dayAndTimeText(reading.time));
    painter.setFont(font);
    // The marks whole, where the room is short: the name or the spread is cut
    // instead, and set apart from them, whichever way it is written.
    const auto marked = [&](const QString &text, const QString &marks) {
        const int room = std::max(0, line.width() - metrics.horizontalAdvance(marks));
        return isolated(metrics.elidedText(text, Qt::ElideRight, room)) + marks;
    };
    const QString name = JournalListModel::shownName(reading);
    const QString who = name.isEmpty()
        ? (overdue ? QStringLiteral("\u2022 how did it turn out?") : QString())
        : marked(name, overdue ? QStringLiteral("  \u2022 how did it turn out?") : QString());
    QString marks;
    if (reading.written == JournalSummary::Written::Notes)
        marks += QStringLiteral("  \u2022 notes");
    else if (reading.written == JournalSummary::Written::Question)
        marks += QStringLiteral("  \u2022 question");
    if (reading.hasOutcome)
        marks += QStringLiteral("  \u2022 outcome");
    const QString spread = marked(reading.spreadName, marks);
    // Without a name (a card of the day), the spread right under the time.
    const QStringList lines = who.isEmpty() ? QStringList{spread} : QStringList{who, spread};
    for (const QString &text : lines) {
        line.translate(0, metrics.height());
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(text, Qt::ElideRight, line.width()));
    }
}

void JournalRowDelegate::paintCards(QPainter &painter, QPoint at, int slot, const QFont &font,
                                    const QList<JournalCardMark> &cards) const
{
    const QFont small = smallerFont(font);
    painter.setFont(small);
    const QFontMetrics smallMetrics(small);
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    for (const JournalCardMark &card : cards) {
        painter.drawPixmap(at + QPoint((slot - ThumbnailSize.width()) / 2, 0),
                           m_thumbnails.picture(card.card, ThumbnailSize, ratio, card.reversed));
        const QRect under(at.x(), at.y() + ThumbnailSize.height(), slot - 2, smallMetrics.height());
        painter.drawText(
            under, Qt::AlignHCenter | Qt::AlignTop,
            smallMetrics.elidedText(shortCardName(card.card), Qt::ElideRight, under.width()));
        at.rx() += slot;
    }
}

} // namespace Orvella
