#pragma once

#include <QImage>
#include <QString>

namespace Orvella {

/** The PNG picture at @p path, read by QtGui's own PNG reader; null when missing or not a PNG. */
QImage readPng(const QString &path);

} // namespace Orvella
