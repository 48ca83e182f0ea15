#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <sqlite3.h>

namespace Orvella {

/** One prepared SQL statement, finalized when it goes out of scope. */
class SqliteStatement
{
public:
    SqliteStatement(sqlite3 *db, const char *sql);
    SqliteStatement(sqlite3 *db, const QByteArray &sql) : SqliteStatement(db, sql.constData()) {}
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    /** The result of preparing it: SQLITE_OK, or why it failed. */
    int prepared() const { return m_prepared; }

    SqliteStatement &bind(int index, qint64 value);
    SqliteStatement &bind(int index, const QString &text);

    /** Ready to run again, its values unbound; it holds no read of the database meanwhile. */
    void reset();

    /** SQLITE_ROW, SQLITE_DONE or an error code. */
    int step();
    /** Steps to the end; SQLITE_DONE, or the first error. */
    int run();

    qint64 integer(int column) const;
    QString text(int column) const;
    /** The column's UTF-8 bytes, valid until the next step. */
    QByteArrayView bytes(int column) const;

private:
    sqlite3_stmt *m_statement = nullptr;
    int m_prepared = SQLITE_ERROR;
};

} // namespace Orvella
