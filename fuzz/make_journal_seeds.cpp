// Writes the journal-export fuzzer's seed corpus: exports of drawn readings,
// one per spread and the card of the day, and damaged copies of one of them.
//   fuzz_make_journal_seeds <folder>

#include "journal/journalentry.h"
#include "journal/journalexport.h"
#include "reading/clockrandomsource.h"
#include "reading/draw.h"

#include "fuzzsupport.h"

using namespace Orvella;

int main(int argc, char *argv[])
{
    const std::optional<QDir> folder = Fuzz::seedFolder(argc, argv);
    if (!folder)
        return 2;
    const QDir &dir = *folder;

    ClockRandomSource random;
    random.seed(7919);
    const QDateTime time = QDateTime::fromString(QStringLiteral("2026-12-08T09:15:02+01:00"),
                                                 Qt::ISODate);
    QList<JournalEntry> entries;
    for (int spread = 0; spread < 5; ++spread) {
        Reading reading;
        Draw(reading, spread, random);
        JournalEntry entry = journalEntry(reading, time.addDays(spread),
                                          spread % 2 ? JournalSource::Opened : JournalSource::Drawn,
                                          QStringLiteral("Aiyana"),
                                          spread % 2 ? QStringLiteral("/home/a/r.mca") : QString());
        entry.question = QStringLiteral("Which way?");
        entry.notes = QStringLiteral("Ünïcode \"quoted\"\nsecond line");
        if (spread == 2) {
            entry.outcome = QStringLiteral("Well");
            entry.outcomeDate = QDate(2026, 12, 20);
        }
        entries << entry;
    }
    entries << cardOfTheDay(random, time);

    bool ok = true;
    for (qsizetype i = 0; i < entries.size(); ++i)
        ok &= Fuzz::writeSeed(dir, QStringLiteral("valid-%1.json").arg(i), journalJson({entries[i]}));
    const QByteArray all = journalJson(entries);
    ok &= Fuzz::writeSeed(dir, QStringLiteral("valid-all.json"), all);
    ok &= Fuzz::writeSeed(dir, QStringLiteral("damaged-cut.json"), all.left(all.size() / 2));
    ok &= Fuzz::writeSeed(dir, QStringLiteral("damaged-types.json"),
                    QByteArray(all).replace("\"reversed\": false", "\"reversed\": 0"));
    ok &= Fuzz::writeSeed(dir, QStringLiteral("damaged-card.json"),
                    QByteArray(all).replace("\"card\": \"The ", "\"card\": \"A "));
    ok &= Fuzz::writeSeed(dir, QStringLiteral("damaged-nested.json"),
                    "{\"readings\": " + QByteArray(200, '[') + QByteArray(200, ']') + "}");
    ok &= Fuzz::writeSeed(dir, QStringLiteral("damaged-empty.json"), QByteArray());
    return ok ? 0 : 1;
}
