#pragma once

#include "db/Connection.h"

#include <QString>

namespace payroll {

// Adds count issues of the given type ("L" or "A") to the company's register, for tests and
// benchmarks of big lists: one transaction, one prepared insert per table. Every issue has an
// application of its own, an employee and a loan type of the company (missing ones are added:
// a settings row listing every day, a currency and the usual loan types, employees with
// everyday names up to a staff of 300); ids and numbers continue after the company's highest,
// with the company's prefix; dates run up to today, oldest first; about one in twenty is
// cancelled. The choices come from a fixed random seed, so runs repeat. Needs the embedded engine;
// raises RuntimeError.
void seedLargeRegister(ado::Connection& connection, qint16 companyId, const QString& type,
                       int count);

} // namespace payroll
