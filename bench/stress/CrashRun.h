#pragma once

#include <QString>

namespace stress {

// A clerk process saving (and now and then cancelling) in a loop, killed with SIGKILL at a random
// moment, again and again on one database file; after each kill the file is opened afresh and
// audited.
struct CrashResult
{
    int kills = 0;
    int unsound = 0;    // audits after a kill that found a fault
    QString firstFault; // the first such fault, with the kill it followed
    int issues = 0;     // generated issues stored at the end
    double seconds = 0;

    bool passed() const { return kills > 0 && unsound == 0; }
};

CrashResult runCrashTest(const QString& program, const QString& databasePath, int kills,
                         quint32 seed);

} // namespace stress
