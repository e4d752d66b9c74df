#include "PayrollSchema.h"

#include "PayrollSchemaText.h"
#include "db/PreparedStatement.h"
#include "db/Transaction.h"
#include "runtime/RuntimeError.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace payroll {

QStringList schemaStatements()
{
    // Whole-line comments go first, so that a semicolon in a comment cannot end a statement.
    static const QRegularExpression commentLine(u"^\\s*--[^\\n]*\\n"_s,
                                                QRegularExpression::MultilineOption);
    static const QRegularExpression statementEnd(u";\\s*\\n"_s);
    QString text = QString::fromUtf8(payrollSchemaText) + QLatin1Char('\n');
    text.remove(commentLine);

    QStringList statements;
    for (const QString& part : text.split(statementEnd)) {
        const QString statement = part.trimmed();
        if (!statement.isEmpty())
            statements << statement;
    }
    return statements;
}

void runSchemaStatements(ado::Connection& connection)
{
    if (!connection.isSqlite())
        throw RuntimeError(RuntimeError::DatabaseFailure,
                           u"The payroll schema is written for the embedded "
                           "engine; an ODBC database is set up by its own "
                           "administrator."_s);
    for (const QString& statement : schemaStatements())
        ado::PreparedStatement(connection, statement).run();
}

void createSchema(ado::Connection& connection)
{
    ado::Transaction transaction(connection);
    runSchemaStatements(connection);
    transaction.commit();
}

QStringList addMissingIndexes(ado::Connection& connection)
{
    static const QRegularExpression createIndex(u"^CREATE INDEX (\\w+)"_s);
    ado::Transaction transaction(connection);
    QStringList added;
    for (const QString& statement : schemaStatements()) {
        const QRegularExpressionMatch index = createIndex.match(statement);
        if (!index.hasMatch())
            continue;
        if (!ado::PreparedStatement(connection, u"select 1 from sqlite_master where type = 'index' "
                                                "and name = ?"_s)
                 .scalar({index.captured(1)})
                 .isNull())
            continue;
        ado::PreparedStatement(connection, statement).run();
        added << index.captured(1);
    }
    transaction.commit();
    return added;
}

bool hasTables(ado::Connection& connection)
{
    return ado::PreparedStatement(connection,
                                  u"SELECT count(*) FROM sqlite_master WHERE type IN ('table', "
                                  "'view')"_s)
               .scalar()
               .toLongLong() > 0;
}

} // namespace payroll
