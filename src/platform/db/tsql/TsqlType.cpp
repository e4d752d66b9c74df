#include "db/tsql/TsqlType.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ado::tsql {

QString Type::name() const
{
    switch (kind) {
    case Null:
    case Int:
        return u"int"_s;
    case Condition:
        return u"condition"_s;
    case Char:
        return unicode ? u"nchar"_s : u"char"_s;
    case VarChar:
        return unicode ? u"nvarchar"_s : u"varchar"_s;
    case BigInt:
        return u"bigint"_s;
    case Numeric:
        return u"numeric"_s;
    case Float:
        return u"float"_s;
    case Date:
        return u"date"_s;
    case DateTime:
        return u"datetime"_s;
    }
    return QString();
}

Type Type::named(const QString& base, int length)
{
    if (base == u"int" || base == u"integer")
        return {Int};
    if (base == u"bigint")
        return {BigInt};
    if (base == u"float")
        return {Float};
    if (base == u"date")
        return {Date};
    if (base == u"datetime")
        return {DateTime};
    if (base == u"char" || base == u"nchar")
        return text(Char, length, base.startsWith(u'n'));
    if (base == u"varchar" || base == u"nvarchar")
        return text(VarChar, length, base.startsWith(u'n'));
    return {Null};
}

int Type::precedence() const
{
    switch (kind) {
    case Null:
    case Condition:
        return 0;
    case Char:
        return unicode ? 3 : 1;
    case VarChar:
        return unicode ? 4 : 2;
    case Int:
        return 5;
    case BigInt:
        return 6;
    case Numeric:
        return 7;
    case Float:
        return 8;
    case Date:
        return 9;
    case DateTime:
        return 10;
    }
    return 0;
}

Type dominant(const Type& a, const Type& b)
{
    Type winner = a.precedence() >= b.precedence() ? a : b;
    if (a.isText() && b.isText()) {
        winner.length = std::max(a.length, b.length);
        winner.unicode = a.unicode || b.unicode;
    }
    // Decimals meet keeping every digit either has on both sides of the point.
    if (a.kind == Type::Numeric && b.kind == Type::Numeric) {
        winner.scale = std::max(a.scale, b.scale);
        winner.length = std::max(a.length - a.scale, b.length - b.scale) + winner.scale;
    }
    return winner;
}

} // namespace ado::tsql
