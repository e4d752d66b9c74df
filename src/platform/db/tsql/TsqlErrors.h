#pragma once

#include <QString>

namespace ado::tsql {

// A construct the embedded database cannot give SQL Server's meaning: refused by name rather than
// run with another one.
[[noreturn]] void refuse(const QString& construct);
// A statement SQL Server itself rejects, with SQL Server's message.
[[noreturn]] void fail(const QString& message);

} // namespace ado::tsql
