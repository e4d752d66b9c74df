#pragma once

#include "db/tsql/TsqlType.h"

#include <QHash>
#include <QList>
#include <QString>

namespace ado::tsql {

// The tables and column types a T-SQL script declares (CREATE TABLE statements, the rest
// skipped): what the front end types column references and assignments by.
class Catalog
{
public:
    struct Column
    {
        QString name;
        Type type;
        bool identity = false;
    };
    struct Table
    {
        QString name;
        QList<Column> columns;

        // The column of that name in any letter case, or nullptr.
        const Column* column(const QString& name) const;
    };

    explicit Catalog(const QString& script);

    // The table of that name in any letter case, or nullptr.
    const Table* table(const QString& name) const;

private:
    QHash<QString, Table> m_tables; // by case-folded name
};

} // namespace ado::tsql
