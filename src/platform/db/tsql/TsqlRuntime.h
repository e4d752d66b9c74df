#pragma once

struct sqlite3;

namespace ado::tsql {

// The engine functions the front end's statements call beyond those every connection has:
// tsql_fail(message) raises SQL Server's error where a statement reaches it; tsql_upper and
// tsql_lower change case beyond ASCII; tsql_replace(text, find, with) finds as the collation
// compares, without regard to case; tsql_sum adds a chain of whole numbers; tsql_float
// fails a float beyond its range; tsql_date and tsql_datetime read a text as a date;
// tsql_charindex, tsql_replicate and tsql_stuff answer CHARINDEX, REPLICATE and STUFF;
// tsql_datepart, tsql_dateadd and tsql_datediff answer DATEPART, DATEADD and DATEDIFF. False when
// SQLite refuses one.
bool installRuntime(sqlite3* db);

} // namespace ado::tsql
