#pragma once

#include <QString>

class QObject;

namespace Orvella {

/**
 * The program's own plugin called @p name (the print dialogs, the journal's
 * store), loaded the first time it is asked for: beside the program in the
 * build tree, where the install put it otherwise. Null when it cannot be loaded.
 */
QObject *loadProgramPlugin(const QString &name);

} // namespace Orvella
