#include "db/tsql/TsqlConversions.h"

#include "db/SqlLiteral.h"
#include "db/SqlServerCollation.h"
#include "db/SqlServerDateText.h"
#include "db/tsql/TsqlErrors.h"

using namespace Qt::StringLiterals;

namespace ado::tsql {

namespace {

QString checked(const Type& type, const QString& sql)
{
    return u"sqlserver_convert('%1', %2)"_s.arg(type.name(), sql);
}

QString failing(const QString& message)
{
    return u"tsql_fail(%1)"_s.arg(quoted(message));
}

// A text as a date, as the engine stores it: ISO text, datetimes with milliseconds. A literal
// is read once here rather than on every row.
Expr asTemporal(const Expr& e, const Type& to)
{
    if (!e.text)
        return Expr::from(u"tsql_%1(%2)"_s.arg(to.name(), e.sql), to, {&e});
    if (to.kind == Type::DateTime && e.text->contains(u':'))
        refuse(u"a time of day in a text converted to datetime"_s);
    const std::optional<QDate> date = SqlServerDateText::parse(*e.text);
    if (!date)
        fail(SqlServerDateText::conversionFailure());
    const QString iso = date->toString(Qt::ISODate);
    return Expr::from(quoted(to.kind == Type::Date ? iso : iso + u" 00:00:00.000"_s), to, {&e});
}

QString dateText(const Expr& e, int style)
{
    struct Style
    {
        int style;
        const char* format;
        bool withTime;
    };
    static const Style styles[] = {
        {-1, "%Y-%m-%d", false},          {101, "%m/%d/%Y", false},
        {103, "%d/%m/%Y", false},         {112, "%Y%m%d", false},
        {120, "%Y-%m-%d %H:%M:%S", true}, {121, "%Y-%m-%d %H:%M:%f", true}};
    for (const Style& s : styles) {
        if (s.style != style)
            continue;
        if (e.type.kind == Type::DateTime && style == -1)
            break;
        if (s.withTime && e.type.kind == Type::Date)
            break;
        return u"strftime('%1', %2)"_s.arg(QLatin1StringView(s.format), e.sql);
    }
    refuse(u"%1 to text %2"_s.arg(e.type.name(),
                                  style < 0 ? u"without a style"_s : u"in style %1"_s.arg(style)));
}

// A text cut to `to`'s length, a char padded to it.
QString fitted(const QString& sql, const Type& to)
{
    if (to.kind == Type::Char)
        return u"substr(%1 || '%2', 1, %3)"_s.arg(sql, QString(to.length, u' ')).arg(to.length);
    return u"substr(%1, 1, %2)"_s.arg(sql).arg(to.length);
}

Expr toText(const Expr& e, const Type& to, Conversion how, int style)
{
    QString sql = e.sql;
    if (e.type.isWhole()) {
        // A number too long for its text: '*' in a char or varchar, an error in Unicode ones.
        const QString digits = u"CAST(%1 AS TEXT)"_s.arg(e.sql);
        const QString tooLong =
            to.unicode || how != Conversion::Explicit
                ? failing(u"Arithmetic overflow error converting expression to data type %1."_s.arg(
                      to.name()))
                : u"'*'"_s;
        sql = u"(CASE WHEN length(%1) > %2 THEN %3 ELSE %1 END)"_s.arg(digits).arg(to.length).arg(
            tooLong);
    } else if (e.type.isTemporal()) {
        sql = dateText(e, style);
    } else if (!e.type.isText()) {
        refuse(u"%1 converted to text"_s.arg(e.type.name()));
    } else if (e.type.unicode && !to.unicode && !(e.text && isCodePageText(*e.text))) {
        refuse(u"Unicode text converted to %1"_s.arg(to.name()));
    }
    if (style >= 0 && !e.type.isTemporal())
        refuse(u"CONVERT style %1 for %2"_s.arg(style).arg(e.type.name()));
    if (how == Conversion::Assignment && e.type.isText()) {
        const QString message = u"String or binary data would be truncated."_s;
        if (e.text && e.text->size() > to.length)
            fail(message);
        if (!e.text && !(e.type.length <= to.length))
            sql = u"(CASE WHEN length(%1) > %2 THEN %3 ELSE %1 END)"_s.arg(sql).arg(to.length).arg(
                failing(message));
    }
    // A char column pads what it is given, as a cast to char does.
    if (how == Conversion::Explicit || (how == Conversion::Assignment && to.kind == Type::Char))
        sql = fitted(sql, to);
    Expr result = Expr::from(sql, to, {&e});
    if (how != Conversion::Explicit)
        result.text = e.text;
    return result;
}

} // namespace

QString quoted(const QString& text)
{
    return u'\'' + quotedText(text) + u'\'';
}

QString quotedName(const QString& name)
{
    return u'"' + QString(name).replace(u'"', u"\"\""_s) + u'"';
}

QString collation(const Type& type)
{
    return type.isText() ? u" COLLATE "_s + QLatin1StringView(SqlServerCollation::name) : QString();
}

bool isCodePageText(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF || (c.unicode() >= 0x80 && c.unicode() < 0xA0))
            return false;
    }
    return true;
}

void requireValue(const Expr& e)
{
    if (e.type.kind == Type::Condition)
        refuse(u"a predicate used as a value"_s);
}

Expr convert(const Expr& e, const Type& to, Conversion how, int style)
{
    requireValue(e);
    const Type& from = e.type;
    if (from.kind == Type::Null) {
        Expr result = e;
        result.type = to;
        return result;
    }
    if (to.isText())
        return toText(e, to, how, style);
    if (style >= 0)
        refuse(u"CONVERT style %1 to %2"_s.arg(style).arg(to.name()));
    if (from.kind == to.kind) {
        Expr same = e;
        same.type = to; // a decimal takes the scale it is printed with
        return same;
    }
    const bool explicitly = how == Conversion::Explicit;
    const QString clash = explicitly
                              ? u"Explicit conversion from data type %1 to %2 is not allowed."_s
                              : u"Operand type clash: %1 is incompatible with %2"_s;
    switch (to.kind) {
    case Type::Int:
    case Type::BigInt:
        if (from.isTemporal())
            fail(clash.arg(from.name(), to.name()));
        if (from.kind == Type::Int)
            return Expr::from(e.sql, to, {&e});
        return Expr::from(checked(to, e.sql), to, {&e});
    case Type::Float:
        if (from.isTemporal())
            fail(clash.arg(from.name(), to.name()));
        if (from.isText())
            return Expr::from(checked(to, e.sql), to, {&e});
        return Expr::from(u"CAST(%1 AS REAL)"_s.arg(e.sql), to, {&e});
    case Type::Numeric:
        if (from.isWhole() && !explicitly)
            return Expr::from(e.sql, to, {&e});
        refuse(u"conversion of %1 to decimal"_s.arg(from.name()));
    case Type::Date:
    case Type::DateTime:
        if (from.isText())
            return asTemporal(e, to);
        if (from.kind == Type::Date)
            return Expr::from(u"(%1 || ' 00:00:00.000')"_s.arg(e.sql), to, {&e});
        if (from.kind == Type::DateTime)
            return Expr::from(u"substr(%1, 1, 10)"_s.arg(e.sql), to, {&e});
        if (to.kind == Type::Date || from.kind == Type::BigInt)
            fail(clash.arg(from.name(), to.name()));
        refuse(u"a number converted to datetime"_s);
    default:
        refuse(u"conversion to %1"_s.arg(to.name()));
    }
}

Expr compare(const Expr& a, const QString& op, const Expr& b)
{
    requireValue(a);
    requireValue(b);
    const Type common = dominant(a.type, b.type);
    const Expr x = convert(a, common, Conversion::Implicit);
    const Expr y = convert(b, common, Conversion::Implicit);
    const QString sqliteOp = op == u"!<" ? u">="_s : op == u"!>" ? u"<="_s : op;
    return Expr::from(u"(%1%2 %3 %4)"_s.arg(x.sql, collation(common), sqliteOp, y.sql),
                      {Type::Condition}, {&a, &b});
}

Expr arithmetic(const Expr& a, QChar op, const Expr& b)
{
    requireValue(a);
    requireValue(b);
    static const QHash<QChar, QString> names{{u'+', u"add"_s},
                                             {u'-', u"subtract"_s},
                                             {u'*', u"multiply"_s},
                                             {u'/', u"divide"_s},
                                             {u'%', u"modulo"_s}};
    if (a.type.isText() && b.type.isText()) {
        if (op != u'+')
            fail(u"Operand data type %1 is invalid for %2 operator."_s.arg(a.type.name(),
                                                                           names[op]));
        Type joined = dominant(a.type, b.type);
        joined.kind = Type::VarChar;
        joined.length = std::min(a.type.length + b.type.length, joined.unicode ? 4000 : 8000);
        return Expr::from(u"(%1 || %2)"_s.arg(a.sql, b.sql), joined, {&a, &b});
    }
    const Type common = dominant(a.type, b.type);
    if (common.isTemporal()) {
        const Expr& other = a.type.isTemporal() ? b : a;
        if (common.kind == Type::DateTime && &other == &b && (op == u'+' || op == u'-') &&
            (other.type.isWhole() || other.type.kind == Type::Float)) {
            return Expr::from(u"strftime('%Y-%m-%d %H:%M:%f', %1, (%2%3) || ' days')"_s.arg(
                                  a.sql, op == u'-' ? u"-"_s : QString(), b.sql),
                              common, {&a, &b});
        }
        if (common.kind == Type::DateTime && other.type.kind == Type::DateTime)
            refuse(u"datetime arithmetic with datetime"_s);
        if (other.type.isText() || other.type.kind == common.kind) {
            convert(other, common, Conversion::Implicit);
            fail(u"The data types %1 and %1 are incompatible in the %2 operator."_s.arg(
                common.name(), names[op]));
        }
        if (other.type.kind == Type::Null)
            return Expr::from(u"NULL"_s, common, {&a, &b});
        if (common.kind == Type::Date)
            fail(u"Operand type clash: date is incompatible with %1"_s.arg(other.type.name()));
        refuse(u"datetime arithmetic with %1"_s.arg(other.type.name()));
    }
    if (common.kind == Type::Numeric)
        refuse(u"decimal arithmetic"_s);
    if (common.kind == Type::Null)
        return Expr::from(u"NULL"_s, {Type::Int}, {&a, &b});
    const Expr x = convert(a, common, Conversion::Implicit);
    const Expr y = convert(b, common, Conversion::Implicit);
    if (op == u'%' && common.kind == Type::Float)
        fail(u"The data types %1 and %2 are incompatible in the modulo operator."_s.arg(
            a.type.name(), b.type.name()));
    QString sql;
    if (op == u'/' || op == u'%')
        sql = u"sqlserver_%1(%2, %3)"_s.arg(op == u'/' ? u"divide"_s : u"modulo"_s, x.sql, y.sql);
    else
        sql = u"(%1 %2 %3)"_s.arg(x.sql, op, y.sql);
    if (common.isWhole() && op != u'/' && op != u'%')
        sql = checked(common, sql);
    else if (common.kind == Type::Float)
        sql = u"tsql_float(%1)"_s.arg(sql);
    return Expr::from(sql, common, {&a, &b});
}

Expr negate(const Expr& e)
{
    requireValue(e);
    if (e.type.isWhole())
        return Expr::from(checked(e.type, u"(-%1)"_s.arg(e.sql)), e.type, {&e});
    if (e.type.kind == Type::Float || e.type.kind == Type::Numeric)
        return Expr::from(u"(-%1)"_s.arg(e.sql), e.type, {&e});
    if (e.type.kind == Type::Null)
        return e;
    fail(u"Operand data type %1 is invalid for minus operator."_s.arg(e.type.name()));
}

QString collated(const Expr& e)
{
    requireValue(e);
    return e.sql + collation(e.type);
}

} // namespace ado::tsql
