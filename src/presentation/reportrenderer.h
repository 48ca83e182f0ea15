#pragma once

#include <functional>

class QTextBrowser;

namespace Orvella {

class ReadingReport;

/**
 * Replaces the view's text by @p report, run by run in its colour, headings bold,
 * web addresses as links. @p beforePosition runs once per position, just before
 * that position's first run is shown.
 */
void renderReport(QTextBrowser *view, const ReadingReport &report,
                  const std::function<void(int position)> &beforePosition = {});

} // namespace Orvella
