#pragma once

#include "db/Connection.h"

#include <QString>

// The database named by --db, as the host opens it.
namespace HostDatabase {

// ":memory:" and "odbc:..." name no file; anything else is a SQLite file path.
bool namesFile(const QString& database);

// Refuses a database file that does not exist (opening it would create an empty one).
// Raises RuntimeError.
void requireExisting(const QString& database);

enum class Access { Change, Read };

// Opens an existing payroll database (see requireExisting); a file that holds none is refused
// unchanged. Only to read, a file in the rollback-journal mode opens read-only and keeps its
// mode. Raises RuntimeError.
ado::ConnectionPtr openExisting(const QString& database, Access access = Access::Change);

// Opens a database to create, which may not exist yet. Raises RuntimeError.
ado::ConnectionPtr openForCreation(const QString& database);

} // namespace HostDatabase
