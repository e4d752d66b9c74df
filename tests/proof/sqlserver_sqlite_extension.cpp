// An SQLite extension that the SQLite ODBC driver loads (LoadExt=) in the server-statement
// proof: it gives the driver's connection the functions and collation the embedded engine has,
// so that a payroll database made by the host can be worked through ODBC.
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
