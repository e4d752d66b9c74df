#pragma once

#include "platform/db/DialectStatement.h"

namespace ado {

// SQLite's + always adds numbers ('LN' + '5' is 5, 'a' + 'b' is 0); SQL Server's joins two
// texts and converts a text met by a number to that number's type, failing when it is none.
// Every binary + becomes sqlserver_add(left, right), which SqlServerFunctions gives those
// rules. The operands are found by SQL Server's precedence: * / % bind tighter, and + - & | ^
// group from the left, so a - b + c is sqlserver_add(a - b, c).
void rewriteAdditions(DialectStatement& s);

} // namespace ado
