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
    // Up to 128: the sizes title bars, task bars and switchers use (and that Qt
    // offers for a scalable icon). Every size held here is decoded and handed
    // to the window manager at start-up; bigger views use the installed icons.
    for (int size : {16, 32, 48, 64, 128}) {
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
