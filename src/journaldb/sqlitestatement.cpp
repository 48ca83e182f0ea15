#include "sqlitestatement.h"

namespace Orvella {

SqliteStatement::SqliteStatement(sqlite3 *db, const char *sql)
    : m_prepared(sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr))
{}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

SqliteStatement &SqliteStatement::bind(int index, qint64 value)
{
    sqlite3_bind_int64(m_statement, index, value);
    return *this;
}

SqliteStatement &SqliteStatement::bind(int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(m_statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

void SqliteStatement::reset()
{
    // One that failed to prepare has nothing to reset (and SQLite takes no null here).
    if (!m_statement)
        return;
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

int SqliteStatement::step()
{
    return m_prepared == SQLITE_OK ? sqlite3_step(m_statement) : m_prepared;
}

int SqliteStatement::run()
{
    int result;
    while ((result = step()) == SQLITE_ROW) {}
    return result;
}

qint64 SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

QString SqliteStatement::text(int column) const
{
    const auto *utf8 = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return QString::fromUtf8(utf8, sqlite3_column_bytes(m_statement, column));
}

QByteArrayView SqliteStatement::bytes(int column) const
{
    const auto *utf8 = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return QByteArrayView(utf8, sqlite3_column_bytes(m_statement, column));
}

} // namespace Orvella
