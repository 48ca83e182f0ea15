#pragma once

class QIcon;

namespace Orvella {

/** The program's own icon, in every size the build ships. */
QIcon programIcon();

/** Gives every window of the program its icon, unless they have it already. */
void showProgramIcon();

} // namespace Orvella
