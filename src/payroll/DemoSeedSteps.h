#pragma once

#include "db/Connection.h"

#include <QDate>

// The parts of the demo data, run in this order inside createDemoDatabase's transaction.
namespace payroll::demo {

// Settings, currencies, loan types, employees, users, rights and prefixes.
void seedCompanies(ado::Connection& connection);
// Applications, issues in every state, monthly entries and repayment rows.
void seedIssues(ado::Connection& connection, const QDate& processDate);

} // namespace payroll::demo
