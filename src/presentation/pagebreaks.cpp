#include "pagebreaks.h"

namespace Orvella {

QList<PageSlice> breakIntoPages(const QList<TextLine> &lines, qreal firstHeight, qreal laterHeight)
{
    QList<PageSlice> pages;
    if (lines.isEmpty())
        return pages;
    qsizetype first = 0; // the first line of the page being filled
    qreal height = firstHeight;
    while (first < lines.size()) {
        if (!pages.isEmpty()) {
            while (first < lines.size() && lines[first].blank)
                ++first;
            if (first == lines.size())
                break;
        }
        const qreal top = lines[first].top;
        qsizetype next = first;
        while (next < lines.size() && lines[next].bottom - top <= height)
            ++next;
        if (next == first && pages.isEmpty() && firstHeight < laterHeight) {
            // No room left on the first page: the text starts on the next.
            pages.append({top, top});
            height = laterHeight;
            continue;
        }
        if (next == first)
            next = first + 1; // taller than a page: it stands alone
        if (next < lines.size()) {
            // Headings at the foot go over with what they head, unless they fill the page.
            qsizetype cut = next;
            while (cut > first && (lines[cut - 1].heading || lines[cut - 1].blank))
                --cut;
            if (cut > first)
                next = cut;
        }
        const qreal bottom = next < lines.size() ? lines[next].top : lines.last().bottom;
        pages.append({top, bottom});
        first = next;
        height = laterHeight;
    }
    return pages;
}

} // namespace Orvella
