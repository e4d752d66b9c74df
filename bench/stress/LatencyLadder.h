#pragma once

#include <QList>
#include <QString>

namespace stress {

// The time from OK to commit as the register grows: for each number of loans already stored,
// one clerk alone and then eight at once, each clerk making `saves` saves on a database built
// afresh. Prints one line per run and the goals (the median at the largest register within
// 1.5 times the median at the smallest; eight clerks' 99th percentile at the largest under
// 100 ms). Returns whether every run passed its audit. Raises RuntimeError.
bool runLatencyLadder(const QString& program, const QString& databasePath,
                      const QList<int>& registerSizes, int saves, quint32 seed);

} // namespace stress
