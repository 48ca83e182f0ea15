#include "journalstore.h"

#include "platform/programplugin.h"

namespace Orvella {

bool JournalSummary::awaitsOutcome(const QDate &today) const
{
    return !hasOutcome && !isCardOfTheDay() && time.date().daysTo(today) > OverdueDays;
}

std::unique_ptr<JournalStore> openJournalStore(const QString &path, JournalStore::Access access)
{
    // In a plugin of its own: no SQL library is mapped before a journal is
    // first opened, which is not before a reading is shown.
    auto *factory = qobject_cast<JournalStoreFactory *>(
        loadProgramPlugin(QStringLiteral("orvella-journal-store")));
    return factory ? factory->open(path, access) : nullptr;
}

QString journalProblemText(JournalStore::Problem problem)
{
    switch (problem) {
    case JournalStore::Problem::Full:
        return QStringLiteral("the disk is full");
    case JournalStore::Problem::Busy:
        return QStringLiteral("another program holds the journal; try again in a moment");
    case JournalStore::Problem::NotWritable:
        return QStringLiteral("the journal cannot be written");
    case JournalStore::Problem::Damaged:
        return QStringLiteral("the journal is damaged");
    case JournalStore::Problem::NotYours:
        return QStringLiteral("the journal belongs to another account");
    case JournalStore::Problem::None:
    case JournalStore::Problem::Failed:
        break;
    }
    return QStringLiteral("the journal failed");
}

std::unique_ptr<JournalStore> openJournal(const QString &path)
{
    std::unique_ptr<JournalStore> store = openJournalStore(path, JournalStore::Access::ReadWrite);
    if (store && store->problem() == JournalStore::Problem::NotWritable)
        store = openJournalStore(path, JournalStore::Access::ReadOnly);
    return store;
}

} // namespace Orvella
