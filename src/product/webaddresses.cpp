#include "webaddresses.h"

#include "product/buildconfig.h"

namespace Orvella::WebAddresses {

namespace {

QUrl address(const QString &host, const QString &path = QString())
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(host);
    url.setPath(path);
    return url;
}

// The main site is named by its bare domain only for its home page; every
// other page of it carries the usual "www." prefix.
QString mainHostWithWww()
{
    return QStringLiteral("www.") + QLatin1String(BuildConfig::MainHost);
}

} // namespace

QUrl onlineHelp()
{
    return address(QLatin1String(BuildConfig::SoftwareHost),
                   QStringLiteral("/orvella-free-medicine-cards-help.html"));
}

QUrl downloadPage()
{
    return address(QLatin1String(BuildConfig::SoftwareHost),
                   QStringLiteral("/download-orvella-free-medicine-cards.html"));
}

QUrl ownSite()
{
    return address(QLatin1String(BuildConfig::SoftwareHost), QStringLiteral("/"));
}

QUrl referFriendPage()
{
    return address(mainHostWithWww(), QStringLiteral("/orvs-refer-a-friend.php"));
}

QUrl makerHome()
{
    return address(QLatin1String(BuildConfig::MainHost));
}

QUrl softwareSite()
{
    return address(mainHostWithWww(), QStringLiteral("/orvellasoftwares"));
}

QUrl donatePage()
{
    return address(QLatin1String(BuildConfig::HelpHost), QStringLiteral("/donate.html"));
}

QUrl coBrandPage()
{
    return address(QLatin1String(BuildConfig::HelpHost), QStringLiteral("/co-brand.html"));
}

QUrl fullBrandPage()
{
    return address(QLatin1String(BuildConfig::HelpHost), QStringLiteral("/fully-branded.html"));
}

QUrl forum()
{
    return QUrl(QLatin1String(BuildConfig::ForumUrl), QUrl::StrictMode);
}

bool isWebAddress(const QUrl &url)
{
    const QString scheme = url.scheme();
    return url.isValid() && !url.host().isEmpty()
           && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

} // namespace Orvella::WebAddresses
