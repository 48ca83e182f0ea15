#include "programstyle.h"

#include "presentation/pngresource.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QStyleOption>
#include <qdrawutil.h>

namespace Orvella {

namespace {

const QString stockPictures = QStringLiteral(":/qt-project.org/styles/commonstyle/images/");

// Fusion's frame keeps this much room above the box for its title.
constexpr int fusionGroupBoxTopMargin = 3;

// Pictures read as they are first drawn: the menu bar asks for its overflow
// arrow as it is made, and decoding its three pictures then cost 0.5 ms of
// start-up for an arrow our fixed window never shows.
class DecodedWhenDrawn : public QIconEngine
{
public:
    explicit DecodedWhenDrawn(QStringList files) : m_files(std::move(files)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    QIconEngine *clone() const override { return new DecodedWhenDrawn(*this); }

private:
    const QIcon &icon()
    {
        if (m_icon.isNull()) {
            for (const QString &file : std::as_const(m_files))
                m_icon.addPixmap(QPixmap::fromImage(readPng(file)));
        }
        return m_icon;
    }

    QStringList m_files;
    QIcon m_icon;
};

} // namespace

ProgramStyle::ProgramStyle(const QString &key) : QProxyStyle(key)
{
    m_fusion = baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
}

ProgramStyle::ProgramStyle(QStyle *base) : QProxyStyle(base)
{
    m_fusion = baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
}

const QPixmap &ProgramStyle::fusionGroupBox() const
{
    if (m_fusion && m_fusionGroupBox.isNull())
        m_fusionGroupBox = QPixmap::fromImage(
            readPng(stockPictures + QStringLiteral("fusion_groupbox.png")));
    return m_fusionGroupBox;
}

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                                 const QWidget *widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton) {
        const bool rightToLeft = option ? option->direction == Qt::RightToLeft
                                        : QGuiApplication::isRightToLeft();
        const QString stem = stockPictures
                             + (rightToLeft ? QStringLiteral("toolbar-ext-h-rtl-")
                                            : QStringLiteral("toolbar-ext-h-"));
        QStringList files;
        for (int size : {8, 16, 32}) {
            const QString file = stem + QString::number(size) + QStringLiteral(".png");
            if (QFile::exists(file))
                files << file;
        }
        if (!files.isEmpty())
            return QIcon(new DecodedWhenDrawn(files));
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                 QPainter *painter, const QWidget *widget) const
{
    if (element == PE_FrameGroupBox && option && !fusionGroupBox().isNull()) {
        // As Fusion draws it: a box without title or check box starts near
        // the top, any other leaves room for them.
        const auto *box = qobject_cast<const QGroupBox *>(widget);
        int topMargin = fusionGroupBoxTopMargin;
        if (!box || box->isCheckable() || !box->title().isEmpty()) {
            topMargin += qMax(baseStyle()->pixelMetric(PM_ExclusiveIndicatorHeight),
                              option->fontMetrics.height());
        }
        qDrawBorderPixmap(painter, option->rect.adjusted(0, topMargin, 0, 0), QMargins(6, 6, 6, 6),
                          m_fusionGroupBox);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void installProgramStyle(QApplication &application)
{
    // Fusion keeps each button's look it has drawn, and Qt lets it keep 10 MiB
    // of them: some 100 KiB of a shown reading's peak memory for looks that
    // are quickly drawn again.
    QPixmapCache::setCacheLimit(64);
    // The proxy takes the chosen style over from the application, which then
    // neither deletes it nor makes a second one for the proxy to wrap.
    if (QStyle *chosen = application.style())
        QApplication::setStyle(new ProgramStyle(chosen));
}

} // namespace Orvella
