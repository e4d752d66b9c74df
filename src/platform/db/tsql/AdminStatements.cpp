#include "db/tsql/AdminStatements.h"

#include "db/Connection.h"
#include "db/EngineErrors.h"
#include "db/SqliteCalls.h"
#include "db/tsql/TsqlCatalog.h"
#include "db/tsql/TsqlParser.h"
#include "db/tsql/TsqlRuntime.h"
#include "runtime/Conversions.h"

#include <QDateTime>

using namespace Qt::StringLiterals;

namespace ado {

namespace {

QString textAt(sqlite3_stmt* statement, int column)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                             sqlite3_column_bytes(statement, column));
}

// A field as SQL Server's type gives it, whatever the engine stored.
QVariant valueAt(sqlite3_stmt* statement, int column, const tsql::Type& type)
{
    if (sqlite3_column_type(statement, column) == SQLITE_NULL)
        return QVariant();
    switch (type.kind) {
    case tsql::Type::Int:
    case tsql::Type::BigInt:
        return QVariant::fromValue<qint64>(sqlite3_column_int64(statement, column));
    case tsql::Type::Float:
        return sqlite3_column_double(statement, column);
    case tsql::Type::Numeric:
        return QString::number(sqlite3_column_double(statement, column), 'f', type.scale);
    case tsql::Type::Date:
        return QDate::fromString(textAt(statement, column).left(10), Qt::ISODate);
    case tsql::Type::DateTime:
        return QDateTime::fromString(textAt(statement, column), u"yyyy-MM-dd HH:mm:ss.zzz"_s);
    default:
        return textAt(statement, column);
    }
}

} // namespace

AdminStatements::AdminStatements(Connection& connection, const QString& schemaScript)
    : m_connection(connection), m_catalog(std::make_unique<tsql::Catalog>(schemaScript))
{
    if (sqlite3* db = m_connection.sqliteHandle(); db && !tsql::installRuntime(db))
        sqlite::raise(db, sqlite3_errcode(db));
}

AdminStatements::~AdminStatements() = default;

StatementResult AdminStatements::run(const QString& sql)
{
    if (!m_connection.isSqlite())
        return m_connection.run(sql);
    m_connection.checkInjectedFault();
    return runTranslated(tsql::Parser(*m_catalog, sql).statement());
}

StatementResult AdminStatements::runTranslated(const tsql::Translation& translation)
{
    sqlite3* db = m_connection.sqliteHandle();
    const sqlite::StatementHandle statement = sqlite::prepare(db, translation.sql.toUtf8());
    sqlite3_stmt* raw = statement.get();
    StatementResult result;
    result.names = translation.headings;
    for (const tsql::Type& type : translation.columns)
        result.dateColumns << (type.kind == tsql::Type::Date);
    const qint64 changesBefore = sqlite3_total_changes64(db);
    int rc;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        QVariantList row;
        for (int c = 0; c < translation.columns.size(); ++c)
            row << valueAt(raw, c, translation.columns[c]);
        result.rows << std::move(row);
    }
    if (rc != SQLITE_DONE)
        sqlite::raise(db, rc);
    if (translation.columns.isEmpty())
        result.rowsAffected = sqlite3_total_changes64(db) - changesBefore;
    return result;
}

QString AdminStatements::fieldText(const QVariant& value)
{
    if (value.isNull())
        return u"NULL"_s;
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime: {
        const QDateTime moment = value.toDateTime();
        return moment.time() == QTime(0, 0) ? moment.date().toString(Qt::ISODate)
                                            : moment.toString(u"yyyy-MM-dd hh:mm:ss"_s);
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return vb::NumberToText(value.toDouble());
    case QMetaType::Bool:
        return value.toBool() ? u"1"_s : u"0"_s;
    default:
        return value.toString();
    }
}

} // namespace ado
