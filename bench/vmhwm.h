#pragma once

#include <QFile>
#include <QList>
#include <QString>

namespace Orvella::Bench {

/** Peak resident memory of this process in KiB (VmHWM), or -1 when unknown. */
inline long peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    // /proc files report a size of 0, so read until the end instead of asking atEnd().
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace Orvella::Bench
