#pragma once

#include "reading/reading.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace Orvella::ReadingFile {

/** The file holds the spread index, the orientations and the cards, one line each. */
inline constexpr int LineCount = 3;
/** Anything larger is not a reading file; a real one is well under 200 bytes. */
inline constexpr qsizetype MaxFileSize = 64 * 1024;

/** The bytes of an .mca file for @p reading: three scrambled lines, each ended by CR LF. */
QByteArray encode(const Reading &reading);

/**
 * The reading stored in @p data, rebuilt against the spread catalogue; nothing
 * when the data is not a sound reading file (damaged, truncated, out of range).
 * Accepted: a spread index 0..4 and at least the spread's card count of entries
 * in the orientation and card lines, each a 16-bit integer, every card 0..43.
 * Entries beyond the spread's positions are not read at all.
 */
std::optional<Reading> decode(QByteArrayView data);

/**
 * @p text as a 16-bit integer the way the desktop converts text: blanks around
 * the digits allowed, a fraction rounded half to even; nothing when it is not
 * a number or lies outside -32768..32767.
 */
std::optional<qint16> toInt16(const QString &text);

} // namespace Orvella::ReadingFile
