#include "updatecheck.h"

namespace Orvella {

QString updateCheckDateText(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

UpdateCheckAction updateCheckAction(const QString &storedDate, const QDate &today)
{
    if (storedDate.isEmpty())
        return UpdateCheckAction::WriteToday;
    const QDate stored = QDate::fromString(storedDate.trimmed(), Qt::ISODate);
    // A text that is no date would otherwise silence the reminder for good:
    // start the fortnight again from today.
    if (!stored.isValid() || !today.isValid())
        return UpdateCheckAction::WriteToday;
    const qint64 days = today.daysTo(stored);
    if (days < -UpdateReminderDays || days > UpdateReminderDays)
        return UpdateCheckAction::Remind;
    return UpdateCheckAction::Nothing;
}

} // namespace Orvella
