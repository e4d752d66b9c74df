#pragma once

#include "HostOptions.h"

#include <QTextStream>

// --add-indexes: gives an existing database file the indexes of the current schema that it
// lacks, and names each one added. Returns the exit status: 0 done (also when none was
// missing), 1 the database failed, 2 a database that is no file.
namespace AddIndexesCommand {

int run(const HostOptions& options, QTextStream& out, QTextStream& err);

} // namespace AddIndexesCommand
