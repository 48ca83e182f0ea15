#include "linkcommands.h"

#include "platform/platform.h"
#include "product/webaddresses.h"

namespace Orvella {

void ShellOpen(Platform &platform, const QUrl &address)
{
    if (WebAddresses::isWebAddress(address))
        platform.openUrl(address);
}

void OpenOnlineHelp(Platform &platform)
{
    ShellOpen(platform, WebAddresses::onlineHelp());
}

void OpenDownloadPage(Platform &platform)
{
    ShellOpen(platform, WebAddresses::downloadPage());
}

void OpenMakerHome(Platform &platform)
{
    ShellOpen(platform, WebAddresses::makerHome());
}

void OpenSoftwareSite(Platform &platform)
{
    ShellOpen(platform, WebAddresses::softwareSite());
}

void OpenDonatePage(Platform &platform)
{
    ShellOpen(platform, WebAddresses::donatePage());
}

void OpenCoBrandPage(Platform &platform)
{
    ShellOpen(platform, WebAddresses::coBrandPage());
}

void OpenFullBrandPage(Platform &platform)
{
    ShellOpen(platform, WebAddresses::fullBrandPage());
}

} // namespace Orvella
