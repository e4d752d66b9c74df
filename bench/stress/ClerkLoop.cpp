#include "ClerkLoop.h"

#include "Clerk.h"
#include "StressDatabase.h"

#include "runtime/RuntimeError.h"

#include <QList>
#include <cstdio>
#include <optional>
#include <random>

using namespace Qt::StringLiterals;

namespace {

void report(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace

int runClerk(const QString& databasePath, int clerkIndex, int saves, int employees, quint32 seed)
{
    std::optional<Clerk> clerk;
    try {
        clerk.emplace(databasePath);
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "clerk %d: %s\n", clerkIndex, e.what());
        return 1;
    }
    std::mt19937 random(seed + quint32(clerkIndex) * 7919u);
    std::uniform_int_distribution<int> pickEmployee(0, employees - 1);
    QList<qint32> ownLiveIssues;
    int committed = 0;
    int idle = 0;
    for (int attempt = 0; committed < saves && attempt < 3 * saves;) {
        const Clerk::Outcome saved =
            clerk->saveNewIssue(stress::FirstEmployee + pickEmployee(random));
        if (saved.kind == Clerk::Outcome::NothingToDo) {
            if (++idle > 4 * employees)
                break; // every application has been issued
            continue;
        }
        idle = 0;
        ++attempt;
        switch (saved.kind) {
        case Clerk::Outcome::Done:
            report(u"saved %1 %2 %3"_s.arg(saved.issueId)
                       .arg(saved.number)
                       .arg(saved.milliseconds, 0, 'f', 2));
            ownLiveIssues << saved.issueId;
            ++committed;
            break;
        case Clerk::Outcome::Refused:
            report(u"refused "_s + saved.message);
            break;
        default:
            report(u"silent"_s);
            break;
        }
        if (saved.kind != Clerk::Outcome::Done || committed % 10 != 0)
            continue;
        const qint32 victim = ownLiveIssues.takeAt(
            std::uniform_int_distribution<qsizetype>(0, ownLiveIssues.size() - 1)(random));
        const Clerk::Outcome cancelled =
            clerk->cancelIssue(victim, u"stress clerk %1"_s.arg(clerkIndex));
        report(cancelled.kind == Clerk::Outcome::Done
                   ? u"cancelled %1"_s.arg(victim)
                   : u"cancel-refused %1 %2"_s.arg(victim).arg(cancelled.message));
    }
    return 0;
}
