// The register's New and Edit commands: both open the entry window modally.
#include "register/FrmMaster.h"

#include "clsCommonDB.h"
#include "clsCommonGen.h"
#include "common/BasLoan.h"
#include "data/IssueDeductions.h"
#include "data/IssueLockReason.h"
#include "db/Recordset.h"
#include "grid/FlexGrid.h"
#include "issue_entry/IssueFigures.h"
#include "issue_entry/frmLoan.h"
#include "runtime/Conversions.h"
#include "ui/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// The employee list offers active employees only; an issue of an employee who has left since is
// still shown with its employee, so that it can be read and its remarks saved.
void listFormerEmployee(clsCommonDB& db, QComboBox* cboEmployee, const QVariant& empId)
{
    db.strTableName = BasLoan::strTblEmployee;
    const QVariant name =
        db.fnReturnField(u"eName"_s, u"eCompanyID=%1 and eEmpID=%2"_s.arg(
                                         QString::number(BasLoan::intCompanyID), vb::CStr(empId)));
    if (!name.isNull())
        cboEmployee->addItem(vb::TextOf(name), vb::CLng(empId));
}

} // namespace

void FrmMaster::cmdnew_Click()
{
    BasLoan::strMode = u"N"_s;
    frmLoan::showModal();
    issuesAddedOrCancelled();
}

void FrmMaster::CmdEdit_Click()
{
    BasLoan::strMode = u"E"_s;
    const QString idText = flexMaster->TextMatrix(flexMaster->Row(), 0);
    const qint32 lngLoanIssueID = vb::CLng(idText);
    ado::Recordset rs;
    rs.Open(u"select * from %1 where licompanyid=%2and liID = %3 "_s.arg(
                BasLoan::strTblLoansIssue, QString::number(BasLoan::intCompanyID), idText),
            BasLoan::adocon(), ado::CursorType::Keyset, ado::LockType::Optimistic);
    if (rs.isEOF()) {
        msgbox::MsgBox(u"This issue no longer exists; another user may have removed "
                       "it. Close and reopen the register to see the issues as "
                       "they are now."_s,
                       msgbox::vbInformation, BasLoan::MsgboxTitle);
        return;
    }
    const bool monthlyEntryDone = fnCheckMonthlyEntryDone(lngLoanIssueID);
    if (monthlyEntryDone)
        msgbox::MsgBox(u"Monthly Entry Done. Can't Edit."_s, msgbox::vbOKOnly);

    frmLoan& entry = frmLoan::instance();
    try {
        const auto field = [&rs](const char* name) { return rs.value(QLatin1String(name)); };
        entry.txtLoanNo->setText(vb::TextOf(field("liNo")));
        entry.txtLoanDate->setText(vb::TextOf(field("lidate")));
        objCommonGen->selectcomboitembyvalue(entry.cboEmployee, field("liempid"));
        if (entry.cboEmployee->currentIndex() < 0) {
            listFormerEmployee(*objCommonDB, entry.cboEmployee, field("liempid"));
            objCommonGen->selectcomboitembyvalue(entry.cboEmployee, field("liempid"));
        }
        objCommonDB->strTableName = BasLoan::strTblLoanApplication;
        objCommonDB->populatecomboorlist(
            entry.cboloanapplication, u"laloanappid"_s, u"laloanappno"_s,
            u" laloanappid = %1 and laEmployeeID =%2 and laCompanyID =%3"_s.arg(
                vb::CStr(field("liLoanAppID")), vb::CStr(field("liempid")),
                QString::number(BasLoan::intCompanyID)));
        objCommonGen->selectcomboitembyvalue(entry.cboloanapplication, field("liLoanAppID"));
        objCommonGen->selectcomboitembyvalue(entry.cboLoanType, field("liLoanID"));
        entry.txtLoanAmount->setText(figureBoxText(field("liOpeningBalance")));
        entry.txtNoOfPayments->setText(figureBoxText(field("liNoofPayments")));
        entry.txtInstallmentAmount->setText(figureBoxText(field("liInstallmentAmount")));
        entry.cboEmployee->setEnabled(false);
        entry.cboLoanType->setEnabled(false);
        entry.chkDeductMonthly->setChecked(vb::FlagSet(field("liDeductionMode")));
        const QString number = vb::Trim(vb::TextOf(field("liNo")));
        // View only, saying why: the first of the reasons is the one that matters most.
        if (vb::FlagSet(field("licancelled")))
            entry.showReadOnly(
                IssueLockReason::cancelled(number, vb::TextOf(field("liCancelledRemarks"))));
        else if (vb::FlagSet(field("liUsed")))
            entry.showReadOnly(IssueLockReason::usedByPayroll(number));
        else if (monthlyEntryDone)
            entry.showReadOnly(IssueLockReason::deductedInMonthlyEntry(number));
        entry.txtRemarks->setText(vb::Trim(vb::TextOf(field("liRemarks"))));
        BasLoan::TagControlValues(&entry);
    } catch (...) {
        // A window that could not be filled is not shown half-filled.
        frmLoan::Unload();
        throw;
    }
    frmLoan::showModal();
    rs.Close();
}

bool FrmMaster::fnCheckMonthlyEntryDone(qint32 lngLoanIssueID)
{
    return IssueDeductions::deductedInMonthlyEntry(lngLoanIssueID);
}
