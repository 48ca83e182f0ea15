#pragma once

#include <functional>

class QCursor;
class QLabel;
class QWidget;

namespace Orvella {

/** The 32 x 32 pointer shown over every clickable label. */
const QCursor &linkCursor();

/** Makes @p label act on one left click and show the link cursor while hovered. */
void makeLinkLabel(QLabel *label, std::function<void()> onClick);

/**
 * Makes @p widget act on one left click: a press and a release over it, as a
 * push button takes them.
 */
void makeClickable(QWidget *widget, std::function<void()> onClick);

/** Does what a click on @p widget, made clickable, does; false when it is not clickable. */
bool click(QWidget *widget);

} // namespace Orvella
