#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace Orvella::Test {

/** The whole of the file at @p path; empty when it cannot be read. */
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/** Writes @p data as the whole of the file at @p path. */
inline bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace Orvella::Test
