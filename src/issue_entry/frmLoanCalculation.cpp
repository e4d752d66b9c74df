// The amount, payments and instalment boxes: recalculation, focus and key handling.
#include "issue_entry/frmLoan.h"

#include "InstalmentFormula.h"
#include "clsCommonGen.h"
#include "common/BasLoan.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "ui/MessageBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Why the instalment was not worked out again, told plainly; the box keeps what it showed.
void tellNotRecalculated(const QString& reason)
{
    msgbox::MsgBox(u"The instalment could not be worked out again: "_s + reason +
                       u"\nThe instalment shown is left as it was."_s,
                   msgbox::vbInformation, BasLoan::MsgboxTitle);
}

} // namespace

void frmLoan::txtLoanAmount_LostFocus()
{
    RecalculateInstallment();
}

void frmLoan::txtNoOfPayments_LostFocus()
{
    RecalculateInstallment();
}

void frmLoan::RecalculateInstallment()
{
    if (cboLoanType->currentIndex() < 0)
        return;
    const double A = vb::Val(txtLoanAmount->text());
    const double P = vb::Val(txtNoOfPayments->text());
    if (!(A > 0 && P > 0))
        return;

    const QString company = QString::number(BasLoan::intCompanyID);
    QVariant flat;
    QVariant rate;
    try {
        flat = BasLoan::adocon().ExecuteScalar(
            u"select FlatLoanInterest from %1 where companyid = %2"_s.arg(BasLoan::strTblSettings,
                                                                          company));
        rate = BasLoan::adocon().ExecuteScalar(
            u"select lPercentageofInterest from %1 where lcompanyid = %2 and lloanid = %3"_s.arg(
                BasLoan::strTblLoans, company,
                QString::number(vb::CLng(cboLoanType->currentData()))));
    } catch (const RuntimeError& e) {
        tellNotRecalculated(u"the database reported \""_s + e.description() + u"\"."_s);
        return;
    }
    if (flat.isNull()) {
        tellNotRecalculated(u"the company's interest method is not recorded in its settings."_s);
        return;
    }
    if (rate.isNull()) {
        tellNotRecalculated(u"the loan type has no interest rate recorded."_s);
        return;
    }

    double instalment = 0;
    try {
        const double R = vb::CDbl(rate);
        instalment = vb::CBool(flat) ? InstalmentFormula::levelPayment(A, P, R)
                                     : InstalmentFormula::decliningBalance(A, P, R);
    } catch (const RuntimeError& e) {
        tellNotRecalculated(e.description());
        return;
    }
    if (!std::isfinite(instalment)) {
        tellNotRecalculated(
            u"the loan type's interest rate gives no instalment that can be paid."_s);
        return;
    }
    txtInstallmentAmount->setText(vb::Format(instalment, u"0.00"));
}

void frmLoan::numberBox_GotFocus(QLineEdit* box)
{
    // After the click that brought the focus has placed the cursor, so typing replaces the text.
    QTimer::singleShot(0, box, [box] { box->setSelection(0, int(box->text().size())); });
}

void frmLoan::entryControl_KeyPress(QWidget* control, qint16& KeyAscii)
{
    BasLoan::EnterAsTab(KeyAscii);
    if (control == txtLoanAmount || control == txtInstallmentAmount)
        objCommonGen->TextValidateNum(static_cast<QLineEdit*>(control), KeyAscii, 18, 2);
    else if (control == txtNoOfPayments)
        objCommonGen->TextValidateNum(txtNoOfPayments, KeyAscii, 3, 0);
}
