#pragma once

#include <QtGlobal>

class QPlainTextEdit;

namespace Orvella {

/**
 * Has @p edit take no more than @p most characters, as a line edit's maximum
 * length does: what is typed or pasted past it is left out, with a beep.
 * Text set by the program is left as it is.
 */
void limitLength(QPlainTextEdit *edit, qsizetype most);

} // namespace Orvella
