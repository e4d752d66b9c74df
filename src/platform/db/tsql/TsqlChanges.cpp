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
    if (isWordAt("top"))
        refuse(u"UPDATE TOP"_s);
    // The statement's own FROM, outside any subquery.
    qsizetype from = -1;
    for (qsizetype ahead = 0, depth = 0; m_pos + ahead < m_tokens.size() && from < 0; ++ahead) {
        depth += isSymbolAt("(", ahead) ? 1 : isSymbolAt(")", ahead) ? -1 : 0;
        if (depth == 0 && isWordAt("from", ahead))
            from = m_pos + ahead;
    }
    const QString target = tableName();
    tableHints(true);
    const qsizetype set = m_pos;
    qsizetype afterFrom = -1;
    QString head;
    QString others;
    QStringList conditions;
    const Catalog::Table* t = nullptr;
    if (from < 0) {
        t = &table(target);
        head = u"UPDATE "_s + quotedName(t->name);
        m_scopes.append({{t->name, quotedName(t->name), t}});
    } else {
        m_pos = from + 1;
        m_scopes.append(QList<Source>());
        QStringList sources = joinedSources(conditions);
        const qsizetype updatedAt = updatedSource(target);
        const Source& updated = m_scopes.last()[updatedAt];
        t = updated.table;
        head = u"UPDATE %1 AS %2"_s.arg(quotedName(t->name), updated.sqlName);
        sources.removeAt(updatedAt);
        if (!sources.isEmpty())
            others = u" FROM "_s + sources.join(u", "_s);
        afterFrom = m_pos;
        m_pos = set;
    }
    expectWord("set");
    QStringList sets;
    QList<const Catalog::Column*> assigned;
    do {
        QString n = name();
        if (takeSymbol(".")) {
            if (n.compare(target, Qt::CaseInsensitive) != 0)
                fail(
                    u"The multi-part identifier \"%1.%2\" could not be bound."_s.arg(n, at().text));
            n = name();
        }
        const Catalog::Column* c = t->column(n);
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
    if (from >= 0) {
        if (m_pos != from)
            unexpected();
        m_pos = afterFrom;
    }
    if (takeWord("where"))
        conditions << condition("WHERE");
    QString sql = head + u" SET "_s + sets.join(u", "_s) + others;
    if (!conditions.isEmpty())
        sql += u" WHERE ("_s + conditions.join(u") AND ("_s) + u')';
    m_scopes.removeLast();
    return {sql, {}, {}};
}

QStringList Parser::joinedSources(QStringList& conditions)
{
    // Inner and cross joins only: their ON conditions filter as a WHERE does.
    QStringList sources{source()};
    for (;;) {
        if (takeSymbol(",") || (takeWord("cross") && (expectWord("join"), true))) {
            sources << source();
            continue;
        }
        if (isWordAt("left") || isWordAt("right") || isWordAt("full"))
            refuse(u"an outer join in UPDATE or DELETE ... FROM"_s);
        if (!takeWord("inner") && !isWordAt("join"))
            return sources;
        expectWord("join");
        sources << source();
        expectWord("on");
        conditions << condition("ON");
    }
}

qsizetype Parser::updatedSource(const QString& target) const
{
    // The source of that exposed name, or else the one source of that table.
    const QList<Source>& sources = m_scopes.last();
    qsizetype found = -1;
    for (qsizetype i = 0; i < sources.size(); ++i) {
        if (sources[i].name.compare(target, Qt::CaseInsensitive) == 0)
            return i;
        if (sources[i].table->name.compare(target, Qt::CaseInsensitive) == 0)
            found = found < 0 ? i : -2;
    }
    if (found < 0)
        refuse(u"changing a table its FROM clause names %1"_s.arg(found == -1 ? u"nowhere"_s
                                                                              : u"twice"_s));
    return found;
}

Translation Parser::remove()
{
    if (isWordAt("top"))
        refuse(u"DELETE TOP"_s);
    takeWord("from");
    const QString target = tableName();
    tableHints(true);
    if (!takeWord("from")) {
        const Catalog::Table& t = table(target);
        m_scopes.append({{t.name, quotedName(t.name), &t}});
        QString sql = u"DELETE FROM "_s + quotedName(t.name);
        if (takeWord("where"))
            sql += u" WHERE "_s + condition("WHERE");
        m_scopes.removeLast();
        return {sql, {}, {}};
    }
    // DELETE target FROM sources: the target's rows that the join keeps.
    m_scopes.append(QList<Source>());
    QStringList conditions;
    QStringList sources = joinedSources(conditions);
    const qsizetype removedAt = updatedSource(target);
    const Source& removed = m_scopes.last()[removedAt];
    QString sql = u"DELETE FROM %1 AS %2"_s.arg(quotedName(removed.table->name), removed.sqlName);
    sources.removeAt(removedAt);
    if (takeWord("where"))
        conditions << condition("WHERE");
    QString filter = conditions.isEmpty() ? QString() : u'(' + conditions.join(u") AND ("_s) + u')';
    if (!sources.isEmpty())
        filter = u"EXISTS (SELECT 1 FROM %1%2)"_s.arg(
            sources.join(u", "_s), filter.isEmpty() ? QString() : u" WHERE "_s + filter);
    if (!filter.isEmpty())
        sql += u" WHERE "_s + filter;
    m_scopes.removeLast();
    return {sql, {}, {}};
}

} // namespace ado::tsql
