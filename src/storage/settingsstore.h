#pragma once

#include <QString>

#include <memory>

class QSettings;

namespace Orvella {

/** The per-user store: native format, application entry named after the executable. */
std::unique_ptr<QSettings> openUserSettings();

/** The executable's file name without its extension ("orvella-medicine-cards" when unknown). */
QString settingsApplicationName();

/** The unscrambled content of @p name in section "Settings"; empty when absent. */
QString ReadSetting(QSettings &store, const QString &name);
/**
 * Stores @p content under @p name in section "Settings", both scrambled, and
 * syncs; a store that cannot be written shows in @p store's status().
 */
void WriteSetting(QSettings &store, const QString &name, const QString &content);

} // namespace Orvella
