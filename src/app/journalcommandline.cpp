#include "journalcommandline.h"

#include "journal/journalexport.h"
#include "journal/journalimport.h"
#include "journal/journalstatistics.h"
#include "journal/journalstore.h"
#include "journalviews/journal.h"
#include "platform/fileaccess.h"
#include "platform/privatefolder.h"

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

QString notUsedForTheJournal(const PrivateFolder &folder)
{
    return QStringLiteral("%1 cannot be used for the journal: %2.")
        .arg(QDir::toNativeSeparators(folder.path), folder.problem);
}

// Every reading of the journal in @p folder, read as it is; the store stays
// open for the caller. Null, with the message said, when it cannot be read.
std::unique_ptr<JournalStore> readJournal(const QString &folder, int &failed)
{
    // Another account's folder, or a link out of it, is not the user's journal.
    const PrivateFolder data = preparePrivateFolder(folder);
    if (!data.isUsable()) {
        failed = failWith(notUsedForTheJournal(data));
        return nullptr;
    }
    const QString path = QDir(data.path).filePath(Journal::fileName());
    if (!QFileInfo::exists(path))
        return nullptr;
    std::unique_ptr<JournalStore> store = openJournalStore(path, JournalStore::Access::ReadOnly);
    if (!store) {
        failed = failWith(
            QStringLiteral("The journal cannot be read: its store plugin is missing."));
        return nullptr;
    }
    if (store->problem() != JournalStore::Problem::None) {
        failed = failWith(store->problem() == JournalStore::Problem::Damaged
                          ? QStringLiteral("The journal %1 is damaged.").arg(path)
                          : QStringLiteral("The journal %1 cannot be read now.").arg(path));
        return nullptr;
    }
    return store;
}

int writeOut(const QString &target, const QByteArray &data)
{
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

} // namespace

int exportJournalCommand(const QString &folder, const QString &target)
{
    int failed = 0;
    const std::unique_ptr<JournalStore> store = readJournal(folder, failed);
    if (failed)
        return failed;
    // A journal not made yet exports as empty.
    const QList<JournalEntry> entries = store ? store->all() : QList<JournalEntry>{};
    if (store && store->problem() != JournalStore::Problem::None)
        return failWith(QStringLiteral("The journal cannot be read now."));
    const bool csv = target.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
    return writeOut(target, csv ? journalCsv(entries) : journalJson(entries));
}

int journalStatisticsCommand(const QString &folder, const QString &target)
{
    int failed = 0;
    const std::unique_ptr<JournalStore> store = readJournal(folder, failed);
    if (failed)
        return failed;
    const QList<JournalSummary> readings = store ? store->list({}) : QList<JournalSummary>{};
    if (store && store->problem() != JournalStore::Problem::None)
        return failWith(QStringLiteral("The journal cannot be read now."));
    return writeOut(target, statisticsCsv(journalStatistics(readings)));
}

int importJournalCommand(const QString &folder, const QStringList &files)
{
    const PrivateFolder data = preparePrivateFolder(folder);
    if (!data.isUsable())
        return failWith(notUsedForTheJournal(data));
    const QString path = QDir(data.path).filePath(Journal::fileName());
    const std::unique_ptr<JournalStore> store = openJournalStore(path,
                                                                 JournalStore::Access::ReadWrite);
    if (!store)
        return failWith(
            QStringLiteral("The journal cannot be opened: its store plugin is missing."));
    if (store->problem() != JournalStore::Problem::None || store->isReadOnly()) {
        return failWith(
            store->problem() == JournalStore::Problem::Damaged
            ? QStringLiteral("The journal %1 is damaged; open the program to set it aside.").arg(
                path)
            : QStringLiteral("The journal %1 cannot be written now.").arg(path));
    }
    const ImportResult result = importReadings(*store, files);
    const QString summary = importSummary(result) + QLatin1Char('\n');
    std::fputs(summary.toLocal8Bit().constData(), result.failed ? stderr : stdout);
    return result.failed || !result.refused.isEmpty() ? 1 : 0;
}

} // namespace Orvella
