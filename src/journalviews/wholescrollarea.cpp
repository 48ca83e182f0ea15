#include "wholescrollarea.h"

#include <QEvent>
#include <QScrollBar>

#include <algorithm>

namespace Orvella {

QSize WholeScrollArea::sizeHint() const
{
    const int frame = 2 * frameWidth();
    return (widget() ? widget()->sizeHint() : QSize())
           + QSize(frame + verticalScrollBar()->sizeHint().width(), frame);
}

QSize WholeScrollArea::minimumSizeHint() const
{
    // Asked as it is laid out, once its style and the fonts of what it holds are known.
    QSize least = QScrollArea::minimumSizeHint();
    if (widget()) {
        const int frame = 2 * frameWidth();
        least.setWidth(std::max(least.width(), widget()->minimumSizeHint().width() + frame
                                                   + verticalScrollBar()->sizeHint().width()));
    }
    return least;
}

bool WholeScrollArea::eventFilter(QObject *watched, QEvent *event)
{
    // What it holds laid out anew (its style, its fonts, a longer text): the
    // layout around is told, or it keeps the least width it first heard.
    if (watched == widget() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}

} // namespace Orvella
