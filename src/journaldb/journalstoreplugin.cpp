// The journal's store as a plugin: the program loads it, and SQLite with it,
// the first time it keeps a reading, never while it starts.

#include "sqlitejournalstore.h"

#include <QObject>

namespace Orvella {

class SqliteJournalStoreFactory : public QObject, public JournalStoreFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID OrvellaJournalStore_iid)
    Q_INTERFACES(Orvella::JournalStoreFactory)

public:
    std::unique_ptr<JournalStore> open(const QString &path, JournalStore::Access access) override
    {
        return SqliteJournalStore::open(path, access);
    }
};

} // namespace Orvella

#include "journalstoreplugin.moc"
