#pragma once

#include "ostrelplatform_export.h"

#include <QStringView>

struct sqlite3;

namespace ado {

// SQL Server's default text comparison on SQLite, as the collation "SQLSERVER_CI" that every
// text column of the payroll schema declares: letter case is ignored (Unicode case folding) and
// so are trailing blanks, so 'L ' equals 'l'.
class OSTRELPLATFORM_EXPORT SqlServerCollation
{
public:
    static constexpr const char* name = "SQLSERVER_CI";

    // Negative, zero or positive as a sorts before, with or after b.
    static int compare(QStringView a, QStringView b);
    static int compareUtf8(const char* a, int aBytes, const char* b, int bBytes);

    // Registers the collation on a connection; false when SQLite refuses.
    static bool install(sqlite3* db);
};

} // namespace ado
