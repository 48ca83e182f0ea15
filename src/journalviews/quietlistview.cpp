#include "quietlistview.h"

#include <QAccessible>

namespace Orvella {

void QuietListView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // QListView's own adds nothing to its base's but the telling.
    QAbstractItemView::currentChanged(current, previous);
    if (QAccessible::isActive() && current.isValid() && hasFocus()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(current.row()); // no row is ever hidden
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace Orvella
