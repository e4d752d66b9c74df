// An SQLite extension that gives another program's connection the functions and collation the
// embedded engine has, so that it can read a payroll database the host made: the sqlite3 shell
// (".load", e.g. for PRAGMA integrity_check, whose index checks need the collation) or the
// SQLite ODBC driver (LoadExt=).
#include "db/SqlServerCollation.h"
#include "db/SqlServerFunctions.h"

#include <QtGlobal>
#include <sqlite3.h>

extern "C" Q_DECL_EXPORT int sqlite3_extension_init(sqlite3* db, char**, const void*)
{
    return ado::SqlServerFunctions::install(db) && ado::SqlServerCollation::install(db)
               ? SQLITE_OK
               : SQLITE_ERROR;
}
