#pragma once

#include "cardthumbnails.h"

#include <QFont>
#include <QStyledItemDelegate>

namespace Orvella {

struct JournalCardMark;
struct JournalSummary;

/**
 * Paints one reading of a journal list: its date and time, name and spread,
 * a mark when it has notes, and its cards as small pictures (turned when
 * reversed), each with its name under it.
 */
class JournalRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    /** A card's small picture, in logical pixels. */
    static constexpr QSize ThumbnailSize{24, 36};

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    /** How a row's width is shared: the texts' column, then one slot per card. */
    struct Columns
    {
        int text;
        int slot;
    };
    /** The shares of a row @p width wide, in @p font, of @p cards cards. */
    Columns columns(const QFont &font, int width, qsizetype cards) const;
    /** Measures the texts and names a row may hold in @p font, unless it was. */
    void measure(const QFont &font) const;
    /** The time, the name (or file) and the spread, a line each, in @p area. */
    void paintTexts(QPainter &painter, const QRect &area, const QFont &font,
                    const JournalSummary &reading, bool overdue) const;
    /** The cards' small pictures from @p at rightwards, @p slot apart, each with its name under it.
     */
    void paintCards(QPainter &painter, QPoint at, int slot, const QFont &font,
                    const QList<JournalCardMark> &cards) const;
    mutable CardThumbnails m_thumbnails;
    // Measured in the font last asked for.
    mutable bool m_measured = false;
    mutable QFont m_measuredFont;
    mutable int m_leastText = 0; // the texts' column, its time whole
    mutable int m_wholeText = 0; // ... and a spread's line with all its marks
    mutable int m_wholeSlot = 0; // a card's slot, its name whole
};

} // namespace Orvella
