#pragma once

class QWidget;

namespace Orvella {

/**
 * Leaves @p overlay out of what screen readers meet, with its parent speaking
 * for both: a card's number, drawn over the card, is heard as part of the
 * card, not as an item of its own.
 */
void speakThroughParent(QWidget *overlay);

} // namespace Orvella
