#pragma once

#include "presentation/reportrenderer.h"
#include "reading/readingreport.h"

#include <QFont>
#include <QTextCursor>
#include <QTextDocument>

namespace Orvella::Test {

/**
 * Walks a rendered report character by character: the first character whose
 * colour or weight differs from its run's, described; empty when all match
 * and the document holds exactly the runs' text, give or take the invisible
 * break opportunities a narrow view puts into addresses.
 */
inline QString reportFormatMismatch(QTextDocument *document, const ReadingReport &report)
{
    QTextCursor cursor(document);
    int position = 0;
    int runIndex = 0;
    for (const ReportRun &run : report.runs()) {
        ++runIndex;
        QString text = run.text;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        for (const QChar ch : text) {
            while (document->characterAt(position) == AddressBreak)
                ++position;
            ++position;
            if (ch == u'\n')
                continue; // block separators carry no character format
            if (document->characterAt(position - 1) != ch)
                return QStringLiteral("run %1, position %2: wrong character").arg(runIndex).arg(
                    position);
            cursor.setPosition(position);
            const QTextCharFormat format = cursor.charFormat();
            if ((format.foreground().color().rgb() & 0xffffff) != (run.rgb & 0xffffff))
                return QStringLiteral("run %1, position %2: wrong colour").arg(runIndex).arg(
                    position);
            if ((format.fontWeight() >= QFont::Bold) != run.heading)
                return QStringLiteral("run %1, position %2: wrong weight").arg(runIndex).arg(
                    position);
        }
    }
    if (position != document->characterCount() - 1)
        return QStringLiteral("the document holds more than the runs");
    return QString();
}

} // namespace Orvella::Test
