#pragma once

#include <QString>

// The work of one clerk process, reported on standard output one line per step:
//   saved <id> <number> <milliseconds from OK to commit>
//   refused <message>        silent
//   cancelled <id>           cancel-refused <id> <message>
// Picks employees at random (seeded) among the generated ones and saves until it has committed
// `saves` issues or made three times as many attempts; every tenth committed issue it cancels one
// of its own at random. Returns the process exit code.
int runClerk(const QString& databasePath, int clerkIndex, int saves, int employees, quint32 seed);
