#pragma once

#include "db/tsql/TsqlExpr.h"

namespace ado::tsql {

// SQL Server's conversions and operators on typed expressions, written for the embedded engine
// with SQL Server's meaning, or refused. Each raises RuntimeError on a statement SQL Server
// rejects or the embedded engine cannot answer as SQL Server would.

enum class Conversion { Implicit, Assignment, Explicit };

// `e` as type `to`. An explicit one cuts or pads texts to their length and takes a CONVERT style
// (-1 for none); an assignment fails on a text too long for its column.
Expr convert(const Expr& e, const Type& to, Conversion how, int style = -1);
// a <op> b (=, <>, !=, <, >, <=, >=, !<, !>), the operands met by data type precedence; texts
// compare as the database's collation does.
Expr compare(const Expr& a, const QString& op, const Expr& b);
// a <op> b for + - * / %.
Expr arithmetic(const Expr& a, QChar op, const Expr& b);
Expr negate(const Expr& e);
// A text as a string literal of the engine's statement.
QString quoted(const QString& text);
// A table or column name as the engine's statement quotes it.
QString quotedName(const QString& name);
// " COLLATE ..." for a text type, that it compares as the database's collation does; nothing
// for other types.
QString collation(const Type& type);
// The expression as ORDER BY, GROUP BY and DISTINCT see it: texts by the collation.
QString collated(const Expr& e);
// Whether a text keeps every character in a non-Unicode type (here: ASCII and Latin-1 letters,
// the part of code page 1252 that Unicode numbers alike).
bool isCodePageText(const QString& text);
// A predicate must not stand where a value goes.
void requireValue(const Expr& e);

} // namespace ado::tsql
