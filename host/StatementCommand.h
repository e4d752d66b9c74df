#pragma once

#include "HostOptions.h"

#include <QTextStream>
#include <QVariant>

// --sql: runs a batch of statements, separated by semicolons, through the module's connection
// (SQL Server dialect) in one transaction: all of them take effect or, when one fails, none. A
// batch that only reads runs without one. Transaction control and file-level statements are
// refused before anything runs. Prints what each gives, in order. Returns the exit status.
namespace StatementCommand {

int run(const HostOptions& options, QTextStream& out, QTextStream& err);

} // namespace StatementCommand
