#pragma once

#include "db/DialectStatement.h"

#include <QList>
#include <QString>
#include <functional>

namespace ado {

// Gives statements written for SQL Server their SQL Server meaning on SQLite. It works on tokens,
// so string literals, quoted names and comments pass untouched:
// - a number directly followed by a word ("=1and") becomes two tokens;
// - N'text' loses its N (every SQLite text is Unicode);
// - isnull(, len(, right(, left(, substring(, getdate( call their SQL Server counterparts;
// - convert(type, x) becomes sqlserver_convert('type', x);
// - table hints such as "with (updlock, holdlock)" are dropped;
// - a 'yyyymmdd' or ISO literal compared with, assigned to or inserted into a date column is
//   written as the ISO date the column stores; a text that SQL Server would not read as a date
//   fails with SQL Server's conversion error instead of being compared as text;
// - a + b, a / b and a % b become functions with SQL Server's rules (texts join, a zero
//   divisor fails).
// Raises RuntimeError when the statement cannot have a SQL Server meaning.
class SqlServerDialect
{
public:
    // Answers whether a column name (any case) names a date column.
    using DateColumnTest = std::function<bool(const QString& column)>;

    explicit SqlServerDialect(DateColumnTest isDateColumn);

    QString toSqlite(QStringView sql) const;

private:
    using Statement = DialectStatement;

    void splitNumbersFromWords(Statement& s) const;
    void dropUnicodePrefixes(Statement& s) const;
    void renameFunctions(Statement& s) const;
    void rewriteConverts(Statement& s) const;
    void dropTableHints(Statement& s) const;
    void rewriteDateLiterals(Statement& s) const;
    void rewriteInsertedDates(Statement& s) const;

    bool comparedWithDateColumn(const Statement& s, qsizetype literal) const;
    bool isDateColumnAt(const Statement& s, qsizetype position) const;

    DateColumnTest m_isDateColumn;
};

} // namespace ado
