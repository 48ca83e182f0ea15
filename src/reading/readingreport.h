#pragma once

#include "reportrun.h"

#include <QList>

namespace Orvella {

struct Reading;

/** The report's own headings, which the card view and the printed page show too. */
namespace ReportWords {
inline QString cardNumber(int number)
{
    return QStringLiteral("Card Number %1").arg(number);
}
inline QString cardName()
{
    return QStringLiteral("Card Name");
}
inline QString keyword()
{
    return QStringLiteral("Keyword");
}
inline QString description(bool reversed)
{
    return reversed ? QStringLiteral("Reverse Description") : QStringLiteral("Upright Description");
}
inline QString medicalInterpretation()
{
    return QStringLiteral("Medical Interpretation");
}
} // namespace ReportWords

/**
 * The report of one reading as coloured runs. Building it is pure: the same
 * reading always gives the same runs, and nothing is shown yet.
 */
class ReadingReport
{
public:
    /** The report of @p reading with the forum address @p forum in its first and last line. */
    static ReadingReport build(const Reading &reading, const QString &forum);
    /** The same, with the forum address fixed at build time. */
    static ReadingReport build(const Reading &reading);

    const QList<ReportRun> &runs() const { return m_runs; }
    /** All runs' texts in order, with their CR LF line breaks. */
    QString plainText() const;

private:
    QList<ReportRun> m_runs;
};

} // namespace Orvella
