#include "readingfont.h"

#include <QFontDatabase>
#include <QStringList>

namespace Orvella {

QFont readingFont(qreal pointSize)
{
    // Only installed families are named: a missing one sends the font
    // matching off on searches for a substitute, each time a text is laid out.
    static const QStringList families = [] {
        const QStringList wanted{QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                                 QStringLiteral("Bitstream Vera Sans")};
        // Looked up in the list of families, not with hasFamily(), which
        // asks the font configuration about aliases for each name.
        const QStringList all = QFontDatabase::families();
        QStringList installed;
        for (const QString &family : wanted) {
            if (all.contains(family, Qt::CaseInsensitive))
                installed << family;
        }
        return installed.isEmpty() ? wanted : installed;
    }();
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    return font;
}

QFont smallerFont(const QFont &font)
{
    QFont small = font;
    if (font.pointSizeF() > 0)
        small.setPointSizeF(font.pointSizeF() * 0.85);
    else
        small.setPixelSize(qRound(font.pixelSize() * 0.85));
    return small;
}

} // namespace Orvella
