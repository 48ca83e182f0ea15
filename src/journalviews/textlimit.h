#pragma once

#include <QString>

class QPlainTextEdit;

namespace Orvella {

/**
 * Has @p edit take no more than @p most characters, as a line edit's maximum
 * length does: what is typed or pasted past it is left out, with a beep.
 * Text set by the program is left as it is.
 */
void limitLength(QPlainTextEdit *edit, qsizetype most);

/**
 * @p text for a tooltip: a name of pages cut short after a few lines' worth
 * (a tip wraps only between words: one long word still makes a wide tip).
 */
QString cutShortForTip(const QString &text);

} // namespace Orvella
