#pragma once

#include <QScrollArea>

namespace Orvella {

/**
 * A scroll area that asks for room for all it holds, not the 24 lines a
 * scroll area otherwise caps its wish at: a window opens with its content
 * whole, and scrolls it only when made smaller, and only up and down: it is
 * never narrower than what it holds beside its scroll bar.
 */
class WholeScrollArea : public QScrollArea
{
    Q_OBJECT

public:
    using QScrollArea::QScrollArea;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace Orvella
