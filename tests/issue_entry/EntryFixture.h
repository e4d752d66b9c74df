#pragma once

#include "platform/db/Connection.h"

#include <QString>
#include <QStringList>
#include <QVariant>

class QComboBox;
class frmLoan;

// A payroll database with the rows the entry window's tests need, and the module context of one
// company's register. Company 1 works out instalments as level payments and numbers LN../ADV..;
// company 2 uses declining balances and bare numbers.
namespace EntryFixture {

ado::ConnectionPtr openPayroll(const QString& path = QStringLiteral(":memory:"));
// The module context of the register of one company and issue type, in an entry mode.
void useRegister(ado::ConnectionPtr connection, qint16 company, const QString& type,
                 const QString& mode = QStringLiteral("N"));
QVariant scalar(const QString& sql);
void run(const QString& sql);

// Issue 7 of company 1, LN7: a live loan of employee 1 on application 10, stored before.
void addLiveIssue();
// The fields of the first row a statement gives, as texts (dates in ISO form).
QStringList firstRow(const QString& sql);
// Makes the register grid's current row the issue's row (writing its id into a blank register).
void selectIssueRow(int id);

// A loaded entry window in new mode with the employee and application chosen (by item data).
frmLoan& newEntry(int employee, int application);
void choose(QComboBox* combo, int itemData);

} // namespace EntryFixture
