#pragma once

#include <functional>

class QCursor;
class QLabel;

namespace Orvella {

/** The 32 x 32 pointer shown over every clickable label. */
const QCursor &linkCursor();

/** Makes @p label act on one left click and show the link cursor while hovered. */
void makeLinkLabel(QLabel *label, std::function<void()> onClick);

} // namespace Orvella
