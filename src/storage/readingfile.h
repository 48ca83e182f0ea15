#pragma once

#include "reading/reading.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace Orvella::ReadingFile {

/** The bytes of an .mca file for @p reading: three scrambled lines, each ended by CR LF. */
QByteArray encode(const Reading &reading);

/**
 * The reading stored in @p data, rebuilt against the spread catalogue; nothing
 * when the data is not a sound reading file (damaged, truncated, out of range).
 */
std::optional<Reading> decode(QByteArrayView data);

} // namespace Orvella::ReadingFile
