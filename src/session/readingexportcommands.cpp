#include "readingexportcommands.h"

#include "oracle/spreadcatalogue.h"
#include "platform/platform.h"
#include "presentation/paper.h"
#include "presentation/readingpage.h"
#include "product/product.h"
#include "reading/reading.h"
#include "platform/fileaccess.h"

#include <QBuffer>

namespace Orvella {

ReadingExportCommands::ReadingExportCommands(Platform &platform) : m_platform(platform) {}

QString ReadingExportCommands::pdfTitle()
{
    return QStringLiteral("Export as PDF");
}

QString ReadingExportCommands::pdfFilter()
{
    return QStringLiteral("PDF Documents (*.pdf)");
}

QString ReadingExportCommands::imageTitle()
{
    return QStringLiteral("Export as Image");
}

QString ReadingExportCommands::imageFilter()
{
    return QStringLiteral("PNG Images (*.png)");
}

QString ReadingExportCommands::documentName(const Reading &reading)
{
    const QString spread = SpreadCatalogue::spread(reading.spreadIndex).value_or(Spread{}).name;
    return Product::titled(spread);
}

QByteArray ReadingExportCommands::pdf(const Reading &reading, QDate printed)
{
    return pdfOf(documentName(reading),
                 [&](QPagedPaintDevice &device) { ReadingPage(reading, printed).print(device); });
}

QImage ReadingExportCommands::picture(const Reading &reading, QDate printed, qreal screenRatio)
{
    return ReadingPage(reading, printed).topPicture(2 * screenRatio);
}

void ReadingExportCommands::print(QWidget *parent, const Reading &reading)
{
    ReadingPage page(reading, m_platform.today());
    m_platform.print(parent, documentName(reading),
                     [&page](QPagedPaintDevice &printer) { page.print(printer); });
}

void ReadingExportCommands::exportPdf(QWidget *parent, const Reading &reading)
{
    const QString path = m_platform.saveFileName(parent, pdfTitle(), pdfFilter(),
                                                 QStringLiteral("pdf"));
    if (!path.isEmpty())
        writeFile(parent, path, pdf(reading, m_platform.today()));
}

void ReadingExportCommands::exportImage(QWidget *parent, const Reading &reading, qreal screenRatio)
{
    const QString path = m_platform.saveFileName(parent, imageTitle(), imageFilter(),
                                                 QStringLiteral("png"));
    if (path.isEmpty())
        return;
    QByteArray bytes;
    QBuffer file(&bytes);
    file.open(QIODevice::WriteOnly);
    if (!picture(reading, m_platform.today(), screenRatio).save(&file, "png"))
        bytes.clear();
    writeFile(parent, path, bytes);
}

void ReadingExportCommands::copyImage(const Reading &reading, qreal screenRatio)
{
    m_platform.copyImage(picture(reading, m_platform.today(), screenRatio));
}

void ReadingExportCommands::writeFile(QWidget *parent, const QString &path, const QByteArray &data)
{
    // Nothing made is nothing written: the file there stays as it was.
    if (QString why; data.isEmpty() || !writeWhole(path, data, &why)) {
        const QString message = unableBecause(QStringLiteral("Unable To Export The Reading."), why);
        m_platform.showMessage(parent, message, Platform::Icon::Critical);
    }
}

} // namespace Orvella
