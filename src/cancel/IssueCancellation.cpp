#include "cancel/IssueCancellation.h"

#include "cancel/CancellationStatements.h"
#include "data/IssueDeductions.h"
#include "data/IssueLockReason.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "db/Transaction.h"
#include "runtime/Conversions.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace IssueCancellation {

namespace {

// Why the issue can no longer be cancelled; nothing while it is live.
std::optional<Outcome> obstacle(ado::Connection& connection, const QString& issueId)
{
    ado::Recordset rs;
    rs.Open(CancellationStatements::issueStateCheck(issueId), connection);
    if (rs.isEOF())
        return Outcome::NotFound;
    if (vb::FlagSet(rs.value(0)))
        return Outcome::UsedByPayroll;
    if (vb::FlagSet(rs.value(1)))
        return Outcome::AlreadyCancelled;
    rs.Close();
    if (IssueDeductions::deductedInMonthlyEntry(connection, vb::CLng(vb::Val(issueId))))
        return Outcome::DeductedInMonthlyEntry;
    return std::nullopt;
}

} // namespace

Outcome cancelLiveIssue(ado::Connection& connection, const QString& remark, const QString& issueId)
{
    ado::Transaction transaction(connection);
    if (const std::optional<Outcome> refused = obstacle(connection, issueId))
        return *refused;
    connection.Execute(CancellationStatements::cancelIssue(remark, issueId));
    transaction.commit();
    return Outcome::Cancelled;
}

QString refusal(Outcome outcome, const QString& number)
{
    const QString refused = u"Record can not be deleted\n\n"_s;
    switch (outcome) {
    case Outcome::UsedByPayroll:
        return refused + IssueLockReason::usedByPayroll(number);
    case Outcome::DeductedInMonthlyEntry:
        return refused + IssueLockReason::deductedInMonthlyEntry(number);
    case Outcome::AlreadyCancelled:
        return u"This entry has already been cancelled"_s;
    case Outcome::NotFound:
        return u"This entry no longer exists"_s;
    case Outcome::Cancelled:
        break;
    }
    return QString();
}

} // namespace IssueCancellation
