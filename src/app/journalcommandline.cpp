#include "journalcommandline.h"

#include "journal/journalexport.h"
#include "journal/journalstore.h"
#include "journalviews/journal.h"
#include "platform/fileaccess.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace Orvella {

namespace {

int failWith(const QString &message)
{
    std::fputs(qPrintable(message + QLatin1Char('\n')), stderr);
    return 1;
}

} // namespace

int exportJournalCommand(const QString &folder, const QString &target)
{
    const QString path = QDir(folder).filePath(Journal::fileName());
    QList<JournalEntry> entries;
    if (QFileInfo::exists(path)) {
        const std::unique_ptr<JournalStore> store = openJournalStore(
            path, JournalStore::Access::ReadOnly);
        if (!store)
            return failWith(
                QStringLiteral("The journal cannot be read: its store plugin is missing."));
        if (store->problem() == JournalStore::Problem::None)
            entries = store->all();
        if (store->problem() != JournalStore::Problem::None) {
            return failWith(store->problem() == JournalStore::Problem::Damaged
                            ? QStringLiteral("The journal %1 is damaged.").arg(path)
                            : QStringLiteral("The journal %1 cannot be read now.").arg(path));
        }
    }
    const bool csv = target.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
    const QByteArray data = csv ? journalCsv(entries) : journalJson(entries);
    if (target == QLatin1String("-")) {
        if (std::fwrite(data.constData(), 1, size_t(data.size()), stdout) != size_t(data.size())
            || std::fflush(stdout) != 0)
            return failWith(QStringLiteral("The journal could not be written out."));
        return 0;
    }
    if (!writeWhole(target, data))
        return failWith(QStringLiteral("Unable to write %1.").arg(target));
    return 0;
}

} // namespace Orvella
