#pragma once

#include "HostOptions.h"

#include <QTextStream>

// --check: reads a database file without changing it and reports each finding by its check's
// name. Returns the exit status: 0 sound, 1 findings (a file that cannot be opened is one) or a
// file this user is not let read (see SqliteFile::refusal), which is said on its own,
// 2 a database that is no file.
namespace CheckCommand {

int run(const HostOptions& options, QTextStream& out, QTextStream& err);

} // namespace CheckCommand
