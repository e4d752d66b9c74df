#pragma once

#include <QStringList>

#include <functional>

class QComboBox;
class frmLoan;

// A payroll database with the rows the entry window's tests need, and the module context of one
// company's register. Company 1 works out instalments as level payments and numbers LN../ADV..;
// company 2 uses declining balances and bare numbers.
namespace EntryFixture {

// The module context of the register of one company and issue type, in an entry mode, on a
// freshly seeded payroll database.
void openRegister(qint16 company, const QString& type, const QString& mode = QStringLiteral("N"));
void run(const QString& sql);
// The fields of the first row a statement gives, as texts (dates in ISO form).
QStringList stored(const QString& sql);
QString storedValue(const QString& sql);

// An issue of employee 2 on application 99, dated 2 January 2024.
void addIssue(int company, int id, const QString& type, const QString& number,
              bool cancelled = false);
// Issue 7 of company 1, LN7: a live loan of employee 1 on application 10, stored before with an
// instalment the clerk typed (1000, not the 1055.63 worked out).
void addLiveIssue();

// A loaded entry window in new mode with the employee and application chosen (by item data).
frmLoan& newEntry(int employee, int application);
void choose(QComboBox* combo, int itemData);
// Shows the entry window modally from the register, by New for issue 0 and by Edit of the issue
// otherwise, and runs the check on it, which must close it (one left open fails the test and is
// closed). Returns whether the window was shown.
bool showEntry(int issue, const std::function<void(frmLoan&)>& check);
void closeWindows();

} // namespace EntryFixture
