#pragma once

#include "product/buildconfig.h"

#include <QString>

/** The product's name and version: every window, box, page and file takes them from here. */
namespace Orvella::Product {

/** The name every message box carries as its title. */
inline QString name()
{
    return QLatin1String(BuildConfig::ProductName);
}
/** Its name on disk: the program's file and the user's data folder. */
inline QString id()
{
    return QLatin1String(BuildConfig::ProgramId);
}
/** A window's title about @p subject: "<subject> - <name>", or the name alone. */
inline QString titled(const QString &subject)
{
    return subject.isEmpty() ? name() : subject + QStringLiteral(" - ") + name();
}
/** The project's version, as the build gives it. */
inline QString version()
{
    return QLatin1String(BuildConfig::Version);
}
/** The caption of the program's own windows: "<name> v<version>". */
inline QString windowCaption()
{
    return name() + QStringLiteral(" v") + version();
}

} // namespace Orvella::Product
