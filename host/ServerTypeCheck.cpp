#include "ServerTypeCheck.h"

#include "PayrollSchema.h"
#include "PayrollTables.h"
#include "SqliteFile.h"
#include "db/Connection.h"
#include "db/PreparedStatement.h"

using namespace Qt::StringLiterals;

namespace ServerTypeCheck {

namespace {

struct Column
{
    QString name;
    QString type; // as the SQL Server script declares it: int, float or date
    bool key = false;
};

// Each logical table checked, with its name in the embedded schema.
const QList<std::pair<QString, QString>> CheckedTables{
    {u"pLoansIssue"_s, payroll::table::LoansIssue},
    {u"ploanapplication"_s, payroll::table::LoanApplication},
    {u"ploanrepaymentdetails"_s, payroll::table::Repayment},
};

// The int, float and date columns of each checked table, its key columns first, as a new database
// declares them.
QList<QList<Column>> declaredColumns()
{
    ado::Connection db;
    db.Open(u":memory:"_s);
    for (const QString& statement : payroll::schemaStatements())
        ado::PreparedStatement(db, statement).run();
    QList<QList<Column>> tables;
    for (const auto& [logical, physical] : CheckedTables) {
        QList<Column> columns;
        ado::PreparedStatement info(db, u"SELECT name, upper(type), pk FROM pragma_table_info(?) "
                                        "ORDER BY pk = 0, pk, cid"_s);
        for (const QVariantList& row : info.rows({physical})) {
            const QString declared = row[1].toString();
            const QString type = declared == u"INTEGER" ? u"int"_s
                                 : declared == u"REAL"  ? u"float"_s
                                 : declared == u"DATE"  ? u"date"_s
                                                        : QString();
            if (!type.isEmpty())
                columns.append({row[0].toString(), type, row[2].toLongLong() > 0});
        }
        tables.append(columns);
    }
    return tables;
}

// The condition that holds when the column's value is one the server's type cannot hold (never
// for Null).
QString cannotHold(const Column& column)
{
    const QString c = u"\"%1\""_s.arg(column.name);
    if (column.type == u"int")
        return u"(typeof(%1) NOT IN ('integer', 'null') OR %1 NOT BETWEEN -2147483648 AND "
               "2147483647)"_s.arg(c);
    if (column.type == u"float")
        return u"typeof(%1) NOT IN ('real', 'integer', 'null')"_s.arg(c);
    return u"(typeof(%1) NOT IN ('text', 'null') OR date(%1, '+0 days') IS NOT %1)"_s.arg(c);
}

} // namespace

DatabaseCheck::Result run(const SqliteFile& file)
{
    DatabaseCheck::Result result{u"value its SQL Server column cannot hold"_s, {}};
    const QList<QList<Column>> tables = declaredColumns();
    for (qsizetype t = 0; t < tables.size(); ++t) {
        const QString table = file.table(CheckedTables[t].first);
        QStringList keys, named, conditions;
        for (const Column& column : tables[t]) {
            if (column.key)
                keys << u"\"%1\""_s.arg(column.name);
            // One pass over the table names every offending column of a row.
            named << u"iif(%1, '%2 (%3) holds ' || quote(\"%2\") || '; ', '')"_s.arg(
                cannotHold(column), column.name, column.type);
            conditions << cannotHold(column);
        }
        const SqliteFile::Rows found =
            file.query(u"SELECT %1, rtrim(%2, '; ') FROM \"%3\" WHERE %4 ORDER BY %1"_s.arg(
                keys.join(u", "_s), named.join(u" || "_s), table, conditions.join(u" OR "_s)));
        for (const QStringList& row : found.rows) {
            QStringList key;
            for (qsizetype k = 0; k < keys.size(); ++k)
                key << u"%1 %2"_s.arg(tables[t][k].name, row[k]);
            result.findings << u"%1 row %2: %3"_s.arg(table, key.join(u", "_s), row.last());
        }
        if (!found.error.isEmpty())
            result.findings << u"%1 could not be checked: %2"_s.arg(table, found.error);
    }
    return result;
}

} // namespace ServerTypeCheck
