#pragma once

#include "db/tsql/TsqlType.h"

#include <QList>
#include <QStringList>

namespace ado::tsql {

// A statement as the embedded engine runs it with SQL Server's meaning: its text, and for a
// query the SQL Server type and heading of each column (empty where SQL Server names none).
struct Translation
{
    QString sql;
    QList<Type> columns;
    QStringList headings;
};

} // namespace ado::tsql
