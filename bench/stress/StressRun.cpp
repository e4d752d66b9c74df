#include "StressRun.h"

#include "ClerkProcess.h"
#include "StressDatabase.h"

#include "db/Connection.h"
#include "db/PreparedStatement.h"

#include <QElapsedTimer>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace stress {

namespace {

bool isConflict(const QString& message)
{
    return message.contains(QLatin1String("Another user has just issued")) ||
           message.contains(QLatin1String("clashes with one already stored"));
}

// Takes one clerk's report lines into the result; remembers what the clerks believe they stored.
void tally(StressResult& result, const QByteArray& output, QHash<qint32, QString>& saved,
           QSet<qint32>& cancelled)
{
    for (const QByteArray& raw : output.split('\n')) {
        const QString line = QString::fromUtf8(raw);
        const QStringList words = line.split(u' ');
        const QString what = words.front();
        if (what == u"saved" && words.size() == 4) {
            ++result.saved;
            result.saveMilliseconds << words[3].toDouble();
            // Two clerks told the same id were saved: one of them cannot have been.
            if (saved.contains(words[1].toInt()))
                ++result.lost;
            saved.insert(words[1].toInt(), words[2]);
        } else if (what == u"refused") {
            const QString message = line.mid(what.size() + 1);
            if (isConflict(message))
                ++result.conflicts;
            else if (message.contains(QLatin1String("busy")))
                ++result.busy;
            else {
                ++result.otherFailures;
                if (result.otherMessages.size() < 5 && !result.otherMessages.contains(message))
                    result.otherMessages << message;
            }
        } else if (what == u"silent") {
            ++result.silent;
        } else if (what == u"cancelled" && words.size() == 2) {
            ++result.cancelled;
            cancelled.insert(words[1].toInt());
        } else if (what == u"cancel-refused") {
            ++result.cancelRefused;
        }
    }
}

void compareWithDatabase(StressResult& result, const QString& databasePath,
                         const QHash<qint32, QString>& saved, const QSet<qint32>& cancelled)
{
    const QHash<qint32, StoredIssue> stored = generatedIssues(databasePath);
    for (auto it = saved.cbegin(); it != saved.cend(); ++it) {
        const auto found = stored.constFind(it.key());
        if (found == stored.cend() || found->number != it.value())
            ++result.lost;
    }
    for (const qint32 id : cancelled) {
        if (!stored.value(id).cancelled)
            ++result.lost;
    }
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        if (!saved.contains(it.key()))
            ++result.unreported;
        else if (it->cancelled && !cancelled.contains(it.key()))
            ++result.unreported;
    }
}

} // namespace

bool StressResult::passed() const
{
    return silent == 0 && clerksFailed == 0 && lost == 0 && unreported == 0 && audit.sound() &&
           saved > 0;
}

QString StressResult::table() const
{
    QString text;
    const auto line = [&text](const char* label, const QString& value) {
        text += u"  %1 %2\n"_s.arg(QLatin1String(label), -22).arg(value);
    };
    const auto number = [](int n) { return QString::number(n); };
    line("clerk processes", u"%1 x %2 saves"_s.arg(processes).arg(savesPerClerk));
    line("issues seeded", number(seededIssues));
    line("wall time", u"%1 s"_s.arg(seconds, 0, 'f', 1));
    line("saves committed", number(saved));
    line("saves per second", QString::number(seconds > 0 ? saved / seconds : 0, 'f', 1));
    const SaveLatency latency = SaveLatency::of(saveMilliseconds);
    line("OK to commit",
         u"median %1 ms, 95%: %2 ms, 99%: %3 ms, slowest %4 ms"_s.arg(latency.median, 0, 'f', 1)
             .arg(latency.p95, 0, 'f', 1)
             .arg(latency.p99, 0, 'f', 1)
             .arg(latency.slowest, 0, 'f', 1));
    line("conflicts met", number(conflicts));
    line("busy past the timeout", number(busy));
    line("other failures", number(otherFailures));
    line("failures reported", number(failuresReported()));
    line("silent failures", number(silent));
    line("cancellations", u"%1 (refused %2)"_s.arg(cancelled).arg(cancelRefused));
    line("clerks that failed", number(clerksFailed));
    line("duplicate ids", number(audit.duplicateIds));
    line("duplicate numbers", number(audit.duplicateNumbers));
    line("lost", number(lost));
    line("stored unreported", number(unreported));
    line("unmarked repayments", number(audit.issuesWithoutMarks));
    line("marks without issue", number(audit.marksWithoutIssue));
    line("integrity_check", audit.integrity);
    for (const QString& message : otherMessages)
        line("other failure", message);
    line("result", passed() ? u"PASS"_s : u"FAIL"_s);
    return text;
}

StressResult runStress(const QString& program, const QString& databasePath, const StressPlan& plan)
{
    StressResult result;
    result.processes = plan.processes;
    result.savesPerClerk = plan.saves;
    result.seededIssues = plan.seededIssues;
    const int employees = 4 * plan.processes;
    createStressDatabase(databasePath, employees, plan.processes * plan.saves * 11 / 10 + 100,
                         plan.seededIssues);

    QElapsedTimer timer;
    timer.start();
    std::vector<std::unique_ptr<QProcess>> clerks;
    for (int k = 0; k < plan.processes; ++k) {
        clerks.push_back(std::make_unique<QProcess>());
        ClerkProcess::start(*clerks.back(), program, databasePath, k, plan.saves, employees,
                            plan.seed);
    }
    QHash<qint32, QString> saved;
    QSet<qint32> cancelled;
    // The reports are read as they come, so that the midway step sees the run half done.
    bool midwayDone = !plan.midway;
    for (bool running = true; running;) {
        running = false;
        for (const auto& clerk : clerks) {
            if (clerk->state() != QProcess::NotRunning) {
                running = true;
                clerk->waitForReadyRead(20);
            }
            while (clerk->canReadLine())
                tally(result, clerk->readLine(), saved, cancelled);
        }
        if (!midwayDone && result.saved >= plan.processes * plan.saves / 4) {
            midwayDone = true;
            plan.midway(saved);
        }
    }
    for (const auto& clerk : clerks) {
        if (clerk->exitStatus() != QProcess::NormalExit || clerk->exitCode() != 0)
            ++result.clerksFailed;
        tally(result, clerk->readAllStandardOutput(), saved, cancelled);
    }
    result.seconds = timer.elapsed() / 1000.0;

    compareWithDatabase(result, databasePath, saved, cancelled);
    result.audit = DatabaseAudit::of(databasePath);
    return result;
}

} // namespace stress
