// The journal's speed: keeping a reading on the user-interface thread, and a
// journal of 10,000 readings (made here) opened in its window, searched as one
// types, its rows painted, its statistics shown for several periods, exported
// as JSON and imported again. Prints each figure with its goal.
//   bench_journal [readings]      (default 10000; runs offscreen)
// With BENCH_DETAIL set, each keystroke's time is printed with its query's share.

#include "journal/journalexport.h"
#include "journal/journalimport.h"
#include "journaldb/sqlitejournalstore.h"
#include "journalviews/journal.h"
#include "journalviews/journalwindow.h"
#include "reading/clockrandomsource.h"
#include "reading/draw.h"
#include "session/readingsession.h"
#include "support/fakeplatform.h"
#include "support/files.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace Orvella;

namespace {

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

double ms(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

std::unique_ptr<JournalStore> openStore(const QString &path)
{
    return SqliteJournalStore::open(path, JournalStore::Access::ReadWrite);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int readings = argc > 1 ? QByteArray(argv[1]).toInt() : 10000;
    QTemporaryDir dir;
    Test::FakePlatform platform;
    ClockRandomSource random;
    random.seed(11);

    // Keeping: what the journal does on the user-interface thread when a reading is shown.
    {
        ReadingSession session(platform, random);
        Journal journal(session, platform,
                        dir.filePath(QStringLiteral("keep")),
                                     &SqliteJournalStore::open);
        QDir().mkpath(dir.filePath(QStringLiteral("keep")));
        session.draw(QStringLiteral("First"), 0); // opens the journal
        QList<double> keeps;
        for (int i = 0; i < 300; ++i) {
            QElapsedTimer took;
            took.start();
            session.draw(QStringLiteral("Ann"), qint16(i % 5));
            keeps << ms(took);
        }
        std::printf("keeping a reading, drawn and kept: median %.3f ms (goal <= 2)\n",
                    median(keeps));
    }

    // A journal of many readings, made as fast as the store allows.
    const QString folder = dir.filePath(QStringLiteral("big"));
    QDir().mkpath(folder);
    {
        auto store = openStore(journalPathIn(folder));
        QDateTime when = QDateTime::currentDateTime().addDays(-readings / 4);
        for (int i = 0; i < readings; ++i) {
            Reading reading;
            Draw(reading, qint16(i % 5), random);
            JournalEntry entry = journalEntry(reading, when, JournalSource::Drawn,
                                              QStringLiteral("Reader %1").arg(i % 97));
            if (i % 3 == 0)
                entry.notes = QStringLiteral("Note %1 about a journey, a bear and the river").arg(
                    i);
            store->keep(entry);
            when = when.addSecs(6 * 3600 + i % 3600);
        }
    }

    // The first reading after a start opens the journal, and checks it, first.
    {
        ReadingSession session(platform, random);
        Journal journal(session, platform, folder,
                        &SqliteJournalStore::open);
        QElapsedTimer first;
        first.start();
        session.draw(QStringLiteral("Ann"), 0);
        std::printf("the first reading after a start, kept in a journal of %d: %.1f ms\n",
                    readings, ms(first));
        // Taken out again: the figures below are for the journal as it was made.
        journal.store()->remove(journal.store()->list({}).value(0).id);
    }

    ReadingSession session(platform, random);
    Journal journal(session, platform, folder, &SqliteJournalStore::open);
    QElapsedTimer opening;
    opening.start();
    JournalWindow window(journal);
    window.show();
    QCoreApplication::processEvents();
    std::printf("%d readings: the window opens with its list in %.1f ms (goal <= 150)\n", readings,
                ms(opening));

    auto *search = window.findChild<QLineEdit *>(QStringLiteral("txtSearch"));
    QList<double> keystrokes;
    for (const QString &typed : {QStringLiteral("b"),
             QStringLiteral("be"),
                 QStringLiteral("bea"),
                     QStringLiteral("bear"),
                         QStringLiteral("bear r"),
                                        QStringLiteral("bear ri"),
                                                       QStringLiteral("read"),
                                                                      QStringLiteral("reader 4")}) {
        QElapsedTimer took;
        took.start();
        search->setText(typed);
        QCoreApplication::processEvents();
        keystrokes << ms(took);
        if (qEnvironmentVariableIsSet("BENCH_DETAIL")) {
            QElapsedTimer sql;
            sql.start();
            const auto found = journal.store()->list({.text = typed});
            std::printf("  '%s': %.2f ms in all, %.2f ms of it the query, %lld found\n",
                        qPrintable(typed), keystrokes.last(), ms(sql),
                        static_cast<long long>(found.size()));
        }
    }
    std::printf("a search answers a keystroke: median %.2f ms, slowest %.2f ms (goal <= 30)\n",
                median(keystrokes), *std::max_element(keystrokes.begin(), keystrokes.end()));
    search->clear();
    QCoreApplication::processEvents();

    auto *list = window.findChild<QListView *>(QStringLiteral("lstReadings"));
    QImage canvas(list->viewport()->size() * list->devicePixelRatioF(),
                  QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(list->devicePixelRatioF());
    const int shown = list->viewport()->height() / list->sizeHintForRow(0) + 1;
    QList<double> paints;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer took;
        took.start();
        list->viewport()->render(&canvas);
        paints << ms(took) / shown;
    }
    std::printf("a row paints in %.3f ms (median of %d rows at a time; goal <= 1)\n",
                median(paints), shown);

    // The statistics as the user waits for them: listed from the journal, counted and shown.
    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabsJournal"));
    QElapsedTimer firstStatistics;
    firstStatistics.start();
    tabs->setCurrentIndex(1);
    QCoreApplication::processEvents();
    std::printf("the statistics of all %d, the first time they are looked at: %.1f ms "
                "(goal <= 50)\n", readings, ms(firstStatistics));
    auto *period = window.findChild<QComboBox *>(QStringLiteral("cboPeriod"));
    QList<double> periods;
    for (int i = 0; i < 12; ++i) {
        QElapsedTimer took;
        took.start();
        period->setCurrentIndex((i + 1) % 3); // the last 30 days, this year, all
        QCoreApplication::processEvents();
        periods << ms(took);
    }
    std::printf("the statistics for another period: median %.1f ms, slowest %.1f ms (goal <= 50)\n",
                median(periods), *std::max_element(periods.begin(), periods.end()));
    tabs->setCurrentIndex(0);

    // As the window exports: the readings listed, asked for by their numbers.
    QList<qint64> listed;
    for (const JournalSummary &reading : journal.store()->list({}))
        listed << reading.id;
    QElapsedTimer exporting;
    exporting.start();
    const QByteArray json = journalJson(journal.store()->entries(listed));
    std::printf("exporting all %d as JSON: %.1f ms, %lld bytes (goal <= 1000)\n", readings,
                ms(exporting), static_cast<long long>(json.size()));

    // That export read back into an empty journal, and once more into the full one.
    const QString exported = dir.filePath(QStringLiteral("export.json"));
    Test::writeFile(exported, json);
    for (const char *into : {"an empty journal", "the same journal again"}) {
        static const auto store = openStore(dir.filePath(QStringLiteral("imported.sqlite")));
        QElapsedTimer importing;
        importing.start();
        const ImportResult result = importReadings(*store, {exported});
        std::printf("importing %d from JSON into %s: %.0f ms, %d kept (goal <= 2000)\n", readings,
                    into, ms(importing), result.kept);
    }
    return 0;
}
