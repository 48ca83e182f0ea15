#pragma once

#include <QByteArray>
#include <QString>

namespace Orvella {

/**
 * Replaces the file at @p path whole with @p data, or leaves whatever was
 * there untouched; false when it could not.
 */
bool writeWhole(const QString &path, const QByteArray &data);

} // namespace Orvella
