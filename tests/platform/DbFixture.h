#pragma once

#include "db/Connection.h"

#include <QString>

// The few payroll tables the database tests need, declared as the payroll schema declares them:
// text columns with the SQL Server collation, dates as DATE, unique keys on issue id and number.
namespace DbFixture {

void createTables(ado::Connection& connection);
// An issue of company 1, type L, employee 7, loan type 3, active and not cancelled.
void addIssue(ado::Connection& connection, int id, const QString& number, const QString& isoDate,
              int applicationId = 0, int cancelled = 0);

} // namespace DbFixture
