#include "CrashRun.h"

#include "ClerkProcess.h"
#include "DatabaseAudit.h"
#include "StressDatabase.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <random>

using namespace Qt::StringLiterals;

namespace stress {

namespace {

constexpr int Employees = 12;
constexpr int EndlessSaves = 1000000;
constexpr int StartTimeoutMs = 30000;
// A save takes some tens of milliseconds; kills land anywhere within the next few.
constexpr int LatestKillMs = 400;

} // namespace

CrashResult runCrashTest(const QString& program, const QString& databasePath, int kills,
                         quint32 seed)
{
    CrashResult result;
    createStressDatabase(databasePath, Employees, 25 * kills + 200);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delay(0, LatestKillMs);
    QElapsedTimer timer;
    timer.start();
    for (int k = 0; k < kills; ++k) {
        QProcess clerk;
        ClerkProcess::start(clerk, program, databasePath, k, EndlessSaves, Employees, seed + k);
        // Killed only once it is at work: after its first reported step.
        clerk.waitForReadyRead(StartTimeoutMs);
        QThread::msleep(delay(random));
        clerk.kill();
        clerk.waitForFinished(-1);
        ++result.kills;
        const DatabaseAudit audit = DatabaseAudit::of(databasePath);
        if (!audit.sound()) {
            if (!result.unsound)
                result.firstFault = u"after kill %1: %2"_s.arg(k + 1).arg(audit.faults());
            ++result.unsound;
        }
        result.issues = audit.issues;
    }
    result.seconds = timer.elapsed() / 1000.0;
    return result;
}

} // namespace stress
