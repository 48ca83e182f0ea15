#include "journaltransfers.h"

#include "journal.h"
#include "journal/journalexport.h"
#include "journal/journalimport.h"
#include "journal/journaltexts.h"
#include "platform/fileaccess.h"
#include "platform/platform.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>

namespace Orvella {

namespace {

// A message box of more would be taller than a screen.
constexpr int RefusalsShown = 15;
// Below this a progress bar would only flash.
constexpr int ProgressAfterMs = 400;
constexpr int ProgressEveryMs = 50;

} // namespace

void importIntoJournal(Journal &journal, QWidget *parent)
{
    Platform &platform = journal.platform();
    const QStringList files = platform.openFileNames(
        parent, QStringLiteral("Import Readings"),
        QStringLiteral("Readings and journals (*.mca *.json *.sqlite);;All files (*)"));
    if (files.isEmpty())
        return;
    journal.keepWaiting(); // the readings shown before it, kept before it
    if (journal.path().isEmpty() || !journal.store()) {
        platform.showMessage(parent, QStringLiteral("There is no journal to import into."),
                             Platform::Icon::Critical);
        return;
    }

    // A connection of its own on the import's thread: the journal goes on
    // keeping the readings shown meanwhile, waiting its turn if it must.
    std::atomic<int> done = 0;
    std::atomic<int> total = 0;
    std::atomic<bool> cancelled = false;
    ImportResult result;
    const QString path = journal.path();
    std::unique_ptr<QThread> worker(QThread::create([&] {
        const std::unique_ptr<JournalStore> store =
            openJournalStore(path, JournalStore::Access::ReadWrite);
        const JournalStore::Problem problem = store ? problemWriting(*store)
                                                    : JournalStore::Problem::Failed;
        if (problem != JournalStore::Problem::None) {
            result.failed = true;
            result.problem = problem;
            return;
        }
        result = importReadings(
            *store, files,
            [&](int now, int of) {
                done = now;
                total = of;
            },
            [&] { return cancelled.load(); });
    }));

    QProgressDialog progress(QStringLiteral("Importing readings..."), QStringLiteral("Cancel"), 0,
                             0, parent);
    progress.setWindowTitle(QStringLiteral("Import Readings"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(ProgressAfterMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    QEventLoop loop;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &progress, [&] {
        progress.setMaximum(total);
        progress.setValue(done);
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&] { cancelled = true; });
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    tick.start(ProgressEveryMs);
    worker->start();
    loop.exec();
    worker->wait();
    tick.stop();
    progress.close();

    if (result.kept > 0 || result.completed > 0)
        journal.announceChange();
    const bool allWell = !result.failed && result.refused.isEmpty();
    platform.showMessage(parent, importSummary(result, RefusalsShown),
                         allWell ? Platform::Icon::Information : Platform::Icon::Critical);
}

void backUpJournal(Journal &journal, QWidget *parent)
{
    Platform &platform = journal.platform();
    journal.noticeChangesElsewhere(); // the journal now at its place, if it was moved
    journal.keepWaiting();
    const auto noJournal = [&] {
        platform.showMessage(parent, QStringLiteral("There is no journal to back up."),
                             Platform::Icon::Critical);
    };
    if (!journal.store())
        return noJournal();
    const QString path = platform.saveFileName(
        parent, QStringLiteral("Back Up Journal"), QStringLiteral("Journal backups (*.sqlite)"),
        QStringLiteral("sqlite"), datedFileName(QStringLiteral("journal-backup"), platform.today()));
    if (path.isEmpty())
        return;
    // Looked up again: a retry while the dialog was open may have opened it anew.
    JournalStore *store = journal.store();
    if (!store)
        return noJournal();
    QString why;
    const std::optional<QByteArray> backup = store->backup(&why);
    // Private as the journal is: it holds the user's notes.
    if (!backup || !writeWholePrivately(path, *backup, &why)) {
        const QString failed = QStringLiteral("Unable To Back Up The Journal.");
        platform.showMessage(parent, unableBecause(failed, why), Platform::Icon::Critical);
        return;
    }
    // A copy of the journal holds only what the journal has: what waits is said.
    if (journal.waiting() > 0 || !journal.allWaitingWords().isEmpty()) {
        platform.showMessage(parent,
                             QStringLiteral("The journal is backed up without the readings and "
                                            "notes it could not take yet; they are kept in it "
                                            "as soon as it can take them."),
                             Platform::Icon::Information);
    }
}

void exportFromJournal(Journal &journal, const QList<qint64> &ids, bool onlySome, QWidget *parent)
{
    journal.keepWaiting();
    if (!journal.store())
        return;
    Platform &platform = journal.platform();
    // The dialog runs events: a retry may open the journal anew meanwhile, or
    // find another in its place, whose readings are not those listed.
    bool begunAnew = false;
    const QMetaObject::Connection watch = QObject::connect(
        &journal, &Journal::reopened, [&begunAnew] { begunAnew = true; });
    // Exported as listed: a search or a filter is not to make a backup short unseen.
    QString title = QStringLiteral("Export Journal");
    if (onlySome) {
        title += ids.size() == 1 ? QStringLiteral(": The 1 Reading Listed")
                                 : QStringLiteral(": The %1 Readings Listed")
                                       .arg(journalLocale().toString(ids.size()));
    }
    const QString path = platform.saveFileName(
        parent, title,
        QStringLiteral("Journal (*.json);;Spreadsheet (*.csv)"), QStringLiteral("json"),
        datedFileName(QStringLiteral("journal"), platform.today()));
    QObject::disconnect(watch);
    JournalStore *store = journal.store();
    if (path.isEmpty() || !store)
        return;
    const QString failed = QStringLiteral("Unable To Export The Journal.");
    if (begunAnew) {
        platform.showMessage(parent,
                             unableBecause(failed,
                                           QStringLiteral("Another journal took its place while "
                                                          "the file was chosen. Export again "
                                                          "the readings now listed.")),
                             Platform::Icon::Critical);
        return;
    }
    // As the window shows them: with the words typed that the journal could not take yet.
    QList<JournalEntry> entries = store->entries(ids);
    for (JournalEntry &entry : entries)
        entry = journal.asTyped(std::move(entry));
    const QByteArray data = journalExportFor(path, entries);
    QString why = QStringLiteral("The journal could not be read.");
    // The notes in it are the user's alone, as in the journal.
    if (store->problem() != JournalStore::Problem::None || !writeWholePrivately(path, data, &why)) {
        platform.showMessage(parent, unableBecause(failed, why), Platform::Icon::Critical);
    }
}

} // namespace Orvella
