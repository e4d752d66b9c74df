#pragma once

#include "db/DialectStatement.h"

namespace ado {

// SQLite's + always adds numbers ('LN' + '5' is 5, 'a' + 'b' is 0); SQL Server's joins two
// texts and converts a text met by a number to that number's type, failing when it is none.
// SQLite's / and % give Null for a zero divisor; SQL Server's fail. Every binary +, / and %
// becomes sqlserver_add, sqlserver_divide or sqlserver_modulo(left, right), which
// SqlServerFunctions gives SQL Server's rules. The operands are found by SQL Server's
// precedence: * / % bind tighter than + - & | ^, and each level groups from the left, so
// a - b + c is sqlserver_add(a - b, c).
void rewriteArithmetic(DialectStatement& s);

} // namespace ado
