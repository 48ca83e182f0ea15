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
