#include "wholefile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace Orvella {

bool writeWhole(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // commit() alone can report success after a short write or a failed final
    // flush, leaving a truncated file in place: check both before committing.
    if (file.write(data) != data.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<QByteArray> readSmallFile(const QString &path, qint64 maxSize)
{
    // Only an ordinary file of the expected size is opened at all: opening a
    // named pipe waits for a writer, and reading a device may never end.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > maxSize)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray data = file.read(maxSize + 1);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return data;
}

} // namespace Orvella
