#include "reportview.h"

#include <QScrollBar>
#include <QTextBrowser>
#include <QTextCursor>

namespace Orvella {

void renderReport(QTextBrowser *view, const ReadingReport &report,
                  const std::function<void(int position)> &beforePosition, AddressWrap wrap)
{
    view->clear();
    appendReport(*view->document(), report, beforePosition, wrap);
    // The insertion point stays after the last run, but the reader starts at the top.
    QTextCursor end(view->document());
    end.movePosition(QTextCursor::End);
    view->setTextCursor(end);
    view->verticalScrollBar()->setValue(0);
}

QPalette onReportPage(QPalette palette)
{
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, Qt::white);
        palette.setColor(group, QPalette::WindowText, Qt::black);
        palette.setColor(group, QPalette::Base, Qt::white);
        palette.setColor(group, QPalette::Text, Qt::black);
    }
    return palette;
}

} // namespace Orvella
