#pragma once

#include <QCoreApplication>
#include <QEnterEvent>
#include <QWidget>

namespace Orvella::Test {

/** The mouse pointer entering @p widget, as the window system reports it. */
inline void pointAt(QWidget *widget)
{
    const QPointF centre = QRectF(widget->rect()).center();
    QEnterEvent enter(centre, widget->mapToGlobal(centre), widget->mapToGlobal(centre));
    QCoreApplication::sendEvent(widget, &enter);
}

} // namespace Orvella::Test
