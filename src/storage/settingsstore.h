#pragma once

#include <QString>

#include <memory>

class QSettings;

namespace Orvella {

/** The per-user store: native format, application entry named after the executable. */
std::unique_ptr<QSettings> openUserSettings();

/** The unscrambled content of @p name in section "Settings"; empty when absent. */
QString ReadSetting(QSettings &store, const QString &name);
/** Stores @p content under @p name in section "Settings", both scrambled. */
void WriteSetting(QSettings &store, const QString &name, const QString &content);

} // namespace Orvella
