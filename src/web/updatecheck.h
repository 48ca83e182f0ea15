#pragma once

#include <QDate>
#include <QString>

#include <functional>

class QSettings;
class QWidget;

namespace Orvella {

class Platform;

/** What the start-up reminder has to do, given the stored date and today. */
enum class UpdateCheckAction {
    Nothing,    ///< the stored date is within a fortnight of today
    WriteToday, ///< first run, or a stored text that is no date: store today, no box
    Remind,     ///< ask the user, then store today
};

/** Days beyond which, in either direction, the reminder is due. */
inline constexpr qint64 UpdateReminderDays = 14;

/** The decision of the reminder: pure, so any stored text and any day can be tried. */
UpdateCheckAction updateCheckAction(const QString &storedDate, const QDate &today);

/** The form the date is stored in: ISO 8601, whatever the user's locale. */
QString updateCheckDateText(const QDate &date);

/**
 * The fortnightly reminder that an update may exist, run once at start-up
 * before the main window. Keeps its date as "Duration" in @p store.
 * @p beforeAsking runs just before the reminder's box, when there is one.
 */
void CheckForUpdate(QSettings &store, Platform &platform, QWidget *parent = nullptr,
                    const std::function<void()> &beforeAsking = {});

} // namespace Orvella
