// Choosing the employee, the application and its loan type.
#include "issue_entry/frmLoan.h"

#include "clsCommonDB.h"
#include "clsCommonGen.h"
#include "common/BasLoan.h"
#include "db/Recordset.h"
#include "db/SqlLiteral.h"
#include "issue_entry/IssueFigures.h"
#include "runtime/Conversions.h"
#include "ui/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

void frmLoan::cboEmployee_Click()
{
    if (cboEmployee->currentIndex() < 0)
        return;
    const qint32 empId = vb::CLng(cboEmployee->currentData());

    if (lngLastEmpID > 0 && lngLastEmpID != empId && cboloanapplication->currentIndex() >= 0 &&
        cboLoanType->currentIndex() >= 0) {
        if (msgbox::MsgBox(u"Related details will be lost, Do you want to continue "_s,
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
            u"%1 a left outer join  %2 b on   a.laCompanyID=b.liCompanyID and "
            u"a.laLoanAppID =b.liLoanAppID   and  b.licancelled = 0"_s.arg(
                BasLoan::strTblLoanApplication, BasLoan::strTblLoansIssue);
        objCommonDB->populatecomboorlist(
            cboloanapplication, u"a.laLoanAppID"_s, u"a.laloanappno"_s,
            u" isnull(b.liLoanAppID,0)=0 and a.laloanappno is not null and  a.lacompanyid =%1 "
            u"and a.laAppType= '%2 ' and a.lacancelled=0 and laEmployeeID = %3"_s.arg(
                QString::number(BasLoan::intCompanyID), ado::quotedText(BasLoan::strtype),
                QString::number(empId)));
        if (cboloanapplication->count() == 0)
            guide(u"%1 has no open %2 application: none is approved, uncancelled and not yet "
                  "issued."_s.arg(cboEmployee->currentText(),
                                  BasLoan::strtype == u"A" ? u"advance"_s : u"loan"_s),
                  true);
        else
            guide(QString());
    }
    lngLastEmpID = empId;
}

void frmLoan::cboloanapplication_Click()
{
    if (cboloanapplication->currentIndex() < 0)
        return;
    ado::Recordset rs;
    rs.Open(u"select lLoanID,lDescription,laPaymentPeriod,laSanctionAmount,"
            u"laInstalmentAmount,laDeductMonthly from %1 a,%2 b where "
            u"a.laCompanyID=b.lCompanyID and a.laLoanID = b.lLoanID and a.laLoanAppID=%3 and "
            u"a.laAppType='%4'"_s.arg(BasLoan::strTblLoanApplication, BasLoan::strTblLoans,
                                      QString::number(vb::CLng(cboloanapplication->currentData())),
                                      ado::quotedText(BasLoan::strtype)),
            BasLoan::adocon());
    cboLoanType->clear();
    if (rs.isEOF()) {
        rs.Close();
        return;
    }

    const qint32 loanId = vb::CLng(rs.value(u"lLoanID"_s));
    {
        // The entry is chosen below, once the amounts it is worked out from are in place.
        const QSignalBlocker quiet(cboLoanType);
        cboLoanType->addItem(vb::TextOf(rs.value(u"lDescription"_s)), loanId);
        cboLoanType->setCurrentIndex(-1);
    }
    const QVariant sanction = rs.value(u"laSanctionAmount"_s);
    txtLoanAmount->setText(sanction.isNull() ? u"0.00"_s : amountBoxText(sanction));
    if (const QVariant period = rs.value(u"laPaymentPeriod"_s); !period.isNull())
        txtNoOfPayments->setText(figureBoxText(period));
    if (const QVariant instalment = rs.value(u"laInstalmentAmount"_s); !instalment.isNull())
        txtInstallmentAmount->setText(amountBoxText(instalment));
    // An application approved with deduct-monthly 0 is not deducted monthly, whatever Null means.
    const QVariant deductMonthly = rs.value(u"laDeductMonthly"_s);
    chkDeductMonthly->setChecked(vb::FlagSet(deductMonthly));
    cboLoanType->setCurrentIndex(0);
    rs.Close();

    objCommonDB->strTableName = u"%1 a,%2 b"_s.arg(BasLoan::strTblLoans, BasLoan::strTblCurrency);
    const QString symbol = vb::Trim(vb::TextOf(objCommonDB->fnReturnField(
        u"symbol"_s,
        u"a.lCompanyID=b.CompanyID and a.lCurrencyID=b.CurrencyId and lcompanyid = %1 and "
        u"lLoanID = %2"_s.arg(QString::number(BasLoan::intCompanyID), QString::number(loanId)))));
    relabelAmounts(symbol);
    showApplication();
}

// The approval date is the one detail of the application no box shows; what keeps it from being
// issued is told at once, not first at OK.
void frmLoan::showApplication()
{
    objCommonDB->strTableName = BasLoan::strTblLoanApplication;
    const QVariant approved = objCommonDB->fnReturnField(
        u"laAppDate"_s, u"laCompanyID = %1 and laLoanAppID = %2"_s.arg(
                            QString::number(BasLoan::intCompanyID),
                            QString::number(vb::CLng(cboloanapplication->currentData()))));
    QString refusal = applicationGap();
    if (refusal.isEmpty())
        refusal = amountLimitRefusal();
    if (!refusal.isEmpty())
        guide(refusal, true);
    else if (approved.isNull())
        guide(u"Application %1 has no approval date recorded."_s.arg(
            cboloanapplication->currentText()));
    else
        guide(u"Application %1, approved on %2."_s.arg(cboloanapplication->currentText(),
                                                       vb::CStr(approved)));
}

void frmLoan::guide(const QString& text, bool warning)
{
    lblGuide->setText(text);
    QPalette colours = lblGuide->palette();
    colours.setColor(QPalette::WindowText,
                     warning ? QColor(160, 0, 0) : palette().color(QPalette::WindowText));
    lblGuide->setPalette(colours);
}

void frmLoan::relabelAmounts(const QString& symbol)
{
    m_currencySymbol = symbol;
    lblloanAmt->setText((BasLoan::strtype == u"L" ? u"Loan Amount("_s : u"Advance Amount("_s) +
                        symbol + u"):"_s);
    lblInstAmt->setText(u"Installment Amt("_s + symbol + u"):"_s);
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
    lblloanAmt->setText(BasLoan::strtype == u"L" ? u"Loan Amount:"_s : u"Advance Amount:"_s);
    lblInstAmt->setText(u"Installment Amount:"_s);
    m_currencySymbol.clear();
    txtLoanAmount->clear();
    txtNoOfPayments->clear();
    txtInstallmentAmount->clear();
    chkDeductMonthly->setChecked(false);
    cboLoanType->clear();
    txtRemarks->clear();
    guide(QString());
}

void frmLoan::cboLoanType_Click()
{
    if (cboLoanType->currentIndex() >= 0 && vb::Val(txtLoanAmount->text()) > 0 &&
        vb::Val(txtNoOfPayments->text()) > 0)
        txtNoOfPayments_LostFocus();
}
