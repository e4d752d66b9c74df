#pragma once

#include "HostOptions.h"

class QTextStream;

// --statement NUMBER[,NUMBER...] --pdf OUT.pdf: the issue statements Preview shows, printed into
// one PDF without a display. Every number is looked up before anything is written; the file is
// written under a temporary name and renamed into place once complete. Returns the exit status
// (0 written, 1 a number not found or a failure); raises RuntimeError for a database failure.
namespace PrintStatements {

int run(const HostOptions& options, QTextStream& out, QTextStream& err);

} // namespace PrintStatements
