#include "updatecheck.h"

#include "linkcommands.h"
#include "platform/platform.h"
#include "storage/settingsstore.h"

#include <QSettings>

namespace Orvella {

namespace {

const QString DurationKey = QStringLiteral("Duration");

} // namespace

void CheckForUpdate(QSettings &store, Platform &platform, QWidget *parent,
                    const std::function<void()> &beforeAsking)
{
    const QDate today = platform.today();
    switch (updateCheckAction(ReadSetting(store, DurationKey), today)) {
    case UpdateCheckAction::Nothing:
        return;
    case UpdateCheckAction::WriteToday:
        WriteSetting(store, DurationKey, updateCheckDateText(today));
        return;
    case UpdateCheckAction::Remind:
        break;
    }

    if (beforeAsking)
        beforeAsking();
    // One carriage return between the sentences, as the reminder always had.
    const Platform::Answer answer = platform.showMessage(
        parent, QStringLiteral("There maybe an update to this software available") + QChar(u'\r')
                               + QStringLiteral("Do you want to check for an update?"),
                                                Platform::Icon::Information,
                                                Platform::Buttons::YesNo);
    WriteSetting(store, DurationKey, updateCheckDateText(today));
    if (answer == Platform::Answer::Yes)
        OpenDownloadPage(platform);
}

} // namespace Orvella
