#pragma once

#include <QString>

// Physical names of the payroll tables as the schema creates them. The module reaches the
// twelve mapped ones through linktable only; these names are for the host's admin work, the
// seeders and tests. The issue table is kept under a name of its own, so any statement that
// names "pLoansIssue" literally fails.
namespace payroll::table {

inline const QString LinkTable = QStringLiteral("linktable");
inline const QString Users = QStringLiteral("pusers");
inline const QString LoansIssue = QStringLiteral("pLoansIssueData");
inline const QString Loans = QStringLiteral("pLoans");
inline const QString Repayment = QStringLiteral("ploanrepaymentdetails");
inline const QString Tables = QStringLiteral("ptables");
inline const QString TableColumns = QStringLiteral("ptablecolumns");
inline const QString UserRights = QStringLiteral("puserrights");
inline const QString Settings = QStringLiteral("psettings");
inline const QString Employee = QStringLiteral("pemployee");
inline const QString LoanApplication = QStringLiteral("ploanapplication");
inline const QString Prefix = QStringLiteral("pPrefix");
inline const QString Currency = QStringLiteral("pCurrencyMaster");
inline const QString MonthlyEntryHeader = QStringLiteral("pempMonthlyEntryHeader");
inline const QString DeductionDetail = QStringLiteral("pEmployeeDeductionDetail");

// The heading set of the advance register; the loan register's is named LoansIssue.
inline const QString AdvanceHeadingSet = QStringLiteral("Padvancemaster");

} // namespace payroll::table
