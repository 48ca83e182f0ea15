#pragma once

#include <QUrl>

namespace Orvella {

class Platform;

/** Opens a web address in the user's browser; anything but http and https is ignored. */
void ShellOpen(Platform &platform, const QUrl &address);

void OpenOnlineHelp(Platform &platform);
void OpenDownloadPage(Platform &platform);
void OpenMakerHome(Platform &platform);
void OpenSoftwareSite(Platform &platform);
void OpenDonatePage(Platform &platform);
void OpenCoBrandPage(Platform &platform);
void OpenFullBrandPage(Platform &platform);

} // namespace Orvella
