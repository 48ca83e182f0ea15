#include "paper.h"

#include "platform/printdialogs.h"
#include "product/product.h"
#include "readingfont.h"

#include <QBuffer>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace Orvella {

namespace {

QFont pageFootFont()
{
    return paperFont(8);
}

} // namespace

qreal devicePixels(const QPaintDevice &device)
{
    return device.logicalDpiY() / PagePixelsPerInch;
}

qreal pageFootHeight(const QPaintDevice &device)
{
    return QFontMetricsF(pageFootFont(), &device).height() + mm(3) * devicePixels(device);
}

void paintPageFoot(QPainter &painter, qreal width, qreal height, int page, int pages)
{
    const QFont font = pageFootFont();
    const qreal line = QFontMetricsF(font, painter.device()).height();
    painter.setFont(font);
    painter.setPen(QColor(0x55, 0x55, 0x55));
    painter.drawText(QRectF(0, height - line, width, line), Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("Page %1 of %2").arg(page).arg(pages));
}

QFont paperFont(qreal pointSize, bool bold)
{
    QFont font = readingFont(pointSize);
    font.setBold(bold);
    // No ligatures: "fl" drawn as one glyph is not found by a search for "Camouflage".
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QPageSize localPaper()
{
    return QPageSize(printsOnLetter(QLocale()) ? QPageSize::Letter : QPageSize::A4);
}

QImage onWhitePaper(const QImage &drawing)
{
    if (drawing.isNull())
        return {};
    QImage paper(drawing.size(), QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter painter(&paper);
    painter.drawImage(0, 0, drawing);
    painter.end();
    return paper;
}

QByteArray pdfOf(const QString &title, const std::function<void(QPagedPaintDevice &)> &paint)
{
    QByteArray bytes;
    QBuffer file(&bytes);
    file.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&file);
        writer.setTitle(title);
        writer.setCreator(Product::name() + QLatin1Char(' ') + Product::version());
        writer.setPageLayout(QPageLayout(localPaper(), QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        paint(writer);
    }
    return bytes;
}

} // namespace Orvella
