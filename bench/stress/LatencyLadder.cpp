#include "LatencyLadder.h"

#include "StressRun.h"

#include <cstdio>
#include <map>
#include <utility>

namespace stress {

namespace {

const char* verdict(bool met)
{
    return met ? "met" : "MISSED";
}

} // namespace

bool runLatencyLadder(const QString& program, const QString& databasePath,
                      const QList<int>& registerSizes, int saves, quint32 seed)
{
    std::printf("OK to commit as the register grows (%d saves per clerk)\n"
                "  %9s  %6s  %6s  %8s  %8s  %8s  %8s  %s\n",
                saves, "loans", "clerks", "saves", "p50 ms", "p95 ms", "p99 ms", "max ms", "audit");
    bool passed = true;
    std::map<std::pair<int, int>, SaveLatency> latencies; // by loans and clerks
    for (const int loans : registerSizes) {
        for (const int clerks : {1, 8}) {
            StressPlan plan;
            plan.processes = clerks;
            plan.saves = saves;
            plan.seed = seed;
            plan.seededIssues = loans;
            const StressResult result = runStress(program, databasePath, plan);
            const SaveLatency latency = SaveLatency::of(result.saveMilliseconds);
            latencies[{loans, clerks}] = latency;
            passed = passed && result.passed();
            std::printf("  %9d  %6d  %6d  %8.1f  %8.1f  %8.1f  %8.1f  %s\n", loans, clerks,
                        latency.saves, latency.median, latency.p95, latency.p99, latency.slowest,
                        result.passed() ? "PASS" : "FAIL");
            std::fflush(stdout);
        }
    }
    if (registerSizes.size() > 1) {
        const int smallest = registerSizes.front();
        const int largest = registerSizes.back();
        const double growth =
            latencies[{largest, 1}].median / std::max(latencies[{smallest, 1}].median, 0.001);
        std::printf("  one clerk's median at %d loans: %.2fx that at %d (goal <= 1.5x): %s\n",
                    largest, growth, smallest, verdict(growth <= 1.5));
        const double p99 = latencies[{largest, 8}].p99;
        std::printf("  eight clerks' 99th percentile at %d loans: %.1f ms (goal < 100 ms): %s\n",
                    largest, p99, verdict(p99 < 100));
    }
    return passed;
}

} // namespace stress
