// How much of the SQLite library becomes resident memory as it is used: the
// floor under what the journal costs a program once a reading is kept. The
// kernel maps a shared library's pages in blocks around each one touched, so
// the figure depends little on what is asked of SQLite once it has started.
//   bench_sqlite_residency    prints KiB of the library resident after each step

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>

namespace {

long residentKiBOf(const QByteArray &library)
{
    QFile maps(QStringLiteral("/proc/self/smaps"));
    if (!maps.open(QIODevice::ReadOnly))
        return -1;
    long kib = 0;
    bool inside = false;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        // A mapping's first line starts with its address range, "from-to".
        if (!line.isEmpty() && line.indexOf('-') > 0 && line.indexOf('-') < line.indexOf(' '))
            inside = line.contains(library);
        else if (inside && line.startsWith("Rss:"))
            kib += line.mid(4).trimmed().split(' ').value(0).toLong();
    }
    return kib;
}

void report(const char *step)
{
    std::printf("%-40s %5ld KiB of libsqlite3 resident\n", step, residentKiBOf("libsqlite3"));
}

} // namespace

int main()
{
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("floor.sqlite")));
    report("loaded with the program");
    sqlite3_initialize();
    report("started (sqlite3_initialize)");
    sqlite3 *db = nullptr;
    sqlite3_open(path.constData(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
    report("a database opened, write-ahead log");
    sqlite3_exec(db, "CREATE TABLE t (a INTEGER PRIMARY KEY, b TEXT); INSERT INTO t (b) VALUES ('x')",
                 nullptr, nullptr, nullptr);
    report("a table made and a row written");
    sqlite3_close(db);
    return 0;
}
