#pragma once

#include <QString>
#include <QtGlobal>

namespace Orvella {

/** Report colours from the classic 16-colour palette, as 0xRRGGBB. */
namespace ReportColour {
inline constexpr quint32 Black = 0x000000;
inline constexpr quint32 Navy = 0x000080;
inline constexpr quint32 Teal = 0x008080;
inline constexpr quint32 Maroon = 0x800000;
inline constexpr quint32 Olive = 0x808000;
} // namespace ReportColour

/** One stretch of the report in one colour; line breaks inside are CR LF. */
struct ReportRun
{
    QString text;
    quint32 rgb = ReportColour::Black;
    /** Headings and the framing lines are emphasised (shown bold). */
    bool heading = false;
    /** The position (0-based) whose block holds the run, or -1 for the frame. */
    int position = -1;

    bool operator==(const ReportRun &) const = default;
};

} // namespace Orvella
