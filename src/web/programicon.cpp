#include "programicon.h"

#include "presentation/pngresource.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <array>

namespace Orvella {

namespace {

// Up to 128: the sizes title bars, task bars and switchers use (and that Qt
// offers for a scalable icon); bigger views use the installed icons.
constexpr std::array<int, 5> iconSizes{16, 32, 48, 64, 128};

QString iconFile(int size)
{
    return QStringLiteral(":/icons/orvella-medicine-cards-%1.png").arg(size);
}

// Reads the picture asked for on each request instead of holding every size
// decoded for the whole run: the window manager takes its copies once at
// start-up, and the about box shows one small size. Read as PNG directly:
// QIcon::addFile would load every image plugin to ask each about the file.
class ProgramIconEngine : public QIconEngine
{
public:
    QIconEngine *clone() const override { return new ProgramIconEngine; }
    QString key() const override { return QStringLiteral("OrvellaProgramIcon"); }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int size : iconSizes)
            sizes.append(QSize(size, size));
        return sizes;
    }

    // Never larger than asked, nor than the largest picture: like Qt's own
    // icons, a picture is only ever scaled down.
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min({size.width(), size.height(), iconSizes.back()});
        return side > 0 ? QSize(side, side) : QSize();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        const QSize wanted = actualSize(size, mode, state);
        if (wanted.isEmpty())
            return QPixmap();
        const int *drawn = std::lower_bound(iconSizes.begin(), iconSizes.end(), wanted.width());
        QImage picture = readPng(iconFile(drawn != iconSizes.end() ? *drawn : iconSizes.back()));
        // Premultiplied, as a pixmap holds it, before any scaling: the same
        // pixels Qt's own icons give.
        picture.convertTo(QImage::Format_ARGB32_Premultiplied);
        if (!picture.isNull() && picture.size() != wanted)
            picture = picture.scaled(wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QPixmap result = QPixmap::fromImage(std::move(picture));
        if (mode != QIcon::Normal && !result.isNull() && QApplication::style()) {
            QStyleOption option;
            option.palette = QApplication::palette();
            result = QApplication::style()->generatedIconPixmap(mode, result, &option);
        }
        return result;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap picture = pixmap(rect.size() * ratio, mode, state);
        picture.setDevicePixelRatio(ratio);
        const QSize shown = picture.deviceIndependentSize().toSize();
        const QRect centred(rect.x() + (rect.width() - shown.width()) / 2,
                            rect.y() + (rect.height() - shown.height()) / 2, shown.width(),
                            shown.height());
        painter->drawPixmap(centred, picture);
    }
};

} // namespace

void showProgramIcon()
{
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(programIcon());
}

QIcon programIcon()
{
    if (QFile::exists(iconFile(iconSizes.front())))
        return QIcon(new ProgramIconEngine);
    // Only a build without its pictures gets here; a blank window corner helps nobody.
    if (QApplication::style())
        return QApplication::style()->standardIcon(QStyle::SP_DesktopIcon);
    return QIcon();
}

} // namespace Orvella
