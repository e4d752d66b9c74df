#pragma once

#include <QString>

namespace ado::tsql {

// A value's type as SQL Server sees it, for the types the embedded front end gives SQL Server's
// meaning. Condition is the truth of a predicate, which T-SQL never lets stand as a value; Null is
// the untyped NULL literal.
struct Type
{
    enum Kind { Null, Condition, Char, VarChar, Int, BigInt, Numeric, Float, Date, DateTime };

    Kind kind = Null;
    bool unicode = false;
    int length = 0; // characters of a text type, precision of numeric
    int scale = 0;  // digits after the point of numeric

    Type(Kind kind = Null, bool unicode = false, int length = 0, int scale = 0)
        : kind(kind), unicode(unicode), length(length), scale(scale)
    {
    }

    static Type text(Kind kind, int length, bool unicode) { return {kind, unicode, length, 0}; }
    // The type a declaration or a CAST names ("varchar" with its length), in lower case; Null for
    // a name the front end does not know.
    static Type named(const QString& base, int length);

    bool isText() const { return kind == Char || kind == VarChar; }
    bool isWhole() const { return kind == Int || kind == BigInt; }
    bool isNumber() const { return isWhole() || kind == Numeric || kind == Float; }
    bool isTemporal() const { return kind == Date || kind == DateTime; }

    // SQL Server's name of the type, as its messages spell it: nvarchar, int, date.
    QString name() const;
    // SQL Server's data type precedence: the operand with the higher one converts the other.
    int precedence() const;
};

// The type two operands meet in: the one of higher precedence, texts of the longer length.
Type dominant(const Type& a, const Type& b);

} // namespace ado::tsql
