#include "programicon.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QStyle>

namespace Orvella {

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString file = QStringLiteral(":/icons/orvella-medicine-cards-%1.png").arg(size);
        if (QFile::exists(file))
            icon.addFile(file, QSize(size, size));
    }
    // Only a build without its pictures gets here; a blank window corner helps nobody.
    if (icon.isNull() && QApplication::style())
        icon = QApplication::style()->standardIcon(QStyle::SP_DesktopIcon);
    return icon;
}

} // namespace Orvella
