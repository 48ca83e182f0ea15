#pragma once

#include "cardthumbnails.h"

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
    /** The time, the name (or file) and the spread, a line each, in @p area. */
    void paintTexts(QPainter &painter, const QRect &area, const QFont &font,
                    const JournalSummary &reading, bool overdue) const;
    /** The cards' small pictures from @p at rightwards, each with its name under it. */
    void paintCards(QPainter &painter, QPoint at, const QFont &font,
                    const QList<JournalCardMark> &cards) const;
    mutable CardThumbnails m_thumbnails;
};

} // namespace Orvella
