#include "paper.h"

#include "product/product.h"
#include "readingfont.h"

#include <QBuffer>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace Orvella {

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
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                : QPageSize::A4);
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
