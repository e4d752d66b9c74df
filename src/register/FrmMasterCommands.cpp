// The register's New and Edit commands: both open the entry window modally.
#include "register/FrmMaster.h"

#include "common/BasLoan.h"
#include "common/quorrel/clsCommonDB.h"
#include "common/quorrel/clsCommonGen.h"
#include "issue_entry/IssueDeductions.h"
#include "issue_entry/frmLoan.h"
#include "platform/db/Recordset.h"
#include "platform/grid/FlexGrid.h"
#include "platform/runtime/Conversions.h"
#include "platform/ui/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The employee list offers active employees only; an issue of an employee who has left since is
// still shown with its employee, so that it can be read and its remarks saved.
void listFormerEmployee(clsCommonDB& db, QComboBox* cboEmployee, const QVariant& empId)
{
    db.strTableName = BasLoan::strTblEmployee;
    const QVariant name =
        db.fnReturnField(QStringLiteral("eName"),
                         QStringLiteral("eCompanyID=") + QString::number(BasLoan::intCompanyID) +
                             QStringLiteral(" and eEmpID=") + vb::CStr(empId));
    if (!name.isNull())
        cboEmployee->addItem(vb::TextOf(name), vb::CLng(empId));
}

} // namespace

void FrmMaster::cmdnew_Click()
{
    BasLoan::strMode = QStringLiteral("N");
    frmLoan::showModal();
    issuesAddedOrCancelled();
}

void FrmMaster::CmdEdit_Click()
{
    BasLoan::strMode = QStringLiteral("E");
    const QString idText = flexMaster->TextMatrix(flexMaster->Row(), 0);
    const qint32 lngLoanIssueID = vb::CLng(idText);
    ado::Recordset rs;
    rs.Open(QStringLiteral("select * from ") + BasLoan::strTblLoansIssue +
                QStringLiteral(" where licompanyid=") + QString::number(BasLoan::intCompanyID) +
                QStringLiteral("and liID = ") + idText + QStringLiteral(" "),
            BasLoan::adocon(), ado::CursorType::Keyset, ado::LockType::Optimistic);
    if (rs.isEOF()) {
        msgbox::MsgBox(QStringLiteral("This issue no longer exists; another user may have removed "
                                      "it. Close and reopen the register to see the issues as "
                                      "they are now."),
                       msgbox::vbInformation, BasLoan::MsgboxTitle);
        return;
    }
    const bool monthlyEntryDone = fnCheckMonthlyEntryDone(lngLoanIssueID);
    if (monthlyEntryDone)
        msgbox::MsgBox(QStringLiteral("Monthly Entry Done. Can't Edit."), msgbox::vbOKOnly);

    frmLoan& entry = frmLoan::instance();
    try {
        if (monthlyEntryDone) {
            entry.cmdOK->setEnabled(false);
            entry.fraloan->setEnabled(false);
        }
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
            entry.cboloanapplication, QStringLiteral("laloanappid"), QStringLiteral("laloanappno"),
            QStringLiteral(" laloanappid = ") + vb::CStr(field("liLoanAppID")) +
                QStringLiteral(" and laEmployeeID =") + vb::CStr(field("liempid")) +
                QStringLiteral(" and laCompanyID =") + QString::number(BasLoan::intCompanyID));
        objCommonGen->selectcomboitembyvalue(entry.cboloanapplication, field("liLoanAppID"));
        objCommonGen->selectcomboitembyvalue(entry.cboLoanType, field("liLoanID"));
        entry.txtLoanAmount->setText(vb::TextOf(field("liOpeningBalance")));
        entry.txtNoOfPayments->setText(vb::TextOf(field("liNoofPayments")));
        entry.txtInstallmentAmount->setText(vb::TextOf(field("liInstallmentAmount")));
        entry.cboEmployee->setEnabled(false);
        entry.cboLoanType->setEnabled(false);
        entry.chkDeductMonthly->setChecked(vb::FlagSet(field("liDeductionMode")));
        if (vb::FlagSet(field("licancelled")) || vb::FlagSet(field("liUsed"))) {
            entry.cmdOK->setEnabled(false);
            entry.fraloan->setEnabled(false);
        }
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
