#include "focusinview.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QScrollArea>

namespace Orvella {

void keepFocusInView(QScrollArea &area)
{
    QObject::connect(qApp, &QApplication::focusChanged, &area, [&area](QWidget *, QWidget *now) {
        // Focus a click gave stays where it was: the page scrolled under the
        // mouse would take the release to another place than the press.
        if (QGuiApplication::mouseButtons() != Qt::NoButton)
            return;
        if (now && area.widget() && area.widget()->isAncestorOf(now))
            area.ensureWidgetVisible(now);
    });
}

void keepCurrentInView(QScrollArea &area, QAbstractItemView &view)
{
    QObject::connect(view.selectionModel(), &QItemSelectionModel::currentChanged, &area,
                     [&area, &view](const QModelIndex &current) {
                         if (!area.widget() || !view.hasFocus())
                             return;
                         const QRect cell = view.visualRect(current);
                         const QPoint centre = view.viewport()->mapTo(area.widget(), cell.center());
                         area.ensureVisible(centre.x(), centre.y(), cell.width() / 2,
                                            cell.height());
                     });
}

} // namespace Orvella
