#pragma once

#include <QString>

namespace ado {

// Recognises "select ... from T [alias] [with (hints)] [where ...] [order by ...]" over one table,
// the statements whose record sets can write rows back.
class SingleTableSelect
{
public:
    // The table as the statement writes it (possibly qualified or bracketed), or an empty text
    // when the statement reads anything else (joins, several tables, grouping, unions).
    static QString tableOf(QStringView sql);
    // The table name without brackets or quotes, as the driver's catalogue knows it.
    static QString bareName(QStringView table);
};

} // namespace ado
