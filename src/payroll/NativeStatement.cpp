#include "NativeStatement.h"

#include "db/EngineErrors.h"
#include "runtime/RuntimeError.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>

namespace payroll {

namespace {

RuntimeError toRuntimeError(const QSqlQuery& query, const QString& sql)
{
    const QSqlError error = query.lastError();
    const bool sqlite = query.driver()->dbmsType() == QSqlDriver::SQLite;
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return RuntimeError(ado::EngineErrors::isIntegrityCode(error.nativeErrorCode(), sqlite)
                            ? RuntimeError::IntegrityViolation
                            : RuntimeError::DatabaseFailure,
                        text, sql.simplified().left(120));
}

} // namespace

NativeStatement::NativeStatement(ado::Connection& connection, const QString& sql)
    : m_query(connection.database()), m_sql(sql)
{
    m_query.setForwardOnly(true);
    if (!m_query.prepare(sql))
        throw toRuntimeError(m_query, m_sql);
}

void NativeStatement::execute(std::initializer_list<QVariant> values)
{
    int position = 0;
    for (const QVariant& value : values)
        m_query.bindValue(position++, value);
    if (!m_query.exec())
        throw toRuntimeError(m_query, m_sql);
}

void NativeStatement::run(std::initializer_list<QVariant> values)
{
    execute(values);
    m_query.finish();
}

QVariant NativeStatement::scalar(std::initializer_list<QVariant> values)
{
    execute(values);
    QVariant result;
    if (m_query.next())
        result = m_query.value(0);
    // Finished at once: an open read would hold the engine's read lock.
    m_query.finish();
    return result;
}

QList<QVariantList> NativeStatement::rows(std::initializer_list<QVariant> values)
{
    execute(values);
    QList<QVariantList> result;
    const int columns = m_query.record().count();
    while (m_query.next()) {
        QVariantList row;
        for (int c = 0; c < columns; ++c)
            row << m_query.value(c);
        result << row;
    }
    m_query.finish();
    return result;
}

} // namespace payroll
