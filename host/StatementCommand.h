#pragma once

#include "HostOptions.h"

#include <QTextStream>
#include <QVariant>

// --sql: runs one statement through the module's connection (SQL Server dialect) and prints
// what it gives. Returns the exit status.
namespace StatementCommand {

int run(const HostOptions& options, QTextStream& out, QTextStream& err);

// A query's field as printed: NULL for an empty value, dates as yyyy-mm-dd, numbers plain.
QString fieldText(const QVariant& value);

} // namespace StatementCommand
