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
    if (const QString gap = applicationGap(); !gap.isEmpty())
        return refuse(gap, cboloanapplication);
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

// A new issue takes its amount and payments over from the application, and the clerk cannot type
// them: a missing one is the application's to mend, and the refusal says so.
QString frmLoan::applicationGap()
{
    if (BasLoan::strMode != u"N" || cboloanapplication->currentIndex() < 0)
        return QString();
    const QString application = cboloanapplication->currentText();
    const auto gap = [&](const QString& what) {
        return u"Application %1 has no %2; it cannot be issued until it has one."_s.arg(application,
                                                                                        what);
    };
    if (vb::Val(txtLoanAmount->text()) == 0)
        return gap(u"approved amount"_s);
    if (vb::Trim(txtNoOfPayments->text()).isEmpty())
        return gap(u"payment period"_s);
    return QString();
}

bool frmLoan::fnAmountWithinLimits()
{
    const QString refusal = amountLimitRefusal();
    return refusal.isEmpty() || refuse(refusal, txtLoanAmount);
}

// A new issue's amount must lie within its loan type's limits, where the loan type sets an
// upper limit. Issues already stored keep their amounts, so an edit is not held to limits
// changed since.
QString frmLoan::amountLimitRefusal()
{
    if (BasLoan::strMode != u"N" || cboLoanType->currentIndex() < 0)
        return QString(); // a missing loan type ends the save with its own message
    ado::Recordset rs;
    rs.Open(u"select lMinlimit, lMaxlimit from %1 where lcompanyid = %2 and lloanid = %3"_s.arg(
                BasLoan::strTblLoans, QString::number(BasLoan::intCompanyID),
                QString::number(vb::CLng(cboLoanType->currentData()))),
            BasLoan::adocon());
    if (rs.isEOF())
        return QString();
    const QVariant minimum = rs.value(0);
    const QVariant maximum = rs.value(1);
    rs.Close();
    if (maximum.isNull() || vb::CDbl(maximum) <= 0)
        return QString();
    const double lower = minimum.isNull() ? 0 : vb::CDbl(minimum);
    const double upper = vb::CDbl(maximum);
    const double amount = vb::Val(txtLoanAmount->text());
    if (amount >= lower && amount <= upper)
        return QString();
    const auto money = [&](double value) {
        const QString figure = vb::Format(value, u"###,###,##0.00");
        return m_currencySymbol.isEmpty() ? figure : m_currencySymbol + u' ' + figure;
    };
    return u"The %1 amount %2 must be between %3 and %4 for %5."_s.arg(
        BasLoan::strtype == u"A" ? u"advance"_s : u"loan"_s, money(amount), money(lower),
        money(upper), cboLoanType->currentText());
}
