#pragma once

class QIcon;

namespace Orvella {

/** The program's own icon, in every size the build ships. */
QIcon programIcon();

} // namespace Orvella
