#pragma once

#include <QString>

namespace ado {
class Connection;
}

// Cancelling one issue. The register checked that payroll had neither used nor deducted the
// issue before the clerk was asked for a reason; by the time the clerk confirms, payroll or
// another clerk may have got there first. The check is therefore repeated under the write lock,
// in the same transaction as the update, so an issue payroll has used or recovered money on is
// never cancelled (its application would reopen) and an earlier cancellation's remark is never
// overwritten.
namespace IssueCancellation {

enum class Outcome { Cancelled, UsedByPayroll, DeductedInMonthlyEntry, AlreadyCancelled, NotFound };

// Cancels the issue of the company with the remark, unless it is no longer live.
Outcome cancelLiveIssue(ado::Connection& connection, const QString& remark, const QString& issueId);

// What the clerk is told when the issue, of this number, was not cancelled.
QString refusal(Outcome outcome, const QString& number);

} // namespace IssueCancellation
