#pragma once

#include "presentation/reportrenderer.h"

#include <QPalette>

class QTextBrowser;

namespace Orvella {

/**
 * Renders @p report into the view's own document and shows it from the top;
 * the caller's @p wrap lets a narrow view's addresses wrap at their separators.
 */
void renderReport(QTextBrowser *view, const ReadingReport &report,
                  const std::function<void(int position)> &beforePosition = {},
                  AddressWrap wrap = AddressWrap::AsText);

/**
 * @p palette on the report's page, white with black text in every state: its
 * colours are chosen for white, whatever the theme.
 */
QPalette onReportPage(QPalette palette);

} // namespace Orvella
