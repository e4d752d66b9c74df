#pragma once

#include "db/Connection.h"

#include <QStringList>

namespace payroll {

// The statements that build an empty payroll database on the embedded engine, in order:
// tables with their keys, checks and indexes, the table map (linktable) and the registers'
// heading sets.
QStringList schemaStatements();

// Runs the schema on an open SQLite connection in one transaction: on failure nothing of it
// remains. Raises RuntimeError.
void createSchema(ado::Connection& connection);
// The same inside the caller's transaction, for callers that build more on it.
void runSchemaStatements(ado::Connection& connection);

// Adds the schema's indexes that an existing database lacks (a database made before an index
// joined the schema), in one transaction. Returns the names of those it added; run again, it
// adds none. Raises RuntimeError.
QStringList addMissingIndexes(ado::Connection& connection);

// True when the database already holds a table of any kind.
bool hasTables(ado::Connection& connection);

} // namespace payroll
