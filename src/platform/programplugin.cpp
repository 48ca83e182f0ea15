#include "programplugin.h"

#include "product/buildconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>

namespace Orvella {

QObject *loadProgramPlugin(const QString &name)
{
    const QDir program(QCoreApplication::applicationDirPath());
    for (const QString &folder :
         {program.filePath(QLatin1String(BuildConfig::PluginFolder)), program.path(),
          QString::fromUtf8(BuildConfig::BuildPluginFolder)}) {
        QPluginLoader loader(QDir(folder).filePath(name));
        if (QObject *plugin = loader.instance())
            return plugin;
    }
    return nullptr;
}

} // namespace Orvella
