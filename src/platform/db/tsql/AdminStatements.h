#pragma once

#include "ostrelplatform_export.h"

#include "db/StatementResult.h"
#include "db/tsql/TsqlTranslation.h"

#include <QString>
#include <memory>

namespace ado {

class Connection;

namespace tsql {
class Catalog;
}

// The statements an administrator types against the payroll database. Over ODBC they pass
// unchanged to SQL Server. On the embedded database each is parsed and typed by the column types
// of the T-SQL schema script and run with SQL Server's meaning, or refused naming what the
// embedded database cannot answer as SQL Server would ("not supported on the embedded database:
// ..."). The module's own statements never come this way.
class OSTRELPLATFORM_EXPORT AdminStatements
{
public:
    AdminStatements(Connection& connection, const QString& schemaScript);
    ~AdminStatements();

    // Runs one statement (counted like every other); failures raise RuntimeError.
    StatementResult run(const QString& sql);

    // A result's field as --sql prints it: NULL for an empty value, dates as yyyy-mm-dd (with the
    // time where there is one), numbers plain, flags as 1 or 0.
    static QString fieldText(const QVariant& value);

private:
    StatementResult runTranslated(const tsql::Translation& translation);

    Connection& m_connection;
    std::unique_ptr<tsql::Catalog> m_catalog;
};

} // namespace ado
