#pragma once

#include "db/Connection.h"

#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <initializer_list>

namespace payroll {

// A statement in the engine's own dialect, prepared once and run with bound values. The schema
// and the data seeders speak the engine's dialect directly; the module's statements go through
// the connection's SQL Server adaptation instead. Failures raise RuntimeError.
class NativeStatement
{
public:
    NativeStatement(ado::Connection& connection, const QString& sql);

    // Binds the values in order and runs the statement.
    void run(std::initializer_list<QVariant> values = {});
    // Runs it and returns the first field of the first row (null when there is no row).
    QVariant scalar(std::initializer_list<QVariant> values = {});
    // Runs it and returns every row it yields.
    QList<QVariantList> rows(std::initializer_list<QVariant> values = {});

private:
    void execute(std::initializer_list<QVariant> values);

    QSqlQuery m_query;
    QString m_sql;
};

} // namespace payroll
