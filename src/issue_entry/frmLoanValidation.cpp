// Whether the entry is complete enough to be saved.
#include "issue_entry/frmLoan.h"

#include "common/BasLoan.h"
#include "db/Recordset.h"
#include "issue_entry/IssueFigures.h"
#include "runtime/Conversions.h"
#include "ui/MessageBox.h"

#include <QComboBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

bool refuse(const QString& message, QWidget* focus)
{
    msgbox::MsgBox(message, msgbox::vbInformation, BasLoan::MsgboxTitle);
    if (focus->isEnabled() && focus->isVisibleTo(focus->window()))
        focus->setFocus();
    return false;
}

} // namespace

bool frmLoan::fnValidateEntry()
{
    if (cboEmployee->currentIndex() < 0)
        return refuse(u"Select employee"_s, cboEmployee);
    if (cboloanapplication->currentIndex() < 0)
        return refuse(u"Select loan application"_s, cboloanapplication);
    if (!BasLoan::fnCheckMandatory(txtLoanAmount, u"Enter loan amount"_s, BasLoan::MsgboxTitle))
        return false;
    if (!BasLoan::fnCheckMandatory(txtNoOfPayments, u"Enter No Of Payments"_s,
                                   BasLoan::MsgboxTitle))
        return false;
    return fnAmountWithinLimits() && fnFiguresRecoverable();
}

// A new issue that payroll could never recover, or whose figures are not money to the cent
// within what every statement prints whole, is refused with the cause. Edits are not, so that a
// stored issue's remarks stay editable.
bool frmLoan::fnFiguresRecoverable()
{
    if (BasLoan::strMode != u"N")
        return true;
    const IssueFigures figures(txtLoanAmount->text(), txtNoOfPayments->text(),
                               txtInstallmentAmount->text());
    const IssueFigures::Refusal refusal =
        figures.refusal(BasLoan::strtype == u"A" ? u"advance"_s : u"loan"_s);
    if (refusal.message.isEmpty())
        return true;
    QLineEdit* const boxes[] = {txtLoanAmount, txtNoOfPayments, txtInstallmentAmount};
    return refuse(refusal.message, boxes[int(refusal.box)]);
}

// A new issue's amount must lie within its loan type's limits, where the loan type sets an
// upper limit. Issues already stored keep their amounts, so an edit is not held to limits
// changed since.
bool frmLoan::fnAmountWithinLimits()
{
    if (BasLoan::strMode != u"N" || cboLoanType->currentIndex() < 0)
        return true; // a missing loan type ends the save with its own message
    ado::Recordset rs;
    rs.Open(u"select lMinlimit, lMaxlimit from %1 where lcompanyid = %2 and lloanid = %3"_s.arg(
                BasLoan::strTblLoans, QString::number(BasLoan::intCompanyID),
                QString::number(vb::CLng(cboLoanType->currentData()))),
            BasLoan::adocon());
    if (rs.isEOF())
        return true;
    const QVariant minimum = rs.value(0);
    const QVariant maximum = rs.value(1);
    rs.Close();
    if (maximum.isNull() || vb::CDbl(maximum) <= 0)
        return true;
    const double lower = minimum.isNull() ? 0 : vb::CDbl(minimum);
    const double upper = vb::CDbl(maximum);
    const double amount = vb::Val(txtLoanAmount->text());
    if (amount >= lower && amount <= upper)
        return true;
    const QString what = BasLoan::strtype == u"A" ? u"advance"_s : u"loan"_s;
    return refuse(u"The %1 amount must be between %2 and %3 for %4."_s.arg(
                      what, vb::Format(lower, u"0.00"), vb::Format(upper, u"0.00"),
                      cboLoanType->currentText()),
                  txtLoanAmount);
}
