#include "db/tsql/TsqlParser.h"

#include "db/tsql/TsqlConversions.h"
#include "db/tsql/TsqlErrors.h"

using namespace Qt::StringLiterals;

// The statements that change rows: INSERT, UPDATE and DELETE of one table.
namespace ado::tsql {

const Catalog::Table& Parser::table(const QString& name) const
{
    const Catalog::Table* t = m_catalog.table(name);
    if (!t)
        fail(u"Invalid object name '%1'."_s.arg(name));
    return *t;
}

Translation Parser::insert()
{
    if (isWordAt("top"))
        refuse(u"INSERT TOP"_s);
    takeWord("into");
    const Catalog::Table& t = table(tableName());
    tableHints(true);
    QList<const Catalog::Column*> columns;
    if (takeSymbol("(")) {
        do {
            const QString n = name();
            const Catalog::Column* c = t.column(n);
            if (!c)
                fail(u"Invalid column name '%1'."_s.arg(n));
            if (columns.contains(c))
                fail(u"The column name '%1' is specified more than once in the column list of an "
                     "INSERT. A column cannot be assigned more than one value in the same "
                     "clause."_s.arg(n));
            columns << c;
        } while (takeSymbol(","));
        expectSymbol(")");
    } else {
        for (const Catalog::Column& c : t.columns) {
            if (!c.identity)
                columns << &c;
        }
    }
    QStringList names;
    for (const Catalog::Column* c : columns) {
        if (c->identity)
            fail(u"Cannot insert explicit value for identity column in table '%1' when "
                 "IDENTITY_INSERT is set to OFF."_s.arg(t.name));
        if (c->type.kind == Type::Condition)
            refuse(u"the column %1 of an undeclared type"_s.arg(c->name));
        names << quotedName(c->name);
    }
    const auto assigned = [&](const QList<Expr>& values) {
        if (values.size() != columns.size())
            fail(u"There are %1 columns in the INSERT statement than values specified in the "
                 "VALUES clause. The number of values in the VALUES clause must match the number "
                 "of columns specified in the INSERT statement."_s.arg(
                     values.size() < columns.size() ? u"more"_s : u"fewer"_s));
        QList<Expr> converted;
        for (qsizetype i = 0; i < values.size(); ++i)
            converted << convert(values[i], columns[i]->type, Conversion::Assignment);
        return converted;
    };
    QString sql = u"INSERT INTO %1 (%2) "_s.arg(quotedName(t.name), names.join(u", "_s));
    if (isWordAt("select")) {
        const Query q = query(false);
        if (q.compound)
            refuse(u"INSERT of a UNION"_s);
        return {sql + q.text(assigned(q.items)), {}, {}};
    }
    expectWord("values");
    QStringList rows;
    do {
        expectSymbol("(");
        QStringList row;
        for (const Expr& e : assigned(valueList()))
            row << e.sql;
        expectSymbol(")");
        rows << u"(%1)"_s.arg(row.join(u", "_s));
    } while (takeSymbol(","));
    return {sql + u"VALUES "_s + rows.join(u", "_s), {}, {}};
}

Translation Parser::update()
{
    int depth = 0;
    for (qsizetype ahead = 0; m_pos + ahead < m_tokens.size(); ++ahead) {
        depth += isSymbolAt("(", ahead) ? 1 : isSymbolAt(")", ahead) ? -1 : 0;
        if (depth == 0 && isWordAt("from", ahead))
            refuse(u"UPDATE with FROM"_s);
    }
    if (isWordAt("top"))
        refuse(u"UPDATE TOP"_s);
    const Catalog::Table& t = table(tableName());
    tableHints(true);
    m_scopes.append({{t.name, quotedName(t.name), &t}});
    expectWord("set");
    QStringList sets;
    QList<const Catalog::Column*> assigned;
    do {
        const QString n = name();
        const Catalog::Column* c = t.column(n);
        if (!c)
            fail(u"Invalid column name '%1'."_s.arg(n));
        if (c->identity)
            fail(u"Cannot update identity column '%1'."_s.arg(c->name));
        if (assigned.contains(c))
            fail(u"The column name '%1' is specified more than once in the SET clause or column "
                 "list of an UPDATE. A column cannot be assigned more than one value in the same "
                 "clause."_s.arg(n));
        assigned << c;
        expectSymbol("=");
        const Expr value = expression();
        if (value.aggregate)
            fail(u"An aggregate may not appear in the set list of an UPDATE statement."_s);
        sets << quotedName(c->name) + u" = "_s +
                    convert(value, c->type, Conversion::Assignment).sql;
    } while (takeSymbol(","));
    QString sql = u"UPDATE %1 SET %2"_s.arg(quotedName(t.name), sets.join(u", "_s));
    if (takeWord("where"))
        sql += u" WHERE "_s + condition("WHERE");
    m_scopes.removeLast();
    return {sql, {}, {}};
}

Translation Parser::remove()
{
    if (isWordAt("top"))
        refuse(u"DELETE TOP"_s);
    takeWord("from");
    const Catalog::Table& t = table(tableName());
    tableHints(true);
    if (isWordAt("from"))
        refuse(u"DELETE with a second FROM"_s);
    m_scopes.append({{t.name, quotedName(t.name), &t}});
    QString sql = u"DELETE FROM "_s + quotedName(t.name);
    if (takeWord("where"))
        sql += u" WHERE "_s + condition("WHERE");
    m_scopes.removeLast();
    return {sql, {}, {}};
}

} // namespace ado::tsql
