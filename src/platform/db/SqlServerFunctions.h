#pragma once

#include "ostrelplatform_export.h"

struct sqlite3;

namespace ado {

// The SQL Server functions the module's statements use, registered on an SQLite connection
// under the names SqlServerDialect gives them: sqlserver_len (trailing blanks not counted),
// sqlserver_right, sqlserver_left, sqlserver_substring, sqlserver_getdate,
// sqlserver_convert('type', value), and sqlserver_add, sqlserver_divide and sqlserver_modulo(a,
// b), SQL Server's +, / and % (texts join; a zero divisor fails).
// Conversions fail as SQL Server's do ("Conversion failed when converting the varchar value 'X1' to
// data type int."). LIKE is replaced by SQL Server's: case is ignored for every letter, not only
// ASCII, and [set] patterns work.
class OSTRELPLATFORM_EXPORT SqlServerFunctions
{
public:
    // False when SQLite refuses one of them.
    static bool install(sqlite3* db);
};

} // namespace ado
