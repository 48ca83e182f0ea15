#pragma once

#include <QString>

class QObject;

namespace Orvella {

/**
 * The program's own plugin called @p name (the print dialogs, the journal's
 * store), loaded the first time it is asked for: where the install put it,
 * beside the program, or where the build made it (for programs run from the
 * build tree, such as the benchmarks). Null when it cannot be loaded.
 */
QObject *loadProgramPlugin(const QString &name);

} // namespace Orvella
