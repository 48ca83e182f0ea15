// Writes the journal-export fuzzer's seed corpus: exports of drawn readings,
// one per spread and the card of the day, and damaged copies of one of them.
//   fuzz_make_journal_seeds <folder>

#include "journal/journalentry.h"
#include "journal/journalexport.h"
#include "reading/clockrandomsource.h"
#include "reading/draw.h"

#include <QDir>
#include <QFile>

#include <cstdio>

using namespace Orvella;

namespace {

bool writeSeed(const QDir &dir, const QString &name, const QByteArray &data)
{
    QFile file(dir.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral(".")))
        return 1;

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
        ok &= writeSeed(dir, QStringLiteral("valid-%1.json").arg(i), journalJson({entries[i]}));
    const QByteArray all = journalJson(entries);
    ok &= writeSeed(dir, QStringLiteral("valid-all.json"), all);
    ok &= writeSeed(dir, QStringLiteral("damaged-cut.json"), all.left(all.size() / 2));
    ok &= writeSeed(dir, QStringLiteral("damaged-types.json"),
                    QByteArray(all).replace("\"reversed\": false", "\"reversed\": 0"));
    ok &= writeSeed(dir, QStringLiteral("damaged-card.json"),
                    QByteArray(all).replace("\"card\": \"The ", "\"card\": \"A "));
    ok &= writeSeed(dir, QStringLiteral("damaged-nested.json"),
                    "{\"readings\": " + QByteArray(200, '[') + QByteArray(200, ']') + "}");
    ok &= writeSeed(dir, QStringLiteral("damaged-empty.json"), QByteArray());
    return ok ? 0 : 1;
}
