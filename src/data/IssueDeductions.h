#pragma once

#include <QtGlobal>

namespace ado {
class Connection;
}

// Whether payroll has already recovered an issue's instalment: the register's Edit opens such an
// issue read-only, and a save refuses to change one that payroll deducted meanwhile.
namespace IssueDeductions {

// True when a deduction line of a monthly entry that is not cancelled names the issue.
bool deductedInMonthlyEntry(ado::Connection& connection, qint32 lngLoanIssueID);
// The same on the module's connection.
bool deductedInMonthlyEntry(qint32 lngLoanIssueID);

} // namespace IssueDeductions
