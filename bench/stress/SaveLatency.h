#pragma once

#include <QList>

namespace stress {

// How long the clerks waited from pressing OK to their save's commit, in milliseconds, over the
// committed saves of a run (percentiles by nearest rank).
struct SaveLatency
{
    int saves = 0;
    double median = 0;
    double p95 = 0;
    double p99 = 0;
    double slowest = 0;

    static SaveLatency of(QList<double> milliseconds);
};

} // namespace stress
