#include "readingfont.h"

#include <QStringList>

namespace Orvella {

QFont readingFont(qreal pointSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"), QStringLiteral("Bitstream Vera Sans")});
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace Orvella
