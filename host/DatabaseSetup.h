#pragma once

#include "HostOptions.h"

#include <QTextStream>

// --init-db and --demo: build a new payroll database where --db points. A database that
// already has tables is left untouched; a file this command created is removed again when
// building fails, so the next attempt starts afresh. Return the exit status.
namespace DatabaseSetup {

int initDatabase(const HostOptions& options, QTextStream& err);
int createDemo(const HostOptions& options, QTextStream& err);

} // namespace DatabaseSetup
