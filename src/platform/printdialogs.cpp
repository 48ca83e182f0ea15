#include "printdialogs.h"

#include "programplugin.h"

namespace Orvella {

PrintDialogs *loadPrintDialogs()
{
    return qobject_cast<PrintDialogs *>(loadProgramPlugin(QStringLiteral("orvella-print-dialogs")));
}

} // namespace Orvella
