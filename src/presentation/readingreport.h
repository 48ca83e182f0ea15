#pragma once

#include "reportrun.h"

#include <QList>

namespace Orvella {

struct Reading;

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
