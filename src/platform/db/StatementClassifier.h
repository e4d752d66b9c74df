#pragma once

#include "ostrelplatform_export.h"

#include <QString>

namespace ado {

// What one statement of the SQL Server dialect does to the database, told from its tokens before
// it runs. Transaction control and statements that work on files rather than rows (a commit inside
// a batch, an attached file, a vacuumed copy, an engine setting) would break a batch's
// all-or-nothing or reach beyond the database, so a caller running batches refuses them.
struct StatementClass
{
    enum class Kind {
        Read,    // a select that stores nothing
        Write,   // anything else that runs inside a transaction
        Refused, // transaction control or a file-level statement
    };

    Kind kind = Kind::Write;
    QString keyword; // Refused: the word that made it so, as written
};

OSTRELPLATFORM_EXPORT StatementClass classifyStatement(const QString& statement);

} // namespace ado
