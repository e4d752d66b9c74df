#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>

namespace ado {

// Everything a statement gave back, read in full: the columns of its first result (with which
// of them are date columns) and its rows, or how many rows it changed.
struct StatementResult
{
    QStringList names;
    QList<bool> dateColumns;
    QList<QVariantList> rows;
    qint64 rowsAffected = 0;
};

} // namespace ado
