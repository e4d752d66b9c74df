#include "BulkInsert.h"

#include "db/EngineErrors.h"
#include "runtime/RuntimeError.h"

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace payroll {

BulkInsert::BulkInsert(ado::Connection& connection, const QString& sql) : m_connection(connection)
{
    if (!connection.sqliteHandle())
        throw RuntimeError(RuntimeError::DatabaseFailure,
                           u"Bulk inserts need the embedded engine."_s);
    const QByteArray text = sql.toUtf8();
    const int result = sqlite3_prepare_v2(connection.sqliteHandle(), text.constData(),
                                          int(text.size()), &m_statement, nullptr);
    if (result != SQLITE_OK)
        fail(result);
}

BulkInsert::~BulkInsert()
{
    sqlite3_finalize(m_statement);
}

BulkInsert& BulkInsert::bind(qint64 value)
{
    return checked(sqlite3_bind_int64(m_statement, ++m_position, value));
}

BulkInsert& BulkInsert::bind(double value)
{
    return checked(sqlite3_bind_double(m_statement, ++m_position, value));
}

BulkInsert& BulkInsert::bind(const QByteArray& utf8)
{
    return checked(sqlite3_bind_text(m_statement, ++m_position, utf8.constData(), int(utf8.size()),
                                     SQLITE_TRANSIENT));
}

BulkInsert& BulkInsert::bindNull()
{
    return checked(sqlite3_bind_null(m_statement, ++m_position));
}

// A value bound past the statement's parameters, or one the engine cannot take, must not leave
// the row to be written without it.
BulkInsert& BulkInsert::checked(int bindResult)
{
    if (bindResult != SQLITE_OK)
        fail(bindResult);
    return *this;
}

void BulkInsert::run()
{
    const int result = sqlite3_step(m_statement);
    m_position = 0;
    if (result != SQLITE_DONE)
        fail(result);
    sqlite3_reset(m_statement);
}

void BulkInsert::fail(int resultCode)
{
    const QString message = QString::fromUtf8(sqlite3_errmsg(m_connection.sqliteHandle()));
    sqlite3_reset(m_statement);
    throw ado::EngineErrors::fromSqlite(resultCode, message);
}

} // namespace payroll
