#include "db/OdbcEngine.h"

#include "db/VariantKinds.h"

#include "db/EngineErrors.h"
#include "db/LockWait.h"

#include <QDateTime>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>

namespace ado {

namespace {

bool isDateType(QMetaType type)
{
    return type.id() == QMetaType::QDate || type.id() == QMetaType::QDateTime;
}

QVariant normalized(const QVariant& value)
{
    if (value.isNull())
        return QVariant();
    if (isWholeNumber(value))
        return QVariant::fromValue<qint64>(value.toLongLong());
    switch (value.metaType().id()) {
    case QMetaType::Float:
        return value.toDouble();
    case QMetaType::QDateTime: {
        // A server date-time column holding a plain date reads as a date.
        const QDateTime stamp = value.toDateTime();
        return stamp.time() == QTime(0, 0) ? QVariant(stamp.date()) : value;
    }
    default:
        return value;
    }
}

} // namespace

namespace {

// The server may hold the statement behind another user's lock for as long as it likes.
struct WaitShown
{
    WaitShown()
    {
        if (LockWaitObserver* observer = lockWaitObserver())
            observer->mayWait();
    }
    ~WaitShown()
    {
        if (LockWaitObserver* observer = lockWaitObserver())
            observer->waitEnded();
    }
};

} // namespace

OdbcEngine::OdbcEngine(QSqlDatabase db) : m_db(std::move(db)) {}

QString OdbcEngine::adapt(const QString& sql) const
{
    return sql;
}

StatementResult OdbcEngine::run(const QString& sql, const QVariantList& values)
{
    const WaitShown shown;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    bool ok;
    if (values.isEmpty()) {
        ok = query.exec(sql);
    } else {
        ok = query.prepare(sql);
        for (const QVariant& value : values)
            query.addBindValue(value);
        ok = ok && query.exec();
    }
    if (!ok)
        throw EngineErrors::fromDriver(query.lastError());
    StatementResult result;
    if (query.isSelect()) {
        const QSqlRecord record = query.record();
        for (int c = 0; c < record.count(); ++c) {
            result.names.append(record.fieldName(c));
            result.dateColumns.append(isDateType(record.field(c).metaType()));
        }
        while (query.next()) {
            QVariantList row;
            row.reserve(record.count());
            for (int c = 0; c < record.count(); ++c)
                row.append(normalized(query.value(c)));
            result.rows.append(std::move(row));
        }
        if (query.lastError().isValid())
            throw EngineErrors::fromDriver(query.lastError());
    } else {
        result.rowsAffected = query.numRowsAffected();
    }
    query.finish();
    return result;
}

std::optional<StatementResult> OdbcEngine::describe(const QString&)
{
    // Qt's ODBC driver knows a statement's columns only once it has run.
    return std::nullopt;
}

void OdbcEngine::begin()
{
    const WaitShown shown;
    if (!m_db.transaction())
        throw EngineErrors::fromDriver(m_db.lastError());
    m_inTransaction = true;
}

void OdbcEngine::commit()
{
    const WaitShown shown;
    if (!m_db.commit())
        throw EngineErrors::fromDriver(m_db.lastError());
    m_inTransaction = false;
}

void OdbcEngine::rollback()
{
    const WaitShown shown;
    if (!m_db.rollback())
        throw EngineErrors::fromDriver(m_db.lastError());
    m_inTransaction = false;
}

bool OdbcEngine::inTransaction() const
{
    return m_inTransaction;
}

bool OdbcEngine::isReadOnly() const
{
    // A server's permissions are not known before a change is tried.
    return false;
}

QStringList OdbcEngine::primaryKey(const QString& table)
{
    QStringList columns;
    const QSqlIndex index = m_db.primaryIndex(table);
    for (int i = 0; i < index.count(); ++i)
        columns.append(index.fieldName(i));
    return columns;
}

QString OdbcEngine::quoteName(const QString& name) const
{
    return m_db.driver()->escapeIdentifier(name, QSqlDriver::FieldName);
}

} // namespace ado
