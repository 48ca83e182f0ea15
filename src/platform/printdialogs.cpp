#include "printdialogs.h"

#include "product/buildconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>

namespace Orvella {

PrintDialogs *loadPrintDialogs()
{
    // Beside the program in the build tree; where the install put it otherwise.
    const QDir program(QCoreApplication::applicationDirPath());
    for (const QString &folder :
         {program.filePath(QLatin1String(BuildConfig::PluginFolder)), program.path()}) {
        QPluginLoader loader(QDir(folder).filePath(QStringLiteral("orvella-print-dialogs")));
        if (auto *dialogs = qobject_cast<PrintDialogs *>(loader.instance()))
            return dialogs;
    }
    return nullptr;
}

} // namespace Orvella
