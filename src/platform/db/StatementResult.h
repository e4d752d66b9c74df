#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>

namespace ado {

// Everything a statement gave back, read in full: the columns of its first result (with which
// of them are date columns) and its rows, or how many rows it changed. A statement only
// described, not run, has its columns but rowsRead false.
struct StatementResult
{
    QStringList names;
    QList<bool> dateColumns;
    QList<QVariantList> rows;
    qint64 rowsAffected = 0;
    bool rowsRead = true;
};

} // namespace ado
