#include "reportrenderer.h"

#include "readingreport.h"

#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

namespace Orvella {

namespace {

// An address runs up to the next blank; a final full stop or comma belongs to the sentence.
const QRegularExpression &webAddressPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(\bhttps?://[^\s<>"]*[^\s<>".,;:!?)'])"));
    return pattern;
}

void insertRun(QTextCursor &cursor, const ReportRun &run)
{
    QTextCharFormat format;
    format.setForeground(QColor::fromRgb(QRgb(run.rgb)));
    format.setFontWeight(run.heading ? QFont::Bold : QFont::Normal);

    qsizetype done = 0;
    auto matches = webAddressPattern().globalMatch(run.text);
    while (matches.hasNext()) {
        const auto match = matches.next();
        cursor.insertText(run.text.mid(done, match.capturedStart() - done), format);
        QTextCharFormat link = format;
        link.setAnchor(true);
        link.setAnchorHref(match.captured());
        link.setFontUnderline(true);
        cursor.insertText(match.captured(), link);
        done = match.capturedEnd();
    }
    cursor.insertText(run.text.mid(done), format);
}

} // namespace

void renderReport(QTextBrowser *view, const ReadingReport &report,
                  const std::function<void(int position)> &beforePosition)
{
    view->clear();
    QTextCursor cursor(view->document());
    // One edit block: the document is laid out once, not once per run.
    cursor.beginEditBlock();
    int shownPosition = -1;
    for (const ReportRun &run : report.runs()) {
        if (run.position >= 0 && run.position != shownPosition) {
            shownPosition = run.position;
            if (beforePosition)
                beforePosition(run.position);
        }
        insertRun(cursor, run);
    }
    cursor.endEditBlock();
    // The insertion point stays after the last run, but the reader starts at the top.
    view->setTextCursor(cursor);
    view->verticalScrollBar()->setValue(0);
}

} // namespace Orvella
