#include "db/tsql/TsqlFunctions.h"

#include "db/tsql/TsqlConversions.h"
#include "db/tsql/TsqlDateParts.h"
#include "db/tsql/TsqlErrors.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace ado::tsql {

namespace {

using Arguments = QList<Expr>;

Expr textArgument(const Call& call, qsizetype i)
{
    const Expr& e = call.arguments[i];
    if (e.type.kind == Type::Null)
        return convert(e, Type::text(Type::VarChar, 1, false), Conversion::Implicit);
    if (!e.type.isText())
        refuse(u"%1 of %2 (a text is expected)"_s.arg(call.name, e.type.name()));
    return e;
}

Expr wholeArgument(const Call& call, qsizetype i)
{
    return convert(call.arguments[i], {Type::Int}, Conversion::Implicit);
}

Expr made(const QString& sql, const Type& type, const Arguments& arguments)
{
    Expr e = Expr::from(sql, type, {});
    for (const Expr& a : arguments) {
        e.aggregate = e.aggregate || a.aggregate;
        e.columns.unite(a.columns);
    }
    return e;
}

// An aggregate's argument holds no aggregate; the columns it names are inside one.
Expr aggregate(const Call& call, const QString& sql, const Type& type)
{
    for (const Expr& a : call.arguments) {
        if (a.aggregate)
            fail(u"Cannot perform an aggregate function on an expression containing an aggregate "
                 "or a subquery."_s);
    }
    Expr e = Expr::from(sql, type, {});
    e.aggregate = true;
    return e;
}

QString distinctly(const Call& call)
{
    return call.distinct ? u"DISTINCT "_s : QString();
}

Expr count(const Call& call)
{
    if (call.star)
        return aggregate(call, u"count(*)"_s, {Type::Int});
    if (call.arguments[0].type.kind == Type::Null)
        refuse(u"count of NULL"_s);
    return aggregate(call, u"count(%1%2)"_s.arg(distinctly(call), collated(call.arguments[0])),
                     {Type::Int});
}

Expr sumOrAverage(const Call& call)
{
    const Expr& x = call.arguments[0];
    const bool average = call.name == u"avg";
    const QString d = distinctly(call);
    if (x.type.isWhole()) {
        // An average of whole numbers is a whole number, cut towards zero.
        const QString sql =
            average ? u"(sum(%1%2) / count(%1%2))"_s.arg(d, x.sql)
                    : u"sqlserver_convert('%1', sum(%2%3))"_s.arg(x.type.name(), d, x.sql);
        return aggregate(call, sql, x.type);
    }
    if (x.type.kind == Type::Float)
        return aggregate(call, u"tsql_float(%1(%2%3))"_s.arg(call.name, d, x.sql), x.type);
    if (x.type.isText() || x.type.isTemporal())
        fail(u"Operand data type %1 is invalid for %2 operator."_s.arg(x.type.name(), call.name));
    if (x.type.kind == Type::Null)
        fail(u"Operand data type NULL is invalid for %1 operator."_s.arg(call.name));
    refuse(u"%1 of %2"_s.arg(call.name, x.type.name()));
}

Expr extreme(const Call& call)
{
    const Expr& x = call.arguments[0];
    if (x.type.kind == Type::Null)
        fail(u"Operand data type NULL is invalid for %1 operator."_s.arg(call.name));
    return aggregate(call, u"%1(%2)"_s.arg(call.name, collated(x)), x.type);
}

Expr isNull(const Call& call)
{
    const Expr& a = call.arguments[0];
    const Expr& b = call.arguments[1];
    // A NULL first argument takes the type of the second; otherwise the second is converted to
    // the first's type, cut or padded to its length.
    if (a.type.kind == Type::Null)
        return made(b.sql, b.type, call.arguments);
    requireValue(a);
    const Expr with =
        convert(b, a.type, a.type.isText() ? Conversion::Explicit : Conversion::Implicit);
    return made(u"ifnull(%1, %2)"_s.arg(a.sql, with.sql), a.type, call.arguments);
}

Expr coalesce(const Call& call)
{
    if (call.arguments.size() < 2)
        fail(u"The coalesce function requires at least two arguments."_s);
    Type common{Type::Null};
    for (const Expr& a : call.arguments) {
        requireValue(a);
        common = dominant(common, a.type);
    }
    if (common.kind == Type::Null)
        fail(u"At least one of the arguments to COALESCE must be an expression that is not the "
             "NULL constant."_s);
    QStringList parts;
    for (const Expr& a : call.arguments)
        parts << convert(a, common, Conversion::Implicit).sql;
    return made(u"coalesce(%1)"_s.arg(parts.join(u", "_s)), common, call.arguments);
}

Expr nullIf(const Call& call)
{
    const Expr& a = call.arguments[0];
    const Expr equal = compare(a, u"="_s, call.arguments[1]);
    return made(u"(CASE WHEN %1 THEN NULL ELSE %2 END)"_s.arg(equal.sql, a.sql), a.type,
                call.arguments);
}

Expr textFunction(const Call& call, const QString& engineName)
{
    const Expr x = textArgument(call, 0);
    return made(u"%1(%2)"_s.arg(engineName, x.sql), x.type, call.arguments);
}

Expr part(const Call& call)
{
    const Expr x = textArgument(call, 0);
    QStringList sql{x.sql};
    for (qsizetype i = 1; i < call.arguments.size(); ++i)
        sql << wholeArgument(call, i).sql;
    Type type = x.type;
    type.kind = Type::VarChar;
    return made(u"sqlserver_%1(%2)"_s.arg(call.name, sql.join(u", "_s)), type, call.arguments);
}

Expr length(const Call& call)
{
    return made(u"sqlserver_len(%1)"_s.arg(textArgument(call, 0).sql), {Type::Int}, call.arguments);
}

Expr replace(const Call& call)
{
    QStringList sql;
    bool unicode = false;
    for (qsizetype i = 0; i < 3; ++i) {
        const Expr x = textArgument(call, i);
        unicode = unicode || x.type.unicode;
        sql << x.sql;
    }
    return made(u"tsql_replace(%1)"_s.arg(sql.join(u", "_s)),
                Type::text(Type::VarChar, unicode ? 4000 : 8000, unicode), call.arguments);
}

// CHARINDEX(find, search [, start]): the first place at or after `start` where `find` stands
// as the collation compares, 0 where none.
Expr charIndex(const Call& call)
{
    QStringList sql{textArgument(call, 0).sql, textArgument(call, 1).sql};
    sql << (call.arguments.size() > 2
                ? convert(call.arguments[2], {Type::BigInt}, Conversion::Implicit).sql
                : u"1"_s);
    return made(u"tsql_charindex(%1)"_s.arg(sql.join(u", "_s)), {Type::Int}, call.arguments);
}

// DATALENGTH: the bytes SQL Server keeps, trailing blanks included.
Expr dataLength(const Call& call)
{
    const Expr& x = call.arguments[0];
    if (x.type.kind == Type::VarChar)
        return made(u"(length(%1) * %2)"_s.arg(x.sql).arg(x.type.unicode ? 2 : 1), {Type::Int},
                    call.arguments);
    static const QHash<int, int> sizes{{Type::Int, 4},  {Type::BigInt, 8},   {Type::Float, 8},
                                       {Type::Date, 3}, {Type::DateTime, 8}, {Type::Null, 0}};
    if (!sizes.contains(x.type.kind))
        refuse(u"DATALENGTH of %1"_s.arg(x.type.name()));
    return made(
        u"(CASE WHEN %1 IS NULL THEN NULL ELSE %2 END)"_s.arg(x.sql).arg(sizes[x.type.kind]),
        {Type::Int}, call.arguments);
}

// CONCAT: each argument as text, NULL as the empty text.
Expr concat(const Call& call)
{
    bool unicode = false;
    for (const Expr& a : call.arguments)
        unicode = unicode || a.type.unicode;
    QStringList parts;
    int length = 0;
    for (const Expr& a : call.arguments) {
        const int width = a.type.isText()               ? a.type.length
                          : a.type.kind == Type::Int    ? 12
                          : a.type.kind == Type::BigInt ? 20
                          : a.type.kind == Type::Date   ? 10
                                                        : 1;
        const Expr text = convert(a, Type::text(Type::VarChar, width, unicode),
                                  a.type.isText() ? Conversion::Implicit : Conversion::Explicit);
        parts << u"ifnull(%1, '')"_s.arg(text.sql);
        length += width;
    }
    const int most = unicode ? 4000 : 8000;
    return made(u"(%1)"_s.arg(parts.join(u" || "_s)),
                Type::text(Type::VarChar, std::min(length, most), unicode), call.arguments);
}

// REPLICATE(text, n): NULL for a negative n; a result cut at 8,000 bytes.
Expr replicate(const Call& call)
{
    const Expr x = textArgument(call, 0);
    const Expr n = convert(call.arguments[1], {Type::BigInt}, Conversion::Implicit);
    const int most = x.type.unicode ? 4000 : 8000;
    return made(u"tsql_replicate(%1, %2, %3)"_s.arg(x.sql, n.sql).arg(most),
                Type::text(Type::VarChar, most, x.type.unicode), call.arguments);
}

// STUFF(text, start, length, insert): NULL for a start outside the text or a negative length.
Expr stuff(const Call& call)
{
    const Expr x = textArgument(call, 0);
    const Expr with = textArgument(call, 3);
    const bool unicode = x.type.unicode || with.type.unicode;
    const int most = unicode ? 4000 : 8000;
    return made(
        u"tsql_stuff(%1, %2, %3, %4)"_s.arg(x.sql, wholeArgument(call, 1).sql,
                                            wholeArgument(call, 2).sql, with.sql),
        Type::text(Type::VarChar, std::min(x.type.length + with.type.length, most), unicode),
        call.arguments);
}

Expr absolute(const Call& call)
{
    const Expr& x = call.arguments[0];
    if (x.type.isWhole())
        return made(u"sqlserver_convert('%1', abs(%2))"_s.arg(x.type.name(), x.sql), x.type,
                    call.arguments);
    if (x.type.kind == Type::Float || x.type.kind == Type::Numeric)
        return made(u"abs(%1)"_s.arg(x.sql), x.type, call.arguments);
    refuse(u"abs of %1"_s.arg(x.type.name()));
}

Expr now(const Call& call)
{
    return made(u"sqlserver_getdate()"_s, {Type::DateTime}, call.arguments);
}

// A date argument: a date or datetime as it is, a text read as SQL Server reads a datetime.
Expr momentArgument(const Call& call, qsizetype i)
{
    const Expr& e = call.arguments[i];
    if (e.type.isTemporal())
        return e;
    if (!e.type.isText() && e.type.kind != Type::Null)
        refuse(u"%1 of %2"_s.arg(call.name, e.type.name()));
    return convert(e, {Type::DateTime}, Conversion::Implicit);
}

// The part the call names, checked against the type it is taken from or added to.
DatePart namedPart(const Call& call, const Type& type, const QString& name)
{
    const std::optional<DatePart> part = datePart(name);
    if (!part) {
        static const QStringList unsupported{u"microsecond"_s, u"mcs"_s,      u"nanosecond"_s,
                                             u"ns"_s,          u"tzoffset"_s, u"tz"_s,
                                             u"iso_week"_s,    u"isowk"_s,    u"isoww"_s};
        if (unsupported.contains(name, Qt::CaseInsensitive))
            refuse(u"the date part %1"_s.arg(name));
        fail(u"'%1' is not a recognized %2 option."_s.arg(name, call.name));
    }
    // A datetime keeps milliseconds in steps of 1/300 second, which the stored text does not.
    if (type.kind == Type::DateTime && *part == DatePart::Millisecond)
        refuse(u"%1 of milliseconds of a datetime"_s.arg(call.name));
    if (type.kind == Type::Date && isTimePart(*part) && call.name != u"datediff")
        fail(u"The datepart %1 is not supported by date function %2 for data type date."_s.arg(
            name, call.name));
    return *part;
}

Expr partOfDate(const Call& call, const QString& name)
{
    const Expr x = momentArgument(call, 0);
    namedPart(call, x.type, name);
    return made(u"tsql_datepart(%1, %2)"_s.arg(quoted(name), x.sql), {Type::Int}, call.arguments);
}

Expr dateAdd(const Call& call)
{
    const Expr n = wholeArgument(call, 0);
    const Expr x = momentArgument(call, 1);
    namedPart(call, x.type, call.datePart);
    const bool withTime = x.type.kind == Type::DateTime;
    return made(u"tsql_dateadd(%1, %2, %3, %4)"_s.arg(quoted(call.datePart), n.sql, x.sql)
                    .arg(withTime ? 1 : 0),
                x.type, call.arguments);
}

Expr dateDiff(const Call& call)
{
    const Expr start = momentArgument(call, 0);
    const Expr end = momentArgument(call, 1);
    namedPart(call, start.type, call.datePart);
    namedPart(call, end.type, call.datePart);
    return made(u"tsql_datediff(%1, %2, %3)"_s.arg(quoted(call.datePart), start.sql, end.sql),
                {Type::Int}, call.arguments);
}

struct Function
{
    QLatin1StringView name;
    int fewest;
    int most;
    std::function<Expr(const Call&)> type;
};

const QList<Function>& functions()
{
    static const QList<Function> all = {
        {"count"_L1, 1, 1, count},
        {"sum"_L1, 1, 1, sumOrAverage},
        {"avg"_L1, 1, 1, sumOrAverage},
        {"min"_L1, 1, 1, extreme},
        {"max"_L1, 1, 1, extreme},
        {"isnull"_L1, 2, 2, isNull},
        {"coalesce"_L1, 1, 255, coalesce},
        {"nullif"_L1, 2, 2, nullIf},
        {"upper"_L1, 1, 1, [](const Call& c) { return textFunction(c, u"tsql_upper"_s); }},
        {"lower"_L1, 1, 1, [](const Call& c) { return textFunction(c, u"tsql_lower"_s); }},
        {"ltrim"_L1, 1, 1, [](const Call& c) { return textFunction(c, u"ltrim"_s); }},
        {"rtrim"_L1, 1, 1, [](const Call& c) { return textFunction(c, u"rtrim"_s); }},
        {"len"_L1, 1, 1, length},
        {"left"_L1, 2, 2, part},
        {"right"_L1, 2, 2, part},
        {"substring"_L1, 3, 3, part},
        {"replace"_L1, 3, 3, replace},
        {"abs"_L1, 1, 1, absolute},
        {"charindex"_L1, 2, 3, charIndex},
        {"datalength"_L1, 1, 1, dataLength},
        {"concat"_L1, 2, 254, concat},
        {"replicate"_L1, 2, 2, replicate},
        {"stuff"_L1, 4, 4, stuff},
        {"getdate"_L1, 0, 0, now},
        {"year"_L1, 1, 1, [](const Call& c) { return partOfDate(c, u"year"_s); }},
        {"month"_L1, 1, 1, [](const Call& c) { return partOfDate(c, u"month"_s); }},
        {"day"_L1, 1, 1, [](const Call& c) { return partOfDate(c, u"day"_s); }},
        {"datepart"_L1, 1, 1, [](const Call& c) { return partOfDate(c, c.datePart); }},
        {"dateadd"_L1, 2, 2, dateAdd},
        {"datediff"_L1, 2, 2, dateDiff},
    };
    return all;
}

} // namespace

bool takesDatePart(const QString& name)
{
    return name == u"datepart" || name == u"dateadd" || name == u"datediff";
}

bool isKnownFunction(const QString& name)
{
    for (const Function& f : functions()) {
        if (name == f.name)
            return true;
    }
    return false;
}

Expr callFunction(const Call& call)
{
    for (const Function& f : functions()) {
        if (call.name != f.name)
            continue;
        const qsizetype given = call.star ? 1 : call.arguments.size();
        if (given < f.fewest || given > f.most)
            fail(u"The %1 function requires %2 argument(s)."_s.arg(call.name).arg(f.fewest));
        if ((call.star && call.name != u"count") ||
            (call.distinct && call.name != u"count" && call.name != u"sum" && call.name != u"avg" &&
             call.name != u"min" && call.name != u"max"))
            fail(u"Incorrect syntax in the arguments of %1."_s.arg(call.name));
        for (const Expr& a : call.arguments)
            requireValue(a);
        return f.type(call);
    }
    refuse(u"the function %1"_s.arg(call.name));
}

} // namespace ado::tsql
