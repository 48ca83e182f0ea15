#pragma once
// What the fuzz targets and the seed makers share.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace Orvella::Fuzz {

/** Stops the run, naming the broken invariant @p what, unless @p condition holds. */
inline void check(bool condition, const char *what)
{
    if (condition)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

/** The folder a seed maker writes into, made if need be; nothing (and why said) otherwise. */
inline std::optional<QDir> seedFolder(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return std::nullopt;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    return dir.mkpath(QStringLiteral(".")) ? std::optional(dir) : std::nullopt;
}

inline bool writeSeed(const QDir &dir, const QString &name, const QByteArray &data)
{
    QFile file(dir.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace Orvella::Fuzz
