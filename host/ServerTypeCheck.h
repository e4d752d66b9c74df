#pragma once

#include "DatabaseCheck.h"

class SqliteFile;

// Stored values the company's SQL Server could not hold in the column's type: text in a number or
// date column, a fraction in an int column, an integer beyond int's range. The embedded engine
// stores what it is given unless the schema refuses it, and an older file's schema may not; such
// a value would fail the move to the server and misleads every sum on the way. Checked in the
// issue, application and repayment tables, against the column types of the embedded schema,
// which a test keeps equal to the SQL Server script's.
namespace ServerTypeCheck {

DatabaseCheck::Result run(const SqliteFile& file);

} // namespace ServerTypeCheck
