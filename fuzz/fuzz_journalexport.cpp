// Feeds arbitrary bytes to the reader of the journal's JSON exports, which an
// import takes from anyone. Built as a libFuzzer target (ORVELLA_FUZZ) and,
// with replay.cpp as its main, as a test that replays its corpus.

#include "journal/journalexport.h"
#include "journal/journalimport.h"
#include "fuzzsupport.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

using namespace Orvella;

using Fuzz::check;

bool acceptedAsValid(const QByteArray &bytes)
{
    const ImportedReadings found = readJournalExport(QStringLiteral("fuzzed"), bytes);
    return !found.entries.isEmpty() && found.refused.isEmpty();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ImportedReadings found = readJournalExport(QStringLiteral("fuzzed"), bytes);
    for (const JournalEntry &entry : found.entries)
        check(entryProblem(entry).isEmpty(), "an accepted reading is one the draw could make");
    for (const ImportRefusal &refusal : found.refused)
        check(!refusal.reason.isEmpty(), "a refusal says why");

    // What was taken in exports again as it came, and reads back the same.
    const QByteArray again = journalJson(found.entries);
    const ImportedReadings back = readJournalExport(QStringLiteral("again"), again);
    check(back.refused.isEmpty(), "an export of accepted readings is accepted whole");
    check(back.entries == found.entries, "read(export(r)) == r");
    check(journalJson(back.entries) == again, "exporting is stable");
    return 0;
}
