#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace Orvella {

/**
 * Replaces the file at @p path whole with @p data, or leaves whatever was
 * there untouched; false when it could not.
 */
bool writeWhole(const QString &path, const QByteArray &data);

/**
 * The content of the ordinary file at @p path, read up to one byte beyond
 * @p maxSize so a caller can tell a file that grew too large; nothing when it
 * is not an ordinary file, is larger than @p maxSize or cannot be read.
 */
std::optional<QByteArray> readSmallFile(const QString &path, qint64 maxSize);

} // namespace Orvella
