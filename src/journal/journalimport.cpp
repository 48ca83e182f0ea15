#include "journalimport.h"

#include "damagedjournal.h"
#include "journalexport.h"
#include "journaltexts.h"
#include "oracle/carddeck.h"
#include "platform/fileaccess.h"
#include "storage/readingfile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <variant>

namespace Orvella {

namespace {

const QByteArray SqliteHeader("SQLite format 3\0", 16);

std::optional<int> cardNamed(const QString &name)
{
    for (int card = 0; card < CardDeck::CardCount; ++card) {
        if (CardDeck::card(card)->name == name)
            return card;
    }
    return std::nullopt;
}

// Made once: asked of every reading imported.
const QList<JournalSpread> &knownSpreads()
{
    static const QList<JournalSpread> spreads = journalSpreads();
    return spreads;
}

std::optional<int> spreadNamed(const QString &name)
{
    for (const JournalSpread &spread : knownSpreads()) {
        if (spread.name == name)
            return spread.index;
    }
    return std::nullopt;
}

const JournalSpread *spreadOf(int index)
{
    for (const JournalSpread &spread : knownSpreads()) {
        if (spread.index == index)
            return &spread;
    }
    return nullptr;
}

// Text of a file, said back in quotes: a name of pages, or of many lines, as a few words.
QString quoted(const QString &text)
{
    return u'"' + cutShort(text.simplified(), 40) + u'"';
}

// A position's title names it in a few words: far longer, it would hold the
// card view for seconds, drawn over its card.
constexpr qsizetype MaxTitleLength = 1000;

// Both sizes, whichever the file would have been: a file too large is never read to tell.
QString tooLarge()
{
    return QStringLiteral("it is too large to import (%1 MB at most, or %2 MB for a journal "
                          "backup)")
        .arg(MaxExportSize / (1024 * 1024))
        .arg(MaxBackupSize / (1024 * 1024));
}

// Why a file could not be read; looked at only after reading it failed.
QString unreadable(const QString &path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return QStringLiteral("there is no such file");
    if (!file.isFile())
        return QStringLiteral("it is not an ordinary file");
    if (file.size() > MaxBackupSize)
        return tooLarge();
    return QStringLiteral("it cannot be read");
}

// A JSON text, which an editor may have begun with a byte order mark.
bool looksLikeJson(const QByteArray &bytes)
{
    const QByteArrayView text = QByteArrayView(bytes).startsWith("\xEF\xBB\xBF")
        ? QByteArrayView(bytes).sliced(3)
        : QByteArrayView(bytes);
    return text.trimmed().startsWith('{');
}

// Sound in form, but is it a reading the draw could have made?
void take(const QString &path, int place, JournalEntry entry, ImportedReadings &found)
{
    if (const QString problem = entryProblem(entry); !problem.isEmpty())
        found.refuse({path, place, problem});
    else
        found.entries.append(std::move(entry));
}

// A reading of a JSON export, or why it is not one.
std::variant<JournalEntry, QString> exportedEntry(const QJsonValue &value)
{
    const QString notAsExported = QStringLiteral("it is not written as a journal export writes it");
    if (!value.isObject())
        return notAsExported;
    const QJsonObject reading = value.toObject();
    const auto text = [&](const char *key, bool needed) -> std::optional<QString> {
        const QJsonValue field = reading.value(QLatin1String(key));
        if (field.isString())
            return field.toString();
        if (field.isUndefined() && !needed)
            return QString();
        return std::nullopt;
    };
    JournalEntry entry;
    const auto time = text("time", true);
    const QDateTime shown = QDateTime::fromString(time.value_or(QString()), Qt::ISODate);
    if (!shown.isValid()) {
        if (!time || time->isEmpty())
            return QStringLiteral("it has no time it was shown at");
        return QStringLiteral("its time, %1, is not a real date and time").arg(quoted(*time));
    }
    // As the journal keeps every time: one written by hand with a fraction of
    // a second ("09:15,5") then exports again as it was kept.
    entry.time = journalTime(shown);
    const auto spreadName = text("spread", true);
    const auto spread = spreadNamed(spreadName.value_or(QString()));
    if (!spread)
        return QStringLiteral("an unknown spread, %1").arg(quoted(spreadName.value_or(QString())));
    entry.spread = *spread;
    entry.spreadName = *spreadName;
    const auto source = journalSourceFromName(text("source", true).value_or(QString()));
    const auto name = text("name", false);
    const auto file = text("file", false);
    const auto question = text("question", false);
    const auto notes = text("notes", false);
    const auto outcome = text("outcome", false);
    const auto outcomeDate = text("outcomeDate", false);
    if (!source || !name || !file || !question || !notes || !outcome || !outcomeDate)
        return notAsExported;
    entry.source = *source;
    entry.name = *name;
    entry.file = *file;
    entry.question = *question;
    entry.notes = *notes;
    entry.outcome = *outcome;
    entry.outcomeDate = QDate::fromString(*outcomeDate, Qt::ISODate);
    if (!outcomeDate->isEmpty() && !entry.outcomeDate.isValid())
        return notAsExported;
    const QJsonValue cards = reading.value(QLatin1String("cards"));
    if (!cards.isArray())
        return notAsExported;
    for (const QJsonValue &each : cards.toArray()) {
        const QJsonObject card = each.toObject();
        const QJsonValue title = card.value(QLatin1String("title"));
        const QJsonValue cardName = card.value(QLatin1String("card"));
        const QJsonValue reversed = card.value(QLatin1String("reversed"));
        if (card.value(QLatin1String("position")).toInt(-1) != entry.cards.size() + 1
            || !title.isString() || !cardName.isString() || !reversed.isBool())
            return notAsExported;
        const std::optional<int> index = cardNamed(cardName.toString());
        if (!index)
            return QStringLiteral("an unknown card, %1").arg(quoted(cardName.toString()));
        entry.cards.append(
            journalCard(int(entry.cards.size()) + 1, title.toString(), *index, reversed.toBool()));
    }
    return entry;
}

QString writtenByNewer()
{
    return QStringLiteral("it was written by a newer version of this program");
}

void readExport(const QString &path, const QByteArray &bytes, ImportedReadings &found)
{
    // Qt's parser refuses nesting deeper than a thousand levels at once.
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    const QJsonObject top = document.object();
    // The version a whole number from 1 on: "99" or 1.5 is no version this program wrote.
    const double version = top.value(QLatin1String("version")).toDouble(0);
    if (error.error != QJsonParseError::NoError || !document.isObject()
        || top.value(QLatin1String("format")).toString() != QLatin1String(JournalFormat)
        || !top.value(QLatin1String("readings")).isArray() || version < 1
        || version != std::floor(version)) {
        found.refuse({path, 0, QStringLiteral("it is damaged, or not a journal export")});
        return;
    }
    if (version > JournalFormatVersion) {
        found.refuse({path, 0, writtenByNewer()});
        return;
    }
    const QJsonArray readings = top.value(QLatin1String("readings")).toArray();
    for (qsizetype i = 0; i < readings.size(); ++i) {
        auto entry = exportedEntry(readings[i]);
        if (auto *refused = std::get_if<QString>(&entry))
            found.refuse({path, int(i + 1), *refused});
        else
            take(path, int(i + 1), std::move(std::get<JournalEntry>(entry)), found);
    }
}

// @p bytes, a database cut short (a copy stopped halfway) read by the pages
// it still has: its header's page count, which SQLite would otherwise trust
// and find every page past the end missing, is marked out of date.
QByteArray asCutShort(QByteArray bytes)
{
    constexpr int PageSize = 16, ChangeCounter = 24, PageCount = 28, CountValidFor = 92;
    if (bytes.size() < 100)
        return bytes;
    const quint16 size = qFromBigEndian<quint16>(bytes.constData() + PageSize);
    const qint64 pageSize = size == 1 ? 65536 : size;
    if (pageSize * qFromBigEndian<quint32>(bytes.constData() + PageCount) > bytes.size())
        bytes[CountValidFor] = char(~bytes[ChangeCounter]);
    return bytes;
}

void readBackup(const QString &path, const QByteArray &bytes, ImportedReadings &found)
{
    // The bytes already read, in a file of our own: what SQLite opens is then
    // what was judged, and an older backup can be brought up to date in it.
    // A journal still in use keeps its latest readings in the log beside it: taken along.
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("backup.sqlite"));
    // A log that is a link may lead anywhere: not followed.
    const QString log = journalLogSuffix();
    const bool linked = QFileInfo(path + log).isSymLink();
    const std::optional<QByteArray> logged = linked ? std::nullopt
                                                    : readSmallFile(path + log, MaxBackupSize);
    if (!folder.isValid() || !writeWhole(copy, asCutShort(bytes))
        || (!linked && anythingAt(path + log) && !logged)
        || (logged && !logged->isEmpty() && !writeWhole(copy + log, *logged))) {
        found.refuse({path, 0, QStringLiteral("it could not be copied to be read")});
        return;
    }
    std::unique_ptr<JournalStore> backup = openJournalStore(copy, JournalStore::Access::Foreign);
    if (backup && backup->problem() == JournalStore::Problem::Newer) {
        found.refuse({path, 0, writtenByNewer()});
        return;
    }
    QList<JournalEntry> entries;
    if (backup && backup->problem() == JournalStore::Problem::None)
        entries = backup->all(); // which may find it damaged too
    if (!backup || backup->problem() != JournalStore::Problem::None) {
        // Damaged: what can still be read of it is taken, each reading judged as any other.
        backup.reset();
        entries.clear();
        const std::unique_ptr<JournalStore> damaged = openJournalStore(
            copy, JournalStore::Access::Salvage);
        if (damaged && damaged->problem() == JournalStore::Problem::None)
            entries = damaged->all();
        if (entries.isEmpty()) {
            found.refuse({path, 0, QStringLiteral("it is a damaged journal")});
            return;
        }
        found.refuse({path, 0,
                      QStringLiteral("it is a damaged journal; the readings that could still "
                                     "be read from it are taken")});
    }
    // Taken as their export would be, and held to it: a backup altered by hand
    // (a card's name, a position, a time) is refused as such an export would be,
    // never kept in a shape the journal's own export could not bring back.
    readExport(path, journalJson(entries), found);
}

void readSavedReading(const QString &path, const QByteArray &bytes, ImportedReadings &found)
{
    const std::optional<Reading> reading = ReadingFile::decode(bytes);
    if (!reading && exportsAsCsv(path)) {
        found.refuse({path, 0,
                      QStringLiteral("a spreadsheet (CSV) file cannot be read back: import the "
                                     "journal's JSON export or a journal backup instead")});
        return;
    }
    if (!reading) {
        found.refuse({path, 0,
                      QStringLiteral("it is damaged, or not a reading, a journal export or a "
                                     "journal backup")});
        return;
    }
    take(path, 0,
         journalEntry(*reading, QFileInfo(path).lastModified(), JournalSource::Imported, {},
                      whereIs(path)),
         found);
}

} // namespace

void ImportedReadings::refuse(ImportRefusal refusal)
{
    if (refused.size() < MaxRefusalsListed)
        refused.append(std::move(refusal));
    else
        ++refusedBeyond;
}

QString entryProblem(const JournalEntry &entry)
{
    if (!entry.time.isValid())
        return QStringLiteral("it has no time it was shown at");
    // A file's date far out of them is a wrong one, and would have the
    // statistics count the months between.
    if (const int year = entry.time.date().year(); year < EarliestYear || year > LatestYear)
        return QStringLiteral("its time, in the year %1, cannot be right").arg(year);
    // Longer, a text would hold the window for seconds each time it is shown.
    const std::pair<const QString &, const char *> texts[] = {{entry.name, "name is"},
                                                              {entry.question, "question is"},
                                                              {entry.notes, "notes are"},
                                                              {entry.outcome, "outcome is"}};
    for (const auto &[text, what] : texts) {
        if (text.size() > MaxTextLength)
            return QStringLiteral("its %1 too long (%2 characters at most)")
                .arg(QLatin1String(what), QString::number(MaxTextLength));
    }
    const JournalSpread *spread = spreadOf(entry.spread);
    if (!spread)
        return QStringLiteral("an unknown spread, %1").arg(quoted(entry.spreadName));
    if (const int wanted = spread->cardCount; entry.cards.size() != wanted) {
        return QStringLiteral("%1 %2 for the %3, which has %4")
            .arg(QString::number(entry.cards.size()),
                 entry.cards.size() == 1 ? QStringLiteral("card") : QStringLiteral("cards"),
                 spread->name, QString::number(wanted));
    }
    QSet<int> seen;
    for (const JournalCard &card : entry.cards) {
        if (!CardDeck::isCard(card.card))
            return QStringLiteral("an unknown card");
        if (card.title.size() > MaxTitleLength)
            return QStringLiteral("the title of its position %1 is too long (%2 characters at "
                                  "most)")
                .arg(card.position)
                .arg(MaxTitleLength);
        if (seen.contains(card.card))
            return QStringLiteral("%1 twice").arg(card.cardName);
        seen.insert(card.card);
    }
    return {};
}

ImportedReadings readJournalExport(const QString &path, const QByteArray &bytes)
{
    ImportedReadings found;
    readExport(path, bytes, found);
    return found;
}

ImportedReadings readImports(const QStringList &paths)
{
    ImportedReadings found;
    for (const QString &path : paths) {
        const std::optional<QByteArray> bytes = readSmallFile(path, MaxBackupSize);
        if (!bytes) {
            found.refuse({path, 0, unreadable(path)});
            continue;
        }
        if (bytes->startsWith(SqliteHeader))
            readBackup(path, *bytes, found);
        else if (bytes->size() > MaxExportSize)
            found.refuse({path, 0, tooLarge()});
        else if (looksLikeJson(*bytes))
            readExport(path, *bytes, found);
        else
            readSavedReading(path, *bytes, found);
    }
    return found;
}

ImportResult importReadings(JournalStore &store, const QStringList &paths,
                            const std::function<void(int, int)> &progress,
                            const std::function<bool()> &cancelled)
{
    ImportResult result;
    const ImportedReadings found = readImports(paths);
    result.refused = found.refused;
    result.refusedBeyond = found.refusedBeyond;
    if (cancelled && cancelled()) {
        result.failed = result.cancelled = true;
        return result;
    }
    const int total = int(found.entries.size());
    const std::optional<JournalStore::Kept> kept = store.keepAll(
        found.entries,
        [&](int done) {
            if (progress)
                progress(done, total);
        },
        cancelled);
    if (!kept) {
        result.failed = true;
        result.cancelled = cancelled && cancelled();
        result.problem = store.problem();
        return result;
    }
    result.kept = kept->added;
    result.alreadyKept = total - kept->added;
    result.completed = kept->completed;
    result.differing = kept->differing;
    return result;
}

QString importSummary(const ImportResult &result, int refusalsListed)
{
    QString summary;
    if (result.cancelled) {
        summary = QStringLiteral("The import was cancelled: no reading was kept.");
    } else if (result.failed) {
        summary = QStringLiteral("No reading was kept: %1.")
                      .arg(journalProblemText(result.problem));
    } else {
        summary = QStringLiteral("%1 kept, %2 already in the journal")
                      .arg(readingsText(result.kept), QString::number(result.alreadyKept));
        if (result.completed)
            summary += QStringLiteral(", %1 of them given notes from the import")
                           .arg(result.completed);
        if (result.differing)
            summary += QStringLiteral(", %1 with words of their own that differ from the "
                                      "import's, kept as they are")
                           .arg(result.differing);
        summary += result.refused.isEmpty()
            ? QStringLiteral(".")
            : QStringLiteral(", %1 refused:").arg(result.refused.size() + result.refusedBeyond);
    }
    if (result.failed && !result.refused.isEmpty())
        summary += QStringLiteral("\nRefused as well:");
    const qsizetype listed = refusalsListed >= 0
        ? std::min(result.refused.size(), qsizetype(refusalsListed))
        : result.refused.size();
    for (qsizetype i = 0; i < listed; ++i) {
        const ImportRefusal &refusal = result.refused[i];
        const QString where = QDir::toNativeSeparators(refusal.file);
        summary += u'\n'
                   + (refusal.reading ? QStringLiteral("%1, reading %2: %3")
                                            .arg(where, QString::number(refusal.reading),
                                                 refusal.reason)
                                      : QStringLiteral("%1: %2").arg(where, refusal.reason));
    }
    if (const qsizetype more = result.refused.size() - listed + result.refusedBeyond)
        summary += QStringLiteral("\n... and %1 more.").arg(more);
    return summary;
}

} // namespace Orvella
