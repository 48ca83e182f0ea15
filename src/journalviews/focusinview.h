#pragma once

class QAbstractItemView;
class QScrollArea;

namespace Orvella {

/**
 * Scrolls @p area to whatever inside it takes the keyboard's focus: a control
 * reached by Tab is never out of sight. One clicked is left where it is.
 */
void keepFocusInView(QScrollArea &area);

/**
 * Scrolls @p area to the current cell of @p view, a view inside it shown
 * whole (so not scrolling itself), as the keys move through it.
 */
void keepCurrentInView(QScrollArea &area, QAbstractItemView &view);

} // namespace Orvella
