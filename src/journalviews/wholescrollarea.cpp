#include "wholescrollarea.h"

#include <QScrollBar>

namespace Orvella {

QSize WholeScrollArea::sizeHint() const
{
    const int frame = 2 * frameWidth();
    return (widget() ? widget()->sizeHint() : QSize())
           + QSize(frame + verticalScrollBar()->sizeHint().width(), frame);
}

} // namespace Orvella
