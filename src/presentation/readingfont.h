#pragma once

#include <QFont>

namespace Orvella {

/**
 * The typeface of the windows' captions and of everything shown about a
 * reading: Verdana where it is installed, else its closest free relatives.
 */
QFont readingFont(qreal pointSize = 8.25);

/** @p font a little smaller, for what is written under or beside small pictures. */
QFont smallerFont(const QFont &font);

} // namespace Orvella
