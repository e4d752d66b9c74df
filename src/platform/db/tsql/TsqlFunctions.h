#pragma once

#include "db/tsql/TsqlExpr.h"

#include <QList>

namespace ado::tsql {

// A call of one of SQL Server's functions, aggregates included, as written.
struct Call
{
    QString name;
    QList<Expr> arguments;
    bool distinct = false; // count(distinct x)
    bool star = false;     // count(*)
    QString datePart = {}; // the part DATEPART, DATEADD and DATEDIFF name, as written
};

// Whether the function's first argument names a date part rather than being a value.
bool takesDatePart(const QString& name);

// Whether the front end knows a function of that name (lower case), so that an unknown one is
// refused before its arguments are read.
bool isKnownFunction(const QString& name);

// The call typed and written for the embedded engine with SQL Server's meaning, or refused
// naming the function.
Expr callFunction(const Call& call);

} // namespace ado::tsql
