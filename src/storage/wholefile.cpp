#include "wholefile.h"

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

} // namespace Orvella
