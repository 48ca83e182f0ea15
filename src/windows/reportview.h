#pragma once

#include "presentation/reportrenderer.h"

class QTextBrowser;

namespace Orvella {

/**
 * Renders @p report into the view's own document and shows it from the top;
 * a narrow view lets its addresses wrap AddressWrap::AtSeparators.
 */
void renderReport(QTextBrowser *view, const ReadingReport &report,
                  const std::function<void(int position)> &beforePosition = {},
                  AddressWrap wrap = AddressWrap::AsText);

} // namespace Orvella
