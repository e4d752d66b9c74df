#pragma once

#include "HostOptions.h"

#include <QTextStream>

// --backup: a consistent copy of the database file while clerks may go on saving. The copy is
// written beside the target under a temporary name, flushed to disk with its folder, and renamed
// into place only when complete, so the target holds either its old contents or the whole new
// copy. Returns the exit status: 0 copied, 1 the backup failed, 2 a database that is no file.
namespace BackupCommand {

int run(const HostOptions& options, QTextStream& out, QTextStream& err);

} // namespace BackupCommand
