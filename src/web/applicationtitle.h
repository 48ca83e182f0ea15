#pragma once

#include <QString>

namespace Orvella {

/** The title every message box carries. */
inline QString applicationTitle() { return QStringLiteral("Orvella Medicine Cards"); }
/** The caption of the program's windows. */
inline QString windowCaption() { return QStringLiteral("Orvella Medicine Cards v1.0"); }

} // namespace Orvella
