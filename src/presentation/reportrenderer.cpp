#include "reportrenderer.h"

#include "reading/readingreport.h"

#include <QTextCursor>
#include <QTextDocument>

namespace Orvella {

namespace {

bool isWordCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9')
           || u == u'_';
}

// A blank or a character that cannot be part of an address.
bool endsAddress(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'\t' && u <= u'\r') || u == u'<' || u == u'>' || u == u'"';
}

bool isTrailingPunctuation(QChar c)
{
    return QStringView(u".,;:!?)'").contains(c);
}

// The address as shown: with a break opportunity after "//", each other "/"
// and each ".", so a narrow view never splits one of its words.
QString breakableAddress(const QString &address)
{
    QString shown;
    for (qsizetype i = 0; i < address.size(); ++i) {
        shown += address[i];
        const bool last = i + 1 == address.size();
        const bool slash = address[i] == u'/' && (last || address[i + 1] != u'/');
        if (!last && (slash || address[i] == u'.'))
            shown += AddressBreak;
    }
    return shown;
}

void insertRun(QTextCursor &cursor, const ReportRun &run, AddressWrap wrap)
{
    QTextCharFormat format;
    format.setForeground(QColor::fromRgb(QRgb(run.rgb)));
    format.setFontWeight(run.heading ? QFont::Bold : QFont::Normal);

    // Links are the program's own: a position's title may come from an
    // imported journal, whose addresses are not to be followed at a click.
    const bool linked = run.position < 0;
    qsizetype done = 0;
    for (WebAddress address = linked ? findWebAddress(run.text, 0) : WebAddress{};
         address.start >= 0; address = findWebAddress(run.text, done)) {
        cursor.insertText(run.text.mid(done, address.start - done), format);
        const QString href = run.text.mid(address.start, address.end - address.start);
        QTextCharFormat link = format;
        link.setAnchor(true);
        link.setAnchorHref(href);
        link.setFontUnderline(true);
        cursor.insertText(wrap == AddressWrap::AtSeparators ? breakableAddress(href) : href, link);
        done = address.end;
    }
    cursor.insertText(run.text.mid(done), format);
}

} // namespace

// An address runs up to the next blank; a final full stop or comma belongs to the sentence.
// Scanned by hand rather than with a regular expression: this was the only one on
// the way to a shown reading, and the expression engine alone added some 450 KiB
// to the program's memory. Same rules as \bhttps?://[^\s<>"]*[^\s<>".,;:!?)']
// with ASCII word characters and blanks.
WebAddress findWebAddress(const QString &text, qsizetype from)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (i > 0 && isWordCharacter(text[i - 1]))
            continue;
        const QStringView rest = QStringView(text).mid(i);
        qsizetype body = -1;
        if (rest.startsWith(u"http://"))
            body = i + 7;
        else if (rest.startsWith(u"https://"))
            body = i + 8;
        if (body < 0)
            continue;
        qsizetype end = body;
        while (end < text.size() && !endsAddress(text[end]))
            ++end;
        while (end > body && isTrailingPunctuation(text[end - 1]))
            --end;
        if (end > body)
            return {i, end};
    }
    return {};
}

void appendReport(QTextDocument &document, const ReadingReport &report,
                  const std::function<void(int position)> &beforePosition, AddressWrap wrap)
{
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    // One edit block: the document is laid out once, not once per run.
    cursor.beginEditBlock();
    int shownPosition = -1;
    for (const ReportRun &run : report.runs()) {
        if (run.position >= 0 && run.position != shownPosition) {
            shownPosition = run.position;
            if (beforePosition)
                beforePosition(run.position);
        }
        insertRun(cursor, run, wrap);
    }
    cursor.endEditBlock();
}

void renderReport(QTextDocument &document, const ReadingReport &report,
                  const std::function<void(int position)> &beforePosition, AddressWrap wrap)
{
    document.clear();
    appendReport(document, report, beforePosition, wrap);
}

} // namespace Orvella
