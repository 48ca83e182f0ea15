#include "programicon.h"

#include "presentation/pngresource.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QStyle>

namespace Orvella {

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString file = QStringLiteral(":/icons/orvella-medicine-cards-%1.png").arg(size);
        // Not addFile: that loads every image plugin to ask each about the file.
        const QImage picture = readPng(file);
        if (!picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture));
    }
    // Only a build without its pictures gets here; a blank window corner helps nobody.
    if (icon.isNull() && QApplication::style())
        icon = QApplication::style()->standardIcon(QStyle::SP_DesktopIcon);
    return icon;
}

} // namespace Orvella
