// Choosing the employee, the application and its loan type.
#include "issue_entry/frmLoan.h"

#include "common/BasLoan.h"
#include "common/quorrel/clsCommonDB.h"
#include "common/quorrel/clsCommonGen.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Conversions.h"
#include "platform/ui/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

void frmLoan::cboEmployee_Click()
{
    if (cboEmployee->currentIndex() < 0)
        return;
    const qint32 empId = vb::CLng(cboEmployee->currentData());

    if (lngLastEmpID > 0 && lngLastEmpID != empId && cboloanapplication->currentIndex() >= 0 &&
        cboLoanType->currentIndex() >= 0) {
        if (msgbox::MsgBox(QStringLiteral("Related details will be lost, Do you want to continue "),
                           msgbox::vbYesNo | msgbox::vbInformation,
                           BasLoan::MsgboxTitle) == msgbox::vbNo) {
            // Selecting the previous employee again comes back here and stops below.
            objCommonGen->selectcomboitembyvalue(cboEmployee, lngLastEmpID);
            return;
        }
        cboloanapplication->setCurrentIndex(-1);
        cboLoanType->setCurrentIndex(-1);
        txtInstallmentAmount->clear();
        txtLoanAmount->clear();
        txtNoOfPayments->clear();
    } else if (lngLastEmpID == empId) {
        return;
    }

    if (BasLoan::strMode == u"N") {
        objCommonDB->strTableName =
            BasLoan::strTblLoanApplication + QStringLiteral(" a left outer join  ") +
            BasLoan::strTblLoansIssue + QStringLiteral(" b on ") +
            QStringLiteral(
                "  a.laCompanyID=b.liCompanyID and a.laLoanAppID =b.liLoanAppID   and ") +
            QStringLiteral(" b.licancelled = 0");
        objCommonDB->populatecomboorlist(
            cboloanapplication, QStringLiteral("a.laLoanAppID"), QStringLiteral("a.laloanappno"),
            QStringLiteral(" isnull(b.liLoanAppID,0)=0 and a.laloanappno is not null and  "
                           "a.lacompanyid =") +
                QString::number(BasLoan::intCompanyID) + QStringLiteral(" and a.laAppType= '") +
                BasLoan::strtype + QStringLiteral(" ' and a.lacancelled=0 and laEmployeeID = ") +
                QString::number(empId));
    }
    lngLastEmpID = empId;
}

void frmLoan::cboloanapplication_Click()
{
    if (cboloanapplication->currentIndex() < 0)
        return;
    ado::Recordset rs;
    rs.Open(QStringLiteral("select lLoanID,lDescription,laPaymentPeriod,laSanctionAmount,"
                           "laInstalmentAmount,laDeductMonthly from ") +
                BasLoan::strTblLoanApplication + QStringLiteral(" a,") + BasLoan::strTblLoans +
                QStringLiteral(" b ") +
                QStringLiteral("where a.laCompanyID=b.lCompanyID and a.laLoanID = b.lLoanID and "
                               "a.laLoanAppID=") +
                QString::number(vb::CLng(cboloanapplication->currentData())) +
                QStringLiteral(" and a.laAppType='") + BasLoan::strtype + QStringLiteral("'"),
            BasLoan::adocon());
    cboLoanType->clear();
    if (rs.isEOF()) {
        rs.Close();
        return;
    }

    const qint32 loanId = vb::CLng(rs.value(QStringLiteral("lLoanID")));
    {
        // The entry is chosen below, once the amounts it is worked out from are in place.
        const QSignalBlocker quiet(cboLoanType);
        cboLoanType->addItem(vb::TextOf(rs.value(QStringLiteral("lDescription"))), loanId);
        cboLoanType->setCurrentIndex(-1);
    }
    const QVariant sanction = rs.value(QStringLiteral("laSanctionAmount"));
    txtLoanAmount->setText(sanction.isNull() ? QStringLiteral("0.00") : vb::CStr(sanction));
    if (const QVariant period = rs.value(QStringLiteral("laPaymentPeriod")); !period.isNull())
        txtNoOfPayments->setText(vb::CStr(period));
    if (const QVariant instalment = rs.value(QStringLiteral("laInstalmentAmount"));
        !instalment.isNull())
        txtInstallmentAmount->setText(vb::CStr(instalment));
    // An application approved with deduct-monthly 0 is not deducted monthly, whatever Null means.
    const QVariant deductMonthly = rs.value(QStringLiteral("laDeductMonthly"));
    chkDeductMonthly->setChecked(vb::FlagSet(deductMonthly));
    cboLoanType->setCurrentIndex(0);
    rs.Close();

    objCommonDB->strTableName = BasLoan::strTblLoans + QStringLiteral(" a,") +
                                BasLoan::strTblCurrency + QStringLiteral(" b");
    const QString symbol = vb::Trim(vb::TextOf(objCommonDB->fnReturnField(
        QStringLiteral("symbol"),
        QStringLiteral(
            "a.lCompanyID=b.CompanyID and a.lCurrencyID=b.CurrencyId and lcompanyid = ") +
            QString::number(BasLoan::intCompanyID) + QStringLiteral(" and lLoanID = ") +
            QString::number(loanId))));
    relabelAmounts(symbol);
}

void frmLoan::relabelAmounts(const QString& symbol)
{
    lblloanAmt->setText((BasLoan::strtype == u"L" ? QStringLiteral("Loan Amount(")
                                                  : QStringLiteral("Advance Amount(")) +
                        symbol + QStringLiteral("):"));
    lblInstAmt->setText(QStringLiteral("Installment Amt(") + symbol + QStringLiteral("):"));
}

void frmLoan::cboloanapplication_Change()
{
    const int index = cboloanapplication->currentIndex();
    if (index >= 0 && cboloanapplication->currentText() == cboloanapplication->itemText(index))
        return;
    // The typed text names no entry: the application is dropped, the typing stays.
    if (index >= 0) {
        QLineEdit* edit = cboloanapplication->lineEdit();
        const QString typed = edit->text();
        const int cursor = edit->cursorPosition();
        const QSignalBlocker quiet(cboloanapplication);
        cboloanapplication->setCurrentIndex(-1);
        edit->setText(typed);
        edit->setCursorPosition(cursor);
    }
    resetApplicationDetails();
}

void frmLoan::resetApplicationDetails()
{
    lblloanAmt->setText(BasLoan::strtype == u"L" ? QStringLiteral("Loan Amount:")
                                                 : QStringLiteral("Advance Amount:"));
    lblInstAmt->setText(QStringLiteral("Installment Amount:"));
    txtLoanAmount->clear();
    txtNoOfPayments->clear();
    txtInstallmentAmount->clear();
    chkDeductMonthly->setChecked(false);
    cboLoanType->clear();
    txtRemarks->clear();
}

void frmLoan::cboLoanType_Click()
{
    if (cboLoanType->currentIndex() >= 0 && vb::Val(txtLoanAmount->text()) > 0 &&
        vb::Val(txtNoOfPayments->text()) > 0)
        txtNoOfPayments_LostFocus();
}
