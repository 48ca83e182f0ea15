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
#include <optional>

namespace Orvella {

namespace {

int failWith(const QString &message)
{
    std::fputs(qPrintable(message + QLatin1Char('\n')), stderr);
    return 1;
}

// Why the journal at @p path cannot be read (or, @p writing, written) now.
QString journalProblem(JournalStore::Problem problem, const QString &path, bool writing)
{
    const QString shown = QDir::toNativeSeparators(path);
    switch (problem) {
    case JournalStore::Problem::Damaged:
        return QStringLiteral("The journal %1 is damaged; open the program to set it aside.")
            .arg(shown);
    case JournalStore::Problem::NotYours:
        return QStringLiteral("The journal %1 belongs to another account; open the program to "
                              "set it aside.").arg(shown);
    case JournalStore::Problem::Full:
        return QStringLiteral("The disk is full: the journal %1 cannot be written.").arg(shown);
    case JournalStore::Problem::Busy:
        return QStringLiteral("Another program holds the journal %1; try again in a moment.")
            .arg(shown);
    default:
        return (writing ? QStringLiteral("The journal %1 cannot be written now.")
                        : QStringLiteral("The journal %1 cannot be read now."))
            .arg(shown);
    }
}

QString notUsedForTheJournal(const PrivateFolder &folder)
{
    return QStringLiteral("%1 cannot be used for the journal: %2.")
        .arg(QDir::toNativeSeparators(folder.path), folder.problem);
}

// The user's data folder, made private where it was not, and said so; or why it is not used.
std::optional<PrivateFolder> dataFolder(const QString &folder)
{
    const PrivateFolder data = preparePrivateFolder(folder);
    if (!data.isUsable()) {
        failWith(notUsedForTheJournal(data));
        return std::nullopt;
    }
    if (data.state == PrivateFolder::State::Repaired)
        std::fputs(qPrintable(madePrivateNote(data.path) + QLatin1Char('\n')), stderr);
    return data;
}

// The journal in @p folder, ready to be read; the store stays open for the
// caller. Null, with the message said, when it cannot be read.
std::unique_ptr<JournalStore> readJournal(const QString &folder, int &failed)
{
    // Another account's folder, or a link out of it, is not the user's journal.
    const std::optional<PrivateFolder> data = dataFolder(folder);
    if (!data) {
        failed = 1;
        return nullptr;
    }
    const QString path = QDir(data->path).filePath(Journal::fileName());
    if (!QFileInfo::exists(path))
        return nullptr;
    // As the program opens it: one it has not brought up to date yet (older,
    // or never written) is read all the same.
    std::unique_ptr<JournalStore> store = openJournal(path);
    if (!store) {
        failed = failWith(
            QStringLiteral("The journal cannot be read: its store plugin is missing."));
        return nullptr;
    }
    if (store->problem() != JournalStore::Problem::None) {
        failed = failWith(journalProblem(store->problem(), path, false));
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
    const std::optional<PrivateFolder> data = dataFolder(folder);
    if (!data)
        return 1;
    const QString path = QDir(data->path).filePath(Journal::fileName());
    const std::unique_ptr<JournalStore> store = openJournalStore(path,
                                                                 JournalStore::Access::ReadWrite);
    if (!store)
        return failWith(
            QStringLiteral("The journal cannot be opened: its store plugin is missing."));
    if (store->problem() != JournalStore::Problem::None || store->isReadOnly())
        return failWith(journalProblem(store->problem(), path, true));
    const ImportResult result = importReadings(*store, files);
    const QString summary = importSummary(result) + QLatin1Char('\n');
    FILE *out = result.failed ? stderr : stdout;
    const bool said = std::fputs(summary.toLocal8Bit().constData(), out) >= 0
                      && std::fflush(out) == 0;
    return result.failed || !result.refused.isEmpty() || !said ? 1 : 0;
}

} // namespace Orvella
