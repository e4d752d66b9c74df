#pragma once

#include "DatabaseAudit.h"
#include "SaveLatency.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

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

struct StressPlan
{
    int processes = 8;
    int saves = 500; // committed saves per clerk
    quint32 seed = 20240315;
    int seededIssues = 0; // see createStressDatabase
    // Called once, the clerks going on meanwhile, when they have reported a quarter of their
    // saves: with every save reported so far (issue id to number).
    std::function<void(const QHash<qint32, QString>& savedSoFar)> midway;
};

StressResult runStress(const QString& program, const QString& databasePath, const StressPlan& plan);

} // namespace stress
