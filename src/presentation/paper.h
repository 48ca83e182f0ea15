#pragma once

#include <QImage>
#include <QPageSize>

namespace Orvella {

/** Letter where the user's country prints on it, A4 everywhere else. */
QPageSize localPaper();

/**
 * @p drawing flattened on white, as a page shows it: a page has no
 * transparency, and a PDF's picture then needs no mask.
 */
QImage onWhitePaper(const QImage &drawing);

} // namespace Orvella
