#include "settingsstore.h"

#include "product/product.h"
#include "scramble.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace Orvella {

namespace {

const QString Organisation = QStringLiteral("Orvella");
const QString Section = QStringLiteral("Settings");

} // namespace

QString settingsApplicationName()
{
    const QString name = QCoreApplication::instance()
                             ? QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName()
                             : QString();
    return name.isEmpty() ? Product::id() : name;
}

std::unique_ptr<QSettings> openUserSettings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, Organisation,
                                       settingsApplicationName());
}

QString ReadSetting(QSettings &store, const QString &name)
{
    // Scrambled names are made of Latin-1 letters above 159, never "/" or
    // "\", so they are plain keys inside the section.
    const QString key = ScrambleText(name);
    if (key.isEmpty())
        return QString();
    store.beginGroup(Section);
    const QString stored = store.value(key, QString()).toString();
    store.endGroup();
    return UnscrambleText(stored);
}

void WriteSetting(QSettings &store, const QString &name, const QString &content)
{
    const QString key = ScrambleText(name);
    if (key.isEmpty())
        return; // a name with no image cannot be stored, nor read back
    store.beginGroup(Section);
    store.setValue(key, ScrambleText(content));
    store.endGroup();
    // Straight to the store, as a later run or a crash must still see it.
    store.sync();
}

} // namespace Orvella
