#include "db/tsql/TsqlParser.h"

#include "db/tsql/TsqlConversions.h"
#include "db/tsql/TsqlErrors.h"
#include "db/tsql/TsqlFunctions.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace ado::tsql {

namespace {

const QString nonBoolean = u"An expression of non-boolean type specified in a context where a "
                           "condition is expected, near '%1'."_s;

void requireCondition(const Expr& e, const QString& near)
{
    if (e.type.kind != Type::Condition)
        fail(nonBoolean.arg(near));
}

} // namespace

template <typename Read> Expr Parser::correlated(Read read)
{
    const QSet<QString> enclosing = std::exchange(m_outerColumns, {});
    Expr e = read();
    e.columns = std::exchange(m_outerColumns, enclosing);
    m_outerColumns.unite(e.columns);
    return e;
}

Expr Parser::expression()
{
    Expr left = conjunction();
    while (isWordAt("or")) {
        ++m_pos;
        const Expr right = conjunction();
        requireCondition(left, u"or"_s);
        requireCondition(right, u"or"_s);
        left = Expr::from(u"(%1 OR %2)"_s.arg(left.sql, right.sql), {Type::Condition},
                          {&left, &right});
    }
    return left;
}

Expr Parser::conjunction()
{
    Expr left = negation();
    while (isWordAt("and")) {
        ++m_pos;
        const Expr right = negation();
        requireCondition(left, u"and"_s);
        requireCondition(right, u"and"_s);
        left = Expr::from(u"(%1 AND %2)"_s.arg(left.sql, right.sql), {Type::Condition},
                          {&left, &right});
    }
    return left;
}

Expr Parser::negation()
{
    if (!takeWord("not"))
        return predicate();
    const Expr e = negation();
    requireCondition(e, u"not"_s);
    return Expr::from(u"(NOT %1)"_s.arg(e.sql), {Type::Condition}, {&e});
}

Expr Parser::predicate()
{
    if (takeWord("exists")) {
        return correlated([this] {
            expectSymbol("(");
            const Query q = query(true);
            expectSymbol(")");
            return Expr::from(u"EXISTS (%1)"_s.arg(q.text(q.items)), {Type::Condition}, {});
        });
    }
    const Expr left = additive();
    static const char* const comparisons[] = {"=", "<>", "!=", "<", ">", "<=", ">=", "!<", "!>"};
    for (const char* op : comparisons) {
        if (takeSymbol(op))
            return compare(left, QString::fromLatin1(op), additive());
    }
    if (isSymbolAt("==") || isWordAt("glob") || isWordAt("regexp") || isWordAt("match"))
        refuse(u"the operator %1"_s.arg(at().text));
    if (takeWord("is")) {
        const bool negated = takeWord("not");
        expectWord("null");
        requireValue(left);
        return Expr::from(u"(%1 IS %2NULL)"_s.arg(left.sql, negated ? u"NOT "_s : QString()),
                          {Type::Condition}, {&left});
    }
    const bool negated =
        isWordAt("not") && (isWordAt("in", 1) || isWordAt("between", 1) || isWordAt("like", 1));
    if (negated)
        ++m_pos;
    const QString no = negated ? u"NOT "_s : QString();
    if (takeWord("in"))
        return inList(left, negated);
    if (takeWord("between")) {
        const Expr low = additive();
        expectWord("and");
        const Expr high = additive();
        requireValue(left);
        requireValue(low);
        requireValue(high);
        const Type common = dominant(dominant(left.type, low.type), high.type);
        const Expr x = convert(left, common, Conversion::Implicit);
        const Expr a = convert(low, common, Conversion::Implicit);
        const Expr b = convert(high, common, Conversion::Implicit);
        return Expr::from(
            u"(%1%2 %3BETWEEN %4 AND %5)"_s.arg(x.sql, collation(common), no, a.sql, b.sql),
            {Type::Condition}, {&left, &low, &high});
    }
    if (takeWord("like")) {
        const Expr pattern = additive();
        QString sql = u"(%1 %2LIKE %3"_s.arg(left.sql, no, pattern.sql);
        bool unicode = false;
        for (const Expr* e : {&left, &pattern}) {
            requireValue(*e);
            if (!e->type.isText() && e->type.kind != Type::Null)
                refuse(u"LIKE on %1"_s.arg(e->type.name()));
            unicode = unicode || e->type.unicode;
        }
        // Without a Unicode operand SQL Server matches ignoring trailing blanks, which the
        // engine's match does not: only literals that end in none are matched that way here.
        for (const Expr* e : {&left, &pattern}) {
            if (!unicode && e->type.isText() && (!e->text || e->text->endsWith(u' ')))
                refuse(u"LIKE of non-Unicode texts that may end in blanks"_s);
        }
        if (takeWord("escape")) {
            const Expr escape = primary();
            if (!escape.text)
                refuse(u"an ESCAPE that is not a text literal"_s);
            sql += u" ESCAPE "_s + escape.sql;
        }
        return Expr::from(sql + u')', {Type::Condition}, {&left, &pattern});
    }
    return left;
}

Expr Parser::inList(const Expr& left, bool negated)
{
    requireValue(left);
    expectSymbol("(");
    const QString no = negated ? u"NOT "_s : QString();
    if (isWordAt("select")) {
        Query q;
        const Expr inner = correlated([&] {
            q = query(true);
            return Expr();
        });
        expectSymbol(")");
        if (q.items.size() != 1)
            fail(u"Only one expression can be specified in the select list when the subquery is "
                 "not introduced with EXISTS."_s);
        const Type& item = q.items[0].type;
        const bool alike = (left.type.isText() && item.isText()) ||
                           (left.type.isWhole() && item.isWhole()) || left.type.kind == item.kind;
        if (!alike)
            refuse(u"IN with a subquery of %1 for %2"_s.arg(item.name(), left.type.name()));
        return Expr::from(u"(%1%2 %3IN (%4))"_s.arg(left.sql, collation(item), no, q.text(q.items)),
                          {Type::Condition}, {&left, &inner});
    }
    const QList<Expr> values = valueList();
    expectSymbol(")");
    Type common = left.type;
    for (const Expr& v : values)
        common = dominant(common, v.type);
    QStringList sql;
    Expr result = Expr::from(QString(), {Type::Condition}, {&left});
    for (const Expr& v : values) {
        sql << convert(v, common, Conversion::Implicit).sql;
        result = Expr::from(QString(), {Type::Condition}, {&result, &v});
    }
    result.sql = u"(%1%2 %3IN (%4))"_s.arg(convert(left, common, Conversion::Implicit).sql,
                                           collation(common), no, sql.join(u", "_s));
    return result;
}

QList<Expr> Parser::valueList()
{
    QList<Expr> values;
    do {
        values << expression();
        requireValue(values.last());
    } while (takeSymbol(","));
    return values;
}

Expr Parser::additive()
{
    // Chains of + and - are written flat, however long: texts joined with ||, whole numbers
    // through one tsql_sum call per run of one type, floats checked once. Each step is typed
    // as a pair.
    Expr left = multiplicative();
    QStringList run;
    for (;;) {
        if (isSymbolAt("&") || isSymbolAt("|") || isSymbolAt("^") || isSymbolAt("||"))
            refuse(u"the operator %1"_s.arg(at().text));
        if (!isSymbolAt("+") && !isSymbolAt("-"))
            return left;
        const QChar op = m_tokens[m_pos++].text[0];
        const Expr right = multiplicative();
        Expr next = arithmetic(left, op, right);
        const bool typed = left.type.kind != Type::Null && right.type.kind != Type::Null;
        if (typed && next.type.isWhole()) {
            if (run.isEmpty() || left.type.kind != next.type.kind ||
                !left.sql.startsWith(u"tsql_sum("))
                run = QStringList{convert(left, next.type, Conversion::Implicit).sql};
            run << u"'%1'"_s.arg(op) << convert(right, next.type, Conversion::Implicit).sql;
            next.sql = u"tsql_sum('%1', %2)"_s.arg(next.type.name(), run.join(u", "_s));
            // The engine takes at most 100 arguments: a long run goes on from its sum so far.
            if (run.size() > 90)
                run = QStringList{next.sql};
        } else if (typed && next.type.kind == Type::Float) {
            // An overflow on the way stays infinite or becomes NaN, so one check at the end
            // fails the chain where SQL Server fails its step.
            if (run.isEmpty() || left.type.kind != Type::Float ||
                !left.sql.startsWith(u"tsql_float(("))
                run = QStringList{convert(left, next.type, Conversion::Implicit).sql};
            run << QString(op) << convert(right, next.type, Conversion::Implicit).sql;
            next.sql = u"tsql_float((%1))"_s.arg(run.join(u' '));
        } else if (typed && next.type.isText()) {
            if (run.isEmpty() || !left.type.isText() || !left.sql.startsWith(u"(("))
                run = QStringList{left.sql};
            run << right.sql;
            next.sql = u"((%1))"_s.arg(run.join(u" || "_s));
        } else {
            run.clear();
        }
        left = next;
    }
}

Expr Parser::multiplicative()
{
    Expr left = unary();
    while (isSymbolAt("*") || isSymbolAt("/") || isSymbolAt("%")) {
        const QChar op = m_tokens[m_pos++].text[0];
        left = arithmetic(left, op, unary());
    }
    return left;
}

Expr Parser::unary()
{
    if (takeSymbol("-"))
        return negate(unary());
    if (takeSymbol("+")) {
        const Expr e = unary();
        requireValue(e);
        if (!e.type.isNumber() && e.type.kind != Type::Null)
            fail(u"Operand data type %1 is invalid for plus operator."_s.arg(e.type.name()));
        return e;
    }
    if (isSymbolAt("~"))
        refuse(u"the operator ~"_s);
    return primary();
}

Expr Parser::literal()
{
    const SqlToken& t = m_tokens[m_pos];
    const bool unicode = m_unicode[m_pos];
    ++m_pos;
    if (t.kind == SqlToken::Kind::String) {
        const QString value = t.stringValue();
        // A literal without N is in the database's code page, where SQL Server turns other
        // characters into '?'.
        if (!unicode && !isCodePageText(value))
            refuse(u"a text literal without N holding characters outside code page 1252"_s);
        Expr e{quoted(value), Type::text(Type::VarChar, std::max<int>(1, value.size()), unicode)};
        e.text = value;
        return e;
    }
    const QString& n = t.text;
    if (n.contains(u'x') || n.contains(u'X'))
        refuse(u"binary literals"_s);
    if (n.contains(u'e') || n.contains(u'E'))
        return {n, {Type::Float}};
    const qsizetype point = n.indexOf(u'.');
    QString digits = QString(n).remove(u'.');
    while (digits.size() > 1 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    if (point >= 0) {
        if (digits.size() > 15)
            refuse(u"a decimal literal of more than 15 digits"_s);
        const int scale = int(n.size() - point - 1);
        Expr e{n.startsWith(u'.') ? u'0' + n
               : n.endsWith(u'.') ? n + u'0'
                                  : n,
               {Type::Numeric, false, std::max<int>(int(digits.size()), scale), scale}};
        return e;
    }
    if (digits.size() <= 10 && digits.toLongLong() <= 2147483647)
        return {digits, {Type::Int}};
    // Beyond int SQL Server types a whole literal as decimal(digits, 0).
    if (digits.size() > 15)
        refuse(u"an integer literal of more than 15 digits"_s);
    return {digits, {Type::Numeric, false, int(digits.size()), 0}};
}

Expr Parser::primary()
{
    const SqlToken& t = at();
    if (t.kind == SqlToken::Kind::String || t.kind == SqlToken::Kind::Number)
        return literal();
    if (takeSymbol("(")) {
        if (isWordAt("select")) {
            --m_pos;
            return subqueryValue();
        }
        Expr e = expression();
        expectSymbol(")");
        e.sql = u'(' + e.sql + u')';
        return e;
    }
    if (t.kind == SqlToken::Kind::Word) {
        if (t.text.startsWith(u'@') || t.text.startsWith(u'#'))
            refuse(u"variables and temporary tables"_s);
        if (takeWord("null"))
            return {u"NULL"_s, {Type::Null}};
        if (isWordAt("case"))
            return caseExpression();
        if (takeWord("cast"))
            return cast(false);
        if (takeWord("convert"))
            return cast(true);
        if (takeWord("current_timestamp"))
            return callFunction({u"getdate"_s, {}});
        if (t.isWord("x"_L1) && at(1).kind == SqlToken::Kind::String)
            refuse(u"blob literals x'..'"_s);
    }
    if (!isAlias() && !(t.kind == SqlToken::Kind::Word && isSymbolAt("(", 1)))
        unexpected();
    const QString first = name();
    if (isSymbolAt("("))
        return functionCall(first.toLower());
    if (!takeSymbol("."))
        return column(QString(), first);
    const QString second = name();
    if (isSymbolAt(".") || isSymbolAt("("))
        refuse(u"multi-part names"_s);
    return column(first, second);
}

Expr Parser::column(const QString& qualifier, const QString& columnName)
{
    for (qsizetype level = m_scopes.size() - 1; level >= 0; --level) {
        const Source* found = nullptr;
        const Catalog::Column* foundColumn = nullptr;
        for (const Source& s : m_scopes[level]) {
            if (!qualifier.isEmpty() && s.name.compare(qualifier, Qt::CaseInsensitive) != 0)
                continue;
            const Catalog::Column* c = s.table->column(columnName);
            if (!qualifier.isEmpty() && !c)
                fail(u"Invalid column name '%1'."_s.arg(columnName));
            if (!c)
                continue;
            if (found)
                fail(u"Ambiguous column name '%1'."_s.arg(columnName));
            found = &s;
            foundColumn = c;
        }
        if (!found)
            continue;
        if (foundColumn->type.kind == Type::Condition)
            refuse(u"the column %1 of an undeclared type"_s.arg(foundColumn->name));
        Expr e{found->sqlName + u'.' + quotedName(foundColumn->name), foundColumn->type};
        const QString key = found->sqlName.toCaseFolded() + u'.' + foundColumn->name.toCaseFolded();
        if (level + 1 < m_scopes.size())
            m_outerColumns.insert(key);
        e.heading = columnName; // as the statement writes it, as SQL Server heads it
        e.columns.insert(key);
        return e;
    }
    if (!qualifier.isEmpty())
        fail(u"The multi-part identifier \"%1.%2\" could not be bound."_s.arg(qualifier,
                                                                              columnName));
    fail(u"Invalid column name '%1'."_s.arg(columnName));
}

Expr Parser::functionCall(const QString& name)
{
    if (!isKnownFunction(name))
        refuse(u"the function %1"_s.arg(name));
    expectSymbol("(");
    Call call{name, {}};
    if (takesDatePart(name)) {
        call.datePart = this->name();
        expectSymbol(",");
        call.arguments = valueList();
    } else if (takeSymbol("*")) {
        call.star = true;
    } else if (!isSymbolAt(")")) {
        call.distinct = takeWord("distinct");
        if (!call.distinct)
            takeWord("all");
        call.arguments = valueList();
    }
    expectSymbol(")");
    if (isWordAt("over"))
        refuse(u"window functions"_s);
    return callFunction(call);
}

Expr Parser::caseExpression()
{
    expectWord("case");
    std::optional<Expr> input;
    if (!isWordAt("when"))
        input = expression();
    QList<Expr> whens;
    QList<Expr> results;
    while (takeWord("when")) {
        Expr when = expression();
        if (input)
            when = compare(*input, u"="_s, when);
        requireCondition(when, u"when"_s);
        expectWord("then");
        whens << when;
        results << expression();
        requireValue(results.last());
    }
    if (whens.isEmpty())
        unexpected();
    if (takeWord("else")) {
        results << expression();
        requireValue(results.last());
    }
    expectWord("end");
    Type common{Type::Null};
    for (const Expr& r : results)
        common = dominant(common, r.type);
    QString sql = u"(CASE"_s;
    Expr e = Expr::from(QString(), common, {});
    for (qsizetype i = 0; i < results.size(); ++i) {
        const Expr value = convert(results[i], common, Conversion::Implicit);
        sql += i < whens.size() ? u" WHEN %1 THEN %2"_s.arg(whens[i].sql, value.sql)
                                : u" ELSE %1"_s.arg(value.sql);
        e = Expr::from(QString(), common, {&e, &results[i]});
        if (i < whens.size())
            e = Expr::from(QString(), common, {&e, &whens[i]});
    }
    e.sql = sql + u" END)"_s;
    return e;
}

Expr Parser::cast(bool isConvert)
{
    expectSymbol("(");
    Type type;
    Expr value;
    int style = -1;
    if (isConvert) {
        type = typeName();
        expectSymbol(",");
        value = expression();
        if (takeSymbol(",")) {
            if (at().kind != SqlToken::Kind::Number)
                refuse(u"a CONVERT style that is not a number"_s);
            style = m_tokens[m_pos++].text.toInt();
        }
    } else {
        value = expression();
        expectWord("as");
        type = typeName();
    }
    expectSymbol(")");
    Expr e = convert(value, type, Conversion::Explicit, style);
    e.heading.clear();
    e.text.reset();
    return e;
}

Type Parser::typeName()
{
    const QString base = name().toLower();
    int length = 30;
    if (takeSymbol("(")) {
        if (at().kind != SqlToken::Kind::Number)
            refuse(u"the type %1(%2)"_s.arg(base, at().text));
        length = m_tokens[m_pos++].text.toInt();
        if (takeSymbol(","))
            refuse(u"the type %1 with a scale"_s.arg(base));
        expectSymbol(")");
        if (length < 1 || length > 8000)
            fail(u"The size (%1) given to the type '%2' exceeds the maximum allowed (8000)."_s
                     .arg(length)
                     .arg(base));
    }
    if (const Type known = Type::named(base, length); known.kind != Type::Null)
        return known;
    refuse(u"conversion to %1"_s.arg(base));
}

Expr Parser::subqueryValue()
{
    Query q;
    const Expr inner = correlated([&] {
        expectSymbol("(");
        q = query(true);
        expectSymbol(")");
        return Expr();
    });
    if (q.items.size() != 1)
        fail(u"Only one expression can be specified in the select list when the subquery is not "
             "introduced with EXISTS."_s);
    if (q.distinct)
        refuse(u"DISTINCT in a subquery used as a value"_s);
    // SQL Server fails a subquery value of several rows where the engine would take the first.
    const Expr& item = q.items[0];
    const QString single =
        u"CASE WHEN count(*) OVER () > 1 THEN tsql_fail('Subquery returned more than 1 value. "
        "This is not permitted when the subquery follows =, !=, <, <= , >, >= or when the "
        "subquery is used as an expression.') ELSE %1 END"_s;
    // The rows TOP keeps are counted after it cuts them.
    if (q.limited)
        return Expr::from(u"(SELECT %1 FROM (%2))"_s.arg(single.arg(u"c1"_s), q.text(q.items)),
                          item.type, {&inner});
    Query value = q;
    value.items = {Expr::from(single.arg(item.sql), item.type, {})};
    return Expr::from(u'(' + value.text(value.items) + u')', item.type, {&inner});
}

} // namespace ado::tsql
