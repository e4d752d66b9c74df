#pragma once

#include "DatabaseAudit.h"
#include "SaveLatency.h"

#include <QString>
#include <QStringList>

namespace stress {

// N clerk processes saving and cancelling at once against one database file, and what they and
// the database said afterwards.
struct StressResult
{
    int processes = 0;
    int savesPerClerk = 0;
    int seededIssues = 0; // in the register before the clerks began
    double seconds = 0;
    int saved = 0;
    int conflicts = 0;     // application issued by another clerk meanwhile, or id/number clash
    int busy = 0;          // the database stayed locked past the busy timeout
    int otherFailures = 0; // any other failure the clerk was told about
    int silent = 0;        // neither committed nor told
    int cancelled = 0;
    int cancelRefused = 0;
    int clerksFailed = 0; // clerk processes that did not finish cleanly
    int lost = 0;         // reported saved but not (so) stored, or cancelled but still live
    int unreported = 0;   // stored (or cancelled) without the clerk being told so
    QList<double> saveMilliseconds; // of each committed save, from OK to commit
    QStringList otherMessages;
    DatabaseAudit audit;

    int failuresReported() const { return conflicts + busy + otherFailures; }
    bool passed() const;
    QString table() const;
};

StressResult runStress(const QString& program, const QString& databasePath, int processes,
                       int saves, quint32 seed, int seededIssues = 0);

} // namespace stress
