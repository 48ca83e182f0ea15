#pragma once

#include <QList>
#include <QtGlobal>

namespace Orvella {

/** One laid-out line of a text, from its top to its bottom, on one continuous column. */
struct TextLine
{
    qreal top = 0;
    qreal bottom = 0;
    /** The line belongs to a heading, which must not end a page. */
    bool heading = false;
    /** An empty line: it neither ends nor starts a page. */
    bool blank = false;
};

/** The stretch of the column one page shows: from @c top to @c bottom. */
struct PageSlice
{
    qreal top = 0;
    qreal bottom = 0;

    bool operator==(const PageSlice &) const = default;
};

/**
 * Cuts a column of @p lines (in order, top to bottom) into pages: the first
 * holds @p firstHeight, every later one @p laterHeight. Pages break between
 * lines, never through one; a heading is carried over to the next page
 * rather than left alone at a page's foot, and no page after the first
 * starts with empty lines. When not even the first line fits on the first
 * page, that page shows none; a line taller than a whole page gets a page
 * of its own.
 */
QList<PageSlice> breakIntoPages(const QList<TextLine> &lines, qreal firstHeight, qreal laterHeight);

} // namespace Orvella
