#include "NativeStatement.h"

#include "runtime/RuntimeError.h"

#include <QSqlError>
#include <QSqlRecord>

namespace payroll {

namespace {

// The engines report a broken key or check as SQLite's 19 or SQL Server's 2627, 2601 and 547.
bool isIntegrityViolation(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("19") || code == QLatin1String("2627") ||
           code == QLatin1String("2601") || code == QLatin1String("547");
}

RuntimeError toRuntimeError(const QSqlError& error, const QString& sql)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return RuntimeError(isIntegrityViolation(error) ? RuntimeError::IntegrityViolation
                                                    : RuntimeError::DatabaseFailure,
                        text, sql.simplified().left(120));
}

} // namespace

NativeStatement::NativeStatement(ado::Connection& connection, const QString& sql)
    : m_query(connection.database()), m_sql(sql)
{
    m_query.setForwardOnly(true);
    if (!m_query.prepare(sql))
        throw toRuntimeError(m_query.lastError(), m_sql);
}

void NativeStatement::execute(std::initializer_list<QVariant> values)
{
    int position = 0;
    for (const QVariant& value : values)
        m_query.bindValue(position++, value);
    if (!m_query.exec())
        throw toRuntimeError(m_query.lastError(), m_sql);
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
