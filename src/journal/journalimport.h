#pragma once

#include "journalentry.h"
#include "journalstore.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace Orvella {

/** A file, or one reading in it, that an import did not take, and why. */
struct ImportRefusal
{
    QString file;
    /** The reading's place in the file, counted from 1; 0 when the whole file is refused. */
    int reading = 0;
    QString reason;
};

/** No more refusals are listed one by one: a file of millions of bad readings is counted. */
inline constexpr qsizetype MaxRefusalsListed = 1000;

/** The readings found in files to import, and what was refused. */
struct ImportedReadings
{
    QList<JournalEntry> entries;
    QList<ImportRefusal> refused;
    /** Refusals beyond the first MaxRefusalsListed, counted. */
    qsizetype refusedBeyond = 0;

    void refuse(ImportRefusal refusal);
};

/** What an import did. */
struct ImportResult
{
    int kept = 0;
    int alreadyKept = 0;
    /** Of those already kept, how many took a question, notes or outcome they lacked. */
    int completed = 0;
    /** Of those already kept, how many have words of their own that the import's differ from. */
    int differing = 0;
    QList<ImportRefusal> refused;
    qsizetype refusedBeyond = 0;
    /** Nothing was kept: the journal failed (see problem), or the import was cancelled. */
    bool failed = false;
    bool cancelled = false;
    JournalStore::Problem problem = JournalStore::Problem::None;
};

/**
 * No file to import is read beyond these sizes, each room for a journal of
 * 200,000 readings: an export of 10,000 readings is 6 MB, a backup 12 MB.
 */
inline constexpr qint64 MaxExportSize = 128 * 1024 * 1024;
inline constexpr qint64 MaxBackupSize = 256 * 1024 * 1024;

/**
 * The readings in the files at @p paths, each a saved reading (.mca, kept as
 * "imported" at its file's modification time), a journal JSON export or a
 * journal backup (both kept as they were), told apart by their content. A
 * reading with an unknown card or spread, the wrong number of cards for its
 * spread or a card twice is refused, and so is a file that is none of the
 * three, damaged, too large, or not an ordinary file. Never waits on a pipe
 * or a device.
 */
ImportedReadings readImports(const QStringList &paths);
/** The readings of the journal JSON export @p bytes, read from @p path, as readImports() does. */
ImportedReadings readJournalExport(const QString &path, const QByteArray &bytes);

/**
 * Reads @p paths and keeps what they hold in @p store in one transaction:
 * every good reading not kept yet, or none. @p progress hears how many of how
 * many readings are done; @p cancelled is asked now and then.
 */
ImportResult importReadings(JournalStore &store, const QStringList &paths,
                            const std::function<void(int done, int total)> &progress = {},
                            const std::function<bool()> &cancelled = {});

/**
 * "12 readings kept, 3 already in the journal, 1 refused:" and a line per
 * refusal, the first @p refusalsListed of them when not all (-1) fit.
 */
QString importSummary(const ImportResult &result, int refusalsListed = -1);

/** What is wrong with @p entry for the journal; an empty text when nothing is. */
QString entryProblem(const JournalEntry &entry);

} // namespace Orvella
