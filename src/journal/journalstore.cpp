#include "journalstore.h"

#include "damagedjournal.h"

#include "platform/fileaccess.h"
#include "platform/programplugin.h"

#include <QDir>

namespace Orvella {

bool JournalSummary::awaitsOutcome(const QDate &today) const
{
    return !hasOutcome && !isCardOfTheDay() && time.date().daysTo(today) > OverdueDays;
}

void neverReplaceJournal(const QString &path)
{
    for (const QString &suffix : QStringList{QString()} + journalCompanionSuffixes())
        neverReplace(path + suffix);
}

JournalStore::Problem problemWriting(const JournalStore &store)
{
    return store.problem() != JournalStore::Problem::None ? store.problem() : store.whyReadOnly();
}

std::unique_ptr<JournalStore> openJournalStore(const QString &path, JournalStore::Access access)
{
    // In a plugin of its own: no SQL library is mapped before a journal is
    // first opened, which is not before a reading is shown.
    auto *factory = qobject_cast<JournalStoreFactory *>(
        loadProgramPlugin(QStringLiteral("orvella-journal-store")));
    return factory ? factory->open(path, access) : nullptr;
}

QString journalPathIn(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("journal.sqlite"));
}

std::unique_ptr<JournalStore> openJournal(const QString &path, const JournalStoreOpener &open)
{
    completeJournalRebuild(path);
    std::unique_ptr<JournalStore> store = open(path, JournalStore::Access::ReadWrite);
    if (store
        && (store->problem() == JournalStore::Problem::NotWritable
            || store->problem() == JournalStore::Problem::Full)) {
        // Where there is nothing to read either, the writer's problem says why.
        std::unique_ptr<JournalStore> reader = open(path, JournalStore::Access::ReadOnly);
        if (reader && reader->problem() == JournalStore::Problem::None)
            store = std::move(reader);
    }
    return store;
}

} // namespace Orvella
