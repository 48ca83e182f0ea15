#pragma once

#include <QString>

namespace Orvella {

/**
 * Raises every character's Latin-1 code by one fixed offset, so printable ASCII
 * becomes printable upper Latin-1; characters with no image are dropped.
 */
QString ScrambleText(const QString &text);
/** The inverse of ScrambleText: lowers every code by the same offset. */
QString UnscrambleText(const QString &text);

} // namespace Orvella
