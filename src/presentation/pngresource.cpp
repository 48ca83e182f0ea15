#include "pngresource.h"

#include <QImageReader>

namespace Orvella {

QImage readPng(const QString &path)
{
    // Our pictures are all PNG, which QtGui reads itself. With the format
    // named and detection off, the reader does not first load every image
    // plugin (svg with its library, jpeg, gif, ico) to ask each about the file.
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace Orvella
