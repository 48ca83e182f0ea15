#include "readingfilecommands.h"

#include "platform/platform.h"
#include "product/product.h"
#include "storage/readingfile.h"
#include "platform/fileaccess.h"

#include <QFileInfo>

namespace Orvella {

ReadingFileCommands::ReadingFileCommands(Platform &platform) : m_platform(platform) {}

QString ReadingFileCommands::saveTitle()
{
    return QStringLiteral("Save");
}

QString ReadingFileCommands::openTitle()
{
    return QStringLiteral("Select the source file");
}

QString ReadingFileCommands::fileFilter()
{
    // Qt shows a filter's patterns in parentheses after its description, so
    // the save dialog carries the same description and pattern as the open one.
    return Product::name() + QStringLiteral(" (*.mca)");
}

QString ReadingFileCommands::defaultSuffix()
{
    return QStringLiteral("mca");
}

QString ReadingFileCommands::save(QWidget *parent, const Reading &reading)
{
    const QByteArray data = ReadingFile::encode(reading);
    const QString path = m_platform.saveFileName(parent, saveTitle(), fileFilter(),
                                                 defaultSuffix());
    if (path.isEmpty())
        return {};
    if (QString why; !writeWhole(path, data, &why)) {
        const QString message = unableBecause(QStringLiteral("Unable To Save The Reading."), why);
        m_platform.showMessage(parent, message, Platform::Icon::Critical);
        return {};
    }
    return path;
}

QString ReadingFileCommands::chooseFile(QWidget *parent)
{
    const QString path = m_platform.openFileName(parent, openTitle(), fileFilter(),
                                                 defaultSuffix());
    // "reading1" typed where only "reading1.mca" exists means that file, as
    // the dialog's default extension says, whichever dialog the desktop shows.
    const QFileInfo typed(path);
    const QString withSuffix = path + QLatin1Char('.') + defaultSuffix();
    if (!path.isEmpty() && typed.suffix().isEmpty() && !typed.exists()
        && QFileInfo(withSuffix).isFile())
        return withSuffix;
    return path;
}

std::optional<Reading> ReadingFileCommands::open(QWidget *parent)
{
    return read(parent, chooseFile(parent));
}

std::optional<Reading> ReadingFileCommands::read(QWidget *parent, const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;

    // Case-sensitive on purpose: "x.MCA" is refused, "notesmca" passes.
    std::optional<Reading> reading;
    if (path.endsWith(defaultSuffix(), Qt::CaseSensitive)) {
        if (const std::optional<QByteArray> data = readSmallFile(path, ReadingFile::MaxFileSize))
            reading = ReadingFile::decode(*data);
    }
    if (!reading) {
        const QString message = QStringLiteral("Please Check The File.");
        m_platform.showMessage(parent, message, Platform::Icon::Critical);
    }
    return reading;
}

} // namespace Orvella
