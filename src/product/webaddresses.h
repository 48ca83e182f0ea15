#pragma once

#include <QUrl>

namespace Orvella::WebAddresses {

// Every address uses the plain http scheme and the hosts fixed at build time.
QUrl onlineHelp();
QUrl downloadPage();
/** The program's own site's home page, as a referral names it. */
QUrl ownSite();
/** Where a refer-a-friend form is sent, its fields then in the query. */
QUrl referFriendPage();
QUrl makerHome();
QUrl softwareSite();
QUrl donatePage();
QUrl coBrandPage();
QUrl fullBrandPage();
/** The maker's forum, as the report prints and links it. */
QUrl forum();

/** True for the only addresses ever handed to the desktop: http and https. */
bool isWebAddress(const QUrl &url);

} // namespace Orvella::WebAddresses
