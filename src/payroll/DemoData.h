#pragma once

#include "db/Connection.h"

#include <QDate>

namespace payroll {

// The demo payroll: two companies with everything a clerk meets in the registers.
namespace demo {

// Company 1: level-payment interest, the register lists the last 30 days, numbers LN1.. and
// ADV1... Company 2: declining-balance interest, the register lists everything, bare numbers.
inline constexpr qint16 HeadOffice = 1;
inline constexpr qint16 Branch = 2;

// Users, the same in both companies, and the rights string each holds for both registers.
inline constexpr qint16 Admin = 1;   // user 1: every right, whatever the rights table says
inline constexpr qint16 Clerk = 2;   // "NEDP"
inline constexpr qint16 Viewer = 3;  // "P"
inline constexpr qint16 Auditor = 4; // "ADMIN", which grants nothing
inline constexpr qint16 Trainee = 5; // " ned ": new, edit and delete, no preview
inline constexpr qint16 Guest = 6;   // no rights row

} // namespace demo

// Creates the payroll schema and the demo data on an empty database, in one transaction. The
// issues are dated back from processDate (the process date the register will be opened with):
// from 58 days before it up to 3 days before, so that company 1's 30-day window hides the
// older ones. Raises RuntimeError.
void createDemoDatabase(ado::Connection& connection, const QDate& processDate);

} // namespace payroll
