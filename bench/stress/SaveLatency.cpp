#include "SaveLatency.h"

#include <algorithm>
#include <cmath>

namespace stress {

SaveLatency SaveLatency::of(QList<double> milliseconds)
{
    SaveLatency latency;
    latency.saves = int(milliseconds.size());
    if (milliseconds.isEmpty())
        return latency;
    std::sort(milliseconds.begin(), milliseconds.end());
    const auto percentile = [&milliseconds](double p) {
        const auto rank = qsizetype(std::ceil(p / 100.0 * double(milliseconds.size())));
        return milliseconds[std::clamp<qsizetype>(rank - 1, 0, milliseconds.size() - 1)];
    };
    latency.median = percentile(50);
    latency.p95 = percentile(95);
    latency.p99 = percentile(99);
    latency.slowest = milliseconds.back();
    return latency;
}

} // namespace stress
