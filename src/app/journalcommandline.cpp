#include "journalcommandline.h"

#include "journal/damagedjournal.h"
#include "journal/journalexport.h"
#include "journal/journalimport.h"
#include "journal/journalstatistics.h"
#include "journal/journalstore.h"
#include "journal/journaltexts.h"
#include "platform/fileaccess.h"
#include "platform/privatefolder.h"

#include <QDir>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

namespace Orvella {

namespace {

// Several times what keeping 100,000 readings takes (ten seconds here).
constexpr int ImportPatienceMs = 60'000;

int failWith(const QString &message)
{
    std::fputs(qPrintable(message + QLatin1Char('\n')), stderr);
    return 1;
}

// Why the journal at @p path cannot be used now, and what to do where something can be done.
QString journalProblem(JournalStore::Problem problem, const QString &path)
{
    QString text = QStringLiteral("%1: %2.").arg(QDir::toNativeSeparators(path),
                                                 journalProblemText(problem));
    if (problem == JournalStore::Problem::Damaged || problem == JournalStore::Problem::NotYours)
        text += QStringLiteral(" Open the program to set it aside.");
    return text;
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
    const QString path = journalPathIn(data->path);
    // Not made yet, it is still never written over; a link there leads nowhere of ours.
    neverReplaceJournal(path);
    completeJournalRebuild(path);
    if (!anythingAt(path))
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
        failed = failWith(journalProblem(store->problem(), path));
        return nullptr;
    }
    return store;
}

// Writes @p data, which @p what names, to @p target: a file or standard output.
int writeOut(const QString &target, const QByteArray &data, const QString &what)
{
    if (target == QLatin1String("-")) {
        if (std::fwrite(data.constData(), 1, size_t(data.size()), stdout) != size_t(data.size())
            || std::fflush(stdout) != 0)
            return failWith(QStringLiteral("Unable to write %1 to standard output: %2.")
                                .arg(what, QString::fromLocal8Bit(std::strerror(errno))));
        return 0;
    }
    // What the journal holds is the user's alone, in its exports too.
    if (QString why; !writeWholePrivately(target, data, &why))
        return failWith(QStringLiteral("Unable to write %1: %2").arg(target, why));
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
    return writeOut(target, journalExportFor(target, entries), QStringLiteral("the journal"));
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
    return writeOut(target, statisticsCsv(journalStatistics(readings)),
                    QStringLiteral("the statistics"));
}

int importJournalCommand(const QString &folder, const QStringList &files)
{
    const std::optional<PrivateFolder> data = dataFolder(folder);
    if (!data)
        return 1;
    const QString path = journalPathIn(data->path);
    completeJournalRebuild(path);
    const std::unique_ptr<JournalStore> store = openJournalStore(path,
                                                                 JournalStore::Access::ReadWrite);
    if (!store)
        return failWith(
            QStringLiteral("The journal cannot be opened: its store plugin is missing."));
    if (const JournalStore::Problem problem = problemWriting(*store);
        problem != JournalStore::Problem::None)
        return failWith(journalProblem(problem, path));
    // Run from a script, nobody is there to try again: another import that
    // holds the journal is waited for.
    store->setPatience(ImportPatienceMs);
    const ImportResult result = importReadings(*store, files);
    const QString summary = importSummary(result) + QLatin1Char('\n');
    FILE *out = result.failed ? stderr : stdout;
    const bool said = std::fputs(summary.toLocal8Bit().constData(), out) >= 0
                      && std::fflush(out) == 0;
    if (!said) // what was kept stays kept: only the summary is lost
        return failWith(QStringLiteral("The import's summary could not be written: %1.")
                            .arg(QString::fromLocal8Bit(std::strerror(errno))));
    return result.failed || !result.refused.isEmpty() ? 1 : 0;
}

} // namespace Orvella
