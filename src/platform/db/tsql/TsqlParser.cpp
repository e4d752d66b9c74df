#include "db/tsql/TsqlParser.h"

#include "db/SqlTokenizer.h"
#include "db/tsql/TsqlConversions.h"
#include "db/tsql/TsqlErrors.h"

using namespace Qt::StringLiterals;

namespace ado::tsql {

namespace {

// Words that end an expression or a list rather than name an alias; the last few are SQLite's
// own, refused where they stand instead of being taken for a name.
const QLatin1StringView clauseWords[] = {
    "from"_L1,      "where"_L1,   "group"_L1,   "order"_L1, "having"_L1, "union"_L1,  "except"_L1,
    "intersect"_L1, "join"_L1,    "inner"_L1,   "left"_L1,  "right"_L1,  "full"_L1,   "cross"_L1,
    "on"_L1,        "outer"_L1,   "as"_L1,      "and"_L1,   "or"_L1,     "not"_L1,    "into"_L1,
    "select"_L1,    "case"_L1,    "when"_L1,    "then"_L1,  "else"_L1,   "end"_L1,    "is"_L1,
    "null"_L1,      "like"_L1,    "between"_L1, "in"_L1,    "exists"_L1, "top"_L1,    "distinct"_L1,
    "all"_L1,       "set"_L1,     "values"_L1,  "by"_L1,    "with"_L1,   "option"_L1, "for"_L1,
    "escape"_L1,    "collate"_L1, "default"_L1, "limit"_L1, "offset"_L1, "glob"_L1,   "regexp"_L1,
    "match"_L1};

} // namespace

QString Parser::Query::text(const QList<Expr>& values) const
{
    QStringList columns;
    for (qsizetype i = 0; i < values.size(); ++i)
        columns << u"%1 AS c%2"_s.arg(distinct || collate ? collated(values[i]) : values[i].sql)
                       .arg(i + 1);
    return u"SELECT %1%2%3"_s.arg(distinct ? u"DISTINCT "_s : QString(), columns.join(u", "_s),
                                  tail);
}

Parser::Parser(const Catalog& catalog, QStringView sql) : m_catalog(catalog)
{
    const QList<SqlToken> tokens = SqlTokenizer::tokenize(sql);
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const SqlToken& t = tokens[i];
        if (!t.isSignificant())
            continue;
        // N'text' is one Unicode literal; x'..' is SQLite's blob, refused where it stands.
        if (t.kind == SqlToken::Kind::String && !m_tokens.isEmpty() && i > 0 &&
            tokens[i - 1].isSignificant() && m_tokens.last().isWord("n"_L1)) {
            m_tokens.last() = t;
            m_unicode.last() = true;
            continue;
        }
        m_tokens.append(t);
        m_unicode.append(false);
    }
}

const SqlToken& Parser::at(qsizetype ahead) const
{
    static const SqlToken none{SqlToken::Kind::Space, QString()};
    const qsizetype p = m_pos + ahead;
    return p < m_tokens.size() ? m_tokens[p] : none;
}

bool Parser::isWordAt(const char* word, qsizetype ahead) const
{
    return at(ahead).isWord(QLatin1StringView(word));
}

bool Parser::isSymbolAt(const char* symbol, qsizetype ahead) const
{
    return at(ahead).isSymbol(QLatin1StringView(symbol));
}

bool Parser::takeWord(const char* word)
{
    if (!isWordAt(word))
        return false;
    ++m_pos;
    return true;
}

bool Parser::takeSymbol(const char* symbol)
{
    if (!isSymbolAt(symbol))
        return false;
    ++m_pos;
    return true;
}

void Parser::expectWord(const char* word)
{
    if (!takeWord(word))
        unexpected();
}

void Parser::expectSymbol(const char* symbol)
{
    if (!takeSymbol(symbol))
        unexpected();
}

void Parser::unexpected() const
{
    if (atEnd())
        refuse(u"the statement as it ends here"_s);
    const SqlToken& t = at();
    if (t.kind == SqlToken::Kind::QuotedName && t.text.startsWith(u'`'))
        refuse(u"backtick-quoted names"_s);
    refuse(u"'%1' here"_s.arg(t.text));
}

bool Parser::isAlias(qsizetype ahead) const
{
    const SqlToken& t = at(ahead);
    if (t.kind == SqlToken::Kind::QuotedName)
        return !t.text.startsWith(u'`');
    if (t.kind != SqlToken::Kind::Word || t.text.startsWith(u'@') || t.text.startsWith(u'#'))
        return false;
    for (const auto& word : clauseWords) {
        if (t.isWord(word))
            return false;
    }
    return true;
}

QString Parser::name()
{
    if (!isAlias() && !(at().kind == SqlToken::Kind::Word && !at().text.startsWith(u'@')))
        unexpected();
    return m_tokens[m_pos++].name();
}

Translation Parser::statement()
{
    Translation result;
    if (isWordAt("select")) {
        const Query q = query(false);
        result.sql = q.text(q.items);
        for (const Expr& item : q.items)
            result.columns << item.type;
        result.headings = q.headings;
    } else if (takeWord("insert")) {
        result = insert();
    } else if (takeWord("update")) {
        result = update();
    } else if (takeWord("delete")) {
        result = remove();
    } else if (!atEnd()) {
        refuse(u"the statement %1"_s.arg(at().text.toUpper()));
    }
    if (!atEnd())
        unexpected();
    return result;
}

Parser::Query Parser::query(bool subquery, bool unionMember)
{
    expectWord("select");
    Query q;
    q.distinct = takeWord("distinct");
    takeWord("all");
    std::optional<qint64> top;
    bool percent = false;
    bool ties = false;
    if (takeWord("top")) {
        if (unionMember)
            refuse(u"TOP in a UNION"_s);
        q.limited = true;
        top = rowCount(true);
        percent = takeWord("percent");
        if (percent && *top > 100)
            fail(u"Percent values must be between 0 and 100."_s);
        ties = isWordAt("with") && isWordAt("ties", 1);
        m_pos += ties ? 2 : 0;
        if (ties && (percent || q.distinct))
            refuse(percent ? u"TOP ... PERCENT WITH TIES"_s : u"DISTINCT TOP ... WITH TIES"_s);
    }
    // The select list names the FROM clause's tables, which come after it: read the FROM
    // clause first, then come back.
    const qsizetype list = m_pos;
    int depth = 0;
    for (; !atEnd(); ++m_pos) {
        if (isSymbolAt("("))
            ++depth;
        else if (isSymbolAt(")") && --depth < 0)
            break;
        else if (depth == 0 && (isWordAt("from") || isWordAt("where") || isWordAt("group") ||
                                isWordAt("order") || isWordAt("having") || isWordAt("union") ||
                                isWordAt("except") || isWordAt("intersect") || isWordAt("into")))
            break;
    }
    const qsizetype listEnd = m_pos;
    m_scopes.append(QList<Source>());
    if (takeWord("into"))
        refuse(u"SELECT INTO"_s);
    if (takeWord("from"))
        q.tail += u" FROM "_s + fromClause();
    const qsizetype afterFrom = m_pos;
    m_pos = list;
    do {
        if (isSymbolAt("*") || (isAlias() && isSymbolAt(".", 1) && isSymbolAt("*", 2))) {
            const QString only = isSymbolAt("*") ? QString() : at().name();
            m_pos += only.isEmpty() ? 1 : 3;
            bool found = false;
            for (const Source& s : m_scopes.last()) {
                if (!only.isEmpty() && s.name.compare(only, Qt::CaseInsensitive) != 0)
                    continue;
                found = true;
                for (const Catalog::Column& c : s.table->columns) {
                    q.items << column(s.name, c.name);
                    q.headings << c.name;
                }
            }
            if (!found)
                fail(only.isEmpty() ? u"SELECT * with no tables specified is not valid."_s
                                    : u"The object name '%1' is not valid."_s.arg(only));
            continue;
        }
        QString heading;
        bool named = false;
        if ((isAlias() || at().kind == SqlToken::Kind::String) && isSymbolAt("=", 1)) {
            heading = at().kind == SqlToken::Kind::String ? at().stringValue() : at().name();
            named = true;
            m_pos += 2;
        }
        Expr item = expression();
        requireValue(item);
        if (!named) {
            if (takeWord("as") || isAlias() || at().kind == SqlToken::Kind::String) {
                if (at().kind == SqlToken::Kind::String)
                    heading = m_tokens[m_pos++].stringValue();
                else
                    heading = name();
            } else {
                heading = item.heading;
            }
        }
        q.items << item;
        q.headings << heading;
    } while (takeSymbol(","));
    if (m_pos != listEnd)
        unexpected();
    m_pos = afterFrom;

    if (takeWord("where"))
        q.tail += u" WHERE "_s + condition("WHERE");
    QList<Expr> groups;
    if (takeWord("group")) {
        expectWord("by");
        QStringList sql;
        do {
            const Expr g = expression();
            requireValue(g);
            if (g.aggregate || g.sql.contains(u"(SELECT "))
                fail(u"Cannot use an aggregate or a subquery in an expression used for the group "
                     "by list of a GROUP BY clause."_s);
            if (g.columns.isEmpty())
                fail(u"Each GROUP BY expression must contain at least one column that is not an "
                     "outer reference."_s);
            groups << g;
            sql << collated(g);
        } while (takeSymbol(","));
        q.tail += u" GROUP BY "_s + sql.join(u", "_s);
    }
    QList<Expr> checked = q.items;
    // HAVING alone makes the query a grouped one.
    bool grouped = !groups.isEmpty() || isWordAt("having");
    if (takeWord("having")) {
        const Expr having = expression();
        if (having.type.kind != Type::Condition)
            fail(u"An expression of non-boolean type specified in a context where a condition is "
                 "expected, near 'HAVING'."_s);
        checked << having;
        q.tail += u" HAVING "_s + having.sql;
    }
    if (!unionMember && isWordAt("union")) {
        if (subquery)
            refuse(u"UNION in a subquery"_s);
        if (top)
            refuse(u"TOP in a UNION"_s);
        unite(q);
    }
    // The rows before ordering, which TOP's PERCENT and WITH TIES count.
    const QString unordered = top ? q.text(q.items) : QString();
    const QString unorderedTail = q.tail;
    QStringList keys;
    if (!unionMember && takeWord("order")) {
        expectWord("by");
        QStringList sql;
        do {
            Expr key;
            qsizetype alias = -1;
            if (isAlias() && !isSymbolAt(".", 1) && !isSymbolAt("(", 1)) {
                const QString n = at().name();
                for (qsizetype i = 0; i < q.headings.size() && alias < 0; ++i) {
                    if (q.headings[i].compare(n, Qt::CaseInsensitive) == 0)
                        alias = i;
                }
            }
            if (alias < 0 && at().kind == SqlToken::Kind::Number && !at().text.contains(u'.')) {
                alias = at().text.toLongLong() - 1;
                if (alias < 0 || alias >= q.items.size())
                    fail(u"The ORDER BY position number %1 is out of range of the number of "
                         "items in the select list."_s.arg(at().text));
            }
            if (q.compound) {
                if (alias < 0)
                    refuse(u"ORDER BY of a UNION by other than a column of its result"_s);
                ++m_pos;
                QString entry = u"c%1%2"_s.arg(alias + 1).arg(collation(q.items[alias].type));
                if (takeWord("desc"))
                    entry += u" DESC"_s;
                else
                    takeWord("asc");
                sql << entry;
                continue;
            }
            if (alias >= 0) {
                key = q.items[alias];
                ++m_pos;
            } else {
                key = expression();
                requireValue(key);
                if (key.columns.isEmpty() && !key.aggregate && !key.sql.startsWith(u"(SELECT"))
                    fail(u"A constant expression was encountered in the ORDER BY list, position "
                         "%1."_s.arg(sql.size() + 1));
                if (q.distinct) {
                    bool listed = false;
                    for (const Expr& item : q.items)
                        listed = listed || item.sql == key.sql;
                    if (!listed)
                        fail(u"ORDER BY items must appear in the select list if SELECT DISTINCT "
                             "is specified."_s);
                }
                checked << key;
            }
            QString entry = collated(key);
            if (takeWord("desc"))
                entry += u" DESC"_s;
            else
                takeWord("asc");
            sql << entry;
        } while (takeSymbol(","));
        q.tail += u" ORDER BY "_s + sql.join(u", "_s);
        keys = sql;
        const bool offset = takeWord("offset");
        if (offset)
            q.tail += offsetFetch(top.has_value());
        q.limited = q.limited || offset;
        if (subquery && !q.limited)
            fail(u"The ORDER BY clause is invalid in views, inline functions, derived tables, "
                 "subqueries, and common table expressions, unless TOP, OFFSET or FOR XML is "
                 "also specified."_s);
    }
    if (ties && keys.isEmpty())
        fail(u"The TOP N WITH TIES clause is not allowed without a corresponding ORDER BY "
             "clause."_s);
    if (top) {
        // WITH TIES: as many rows as rank within n; PERCENT: n hundredths of the rows, rounded
        // up.
        QString count = QString::number(*top);
        if (ties)
            count = u"(SELECT count(*) FROM (SELECT rank() OVER (ORDER BY %1) AS r%2) WHERE r <= "
                    "%3)"_s.arg(keys.join(u", "_s), unorderedTail, count);
        if (percent)
            count = u"(SELECT (count(*) * %1 + 99) / 100 FROM (%2))"_s.arg(count, unordered);
        q.tail += u" LIMIT "_s + count;
    }
    for (const Expr& e : checked)
        grouped = grouped || e.aggregate;
    if (grouped) {
        for (const Expr& e : checked)
            checkGrouped(e, groups, "select list");
    }
    if ((!unionMember && isWordAt("union")) || isWordAt("except") || isWordAt("intersect"))
        refuse(at().text.toUpper());
    m_scopes.removeLast();
    return q;
}

qint64 Parser::rowCount(bool isTop)
{
    const bool parenthesised = takeSymbol("(");
    const bool negative = parenthesised && takeSymbol("-");
    if (at().kind != SqlToken::Kind::Number)
        refuse(u"a row count other than a number"_s);
    bool whole = false;
    const qint64 n = at().text.toLongLong(&whole);
    if (!whole)
        refuse(u"a row count that is not a whole number"_s);
    ++m_pos;
    if (parenthesised)
        expectSymbol(")");
    if (negative && n != 0)
        fail(isTop ? u"A TOP N or FETCH rows count value may not be negative."_s
                   : u"The offset specified in a OFFSET clause may not be negative."_s);
    return n;
}

QString Parser::offsetFetch(bool withTop)
{
    if (withTop)
        fail(u"A TOP can not be used in the same query or sub-query as a OFFSET."_s);
    const qint64 skipped = rowCount(false);
    if (!takeWord("rows"))
        expectWord("row");
    qint64 taken = -1;
    if (takeWord("fetch")) {
        if (!takeWord("next"))
            expectWord("first");
        taken = rowCount(true);
        if (taken == 0)
            fail(u"The number of rows provided for a FETCH clause must be greater then zero."_s);
        if (!takeWord("rows"))
            expectWord("row");
        expectWord("only");
    }
    return u" LIMIT %1 OFFSET %2"_s.arg(taken).arg(skipped);
}

void Parser::unite(Query& first)
{
    QList<Query> blocks{first};
    QStringList joins;
    bool distinct = false;
    while (takeWord("union")) {
        const bool all = takeWord("all");
        distinct = distinct || !all;
        joins << (all ? u" UNION ALL "_s : u" UNION "_s);
        blocks << query(false, true);
        if (blocks.last().items.size() != first.items.size())
            fail(u"All queries combined using a UNION, INTERSECT or EXCEPT operator must have an "
                 "equal number of expressions in their target lists."_s);
    }
    QList<Type> types;
    for (qsizetype c = 0; c < first.items.size(); ++c) {
        Type type = first.items[c].type;
        for (const Query& b : blocks)
            type = dominant(type, b.items[c].type);
        types << type;
    }
    QString tail;
    for (qsizetype b = 0; b < blocks.size(); ++b) {
        Query& block = blocks[b];
        for (qsizetype c = 0; c < types.size(); ++c)
            block.items[c] = convert(block.items[c], types[c], Conversion::Implicit);
        block.collate = distinct;
        if (b > 0)
            tail += joins[b - 1] + block.text(block.items);
    }
    const QStringList headings = first.headings;
    first = blocks[0];
    first.headings = headings;
    first.tail += tail;
    first.compound = true;
}

void Parser::checkGrouped(const Expr& e, const QList<Expr>& groups, const char* clause) const
{
    // A column may stand alone in GROUP BY, or inside a GROUP BY expression that the checked
    // one repeats: what is left once those are taken out must name no other column.
    QSet<QString> grouped;
    QString rest = e.sql;
    for (const Expr& g : groups) {
        if (g.sql == e.sql)
            return;
        if (!g.heading.isEmpty())
            grouped.unite(g.columns);
        else
            rest.remove(g.sql);
    }
    // Columns of an enclosing query are constants here.
    QSet<QString> own;
    for (const Source& s : m_scopes.last())
        own.insert(s.sqlName.toCaseFolded());
    for (const QString& c : e.columns) {
        const QString source = c.section(u'.', 0, 0);
        const QString column = c.section(u'.', 1);
        if (grouped.contains(c) || !own.contains(source) ||
            !rest.contains(u"%1.\"%2\""_s.arg(source, column), Qt::CaseInsensitive))
            continue;
        fail(u"Column '%1' is invalid in the %2 because it is not contained in either an "
             "aggregate function or the GROUP BY clause."_s.arg(column, QLatin1StringView(clause)));
    }
}

QString Parser::fromClause()
{
    QString sql = source();
    for (;;) {
        if (takeSymbol(",")) {
            sql += u", "_s + source();
            continue;
        }
        QString join;
        if (takeWord("cross")) {
            expectWord("join");
            sql += u" CROSS JOIN "_s + source();
            continue;
        }
        if (takeWord("inner") || isWordAt("join"))
            join = u" JOIN "_s;
        else if (takeWord("left"))
            join = u" LEFT JOIN "_s, takeWord("outer");
        else if (isWordAt("right") || isWordAt("full"))
            refuse(u"%1 JOIN"_s.arg(at().text.toUpper()));
        else
            return sql;
        expectWord("join");
        sql += join + source();
        expectWord("on");
        sql += u" ON "_s + condition("ON");
    }
}

QString Parser::source()
{
    if (isSymbolAt("("))
        refuse(u"a derived table"_s);
    const Catalog::Table& t = table(tableName());
    QString alias = t.name;
    if (takeWord("as") || isAlias())
        alias = name();
    tableHints(false);
    for (const Source& s : m_scopes.last()) {
        if (s.name.compare(alias, Qt::CaseInsensitive) == 0)
            fail(u"The objects \"%1\" and \"%1\" in the FROM clause have the same exposed names. "
                 "Use correlation names to distinguish them."_s.arg(alias));
    }
    const QString sqlName = u"s%1"_s.arg(++m_sources);
    m_scopes.last().append({alias, sqlName, &t});
    return quotedName(t.name) + u" AS "_s + sqlName;
}

QString Parser::tableName()
{
    const QString first = name();
    if (!takeSymbol("."))
        return first;
    // The catalog's tables are all in the schema dbo.
    if (first.compare(u"dbo"_s, Qt::CaseInsensitive) != 0)
        refuse(u"a table of the schema %1"_s.arg(first));
    const QString second = name();
    if (isSymbolAt("."))
        refuse(u"a three-part table name"_s);
    return second;
}

void Parser::tableHints(bool target)
{
    // The legacy form without WITH takes one hint, in FROM only: a changed table's '(' opens
    // its column list.
    const bool legacy = !takeWord("with");
    if (!legacy && !isSymbolAt("("))
        unexpected();
    if ((legacy && target) || !takeSymbol("("))
        return;
    do {
        const QString hint = name().toLower();
        // A read on the embedded engine sees committed rows only, and locks are not rows' or
        // pages': these hints ask for no more than it gives. The others change waiting, locking
        // or the plan, which it cannot honour.
        const bool unlocked = hint == u"nolock" || hint == u"readuncommitted";
        if (unlocked && target)
            fail(u"The NOLOCK and READUNCOMMITTED lock hints are not allowed for target tables of "
                 "INSERT, UPDATE, DELETE or MERGE statements."_s);
        if (!unlocked && hint != u"readcommitted" && hint != u"rowlock" && hint != u"paglock")
            refuse(u"the table hint %1"_s.arg(hint.toUpper()));
    } while (!legacy && takeSymbol(","));
    expectSymbol(")");
}

QString Parser::condition(const char* clause)
{
    const Expr e = expression();
    if (e.type.kind != Type::Condition)
        fail(u"An expression of non-boolean type specified in a context where a condition is "
             "expected, near '%1'."_s.arg(QLatin1StringView(clause)));
    if (e.aggregate)
        fail(u"An aggregate may not appear in the %1 clause unless it is in a subquery contained "
             "in a HAVING clause or a select list."_s.arg(QLatin1StringView(clause)));
    return e.sql;
}

} // namespace ado::tsql
