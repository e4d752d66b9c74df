// Saving an issue: one transaction for the issue row, its id and number and the repayment rows.
#include "issue_entry/frmLoan.h"

#include "common/BasLoan.h"
#include "common/quorrel/clsCommonDB.h"
#include "issue_entry/IssueDeductions.h"
#include "issue_entry/SaveFailureMessage.h"
#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/ShortDate.h"
#include "platform/ui/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace {

constexpr qint32 InvalidPropertyArrayIndex = 381;

qint32 selectedItemData(const QComboBox* combo, const QString& missing)
{
    if (combo->currentIndex() < 0)
        throw RuntimeError(InvalidPropertyArrayIndex, missing);
    return vb::CLng(combo->currentData());
}

qint32 employeeOf(const frmLoan& form)
{
    return selectedItemData(form.cboEmployee, QStringLiteral("No employee is selected."));
}

qint32 applicationOf(const frmLoan& form)
{
    return selectedItemData(form.cboloanapplication, QStringLiteral("No application is selected."));
}

qint32 loanTypeOf(const frmLoan& form)
{
    return selectedItemData(form.cboLoanType, QStringLiteral("The application has no loan type of "
                                                             "this company; choose another one."));
}

// The date box shows the process date in the short date form; read back near the process date,
// a two-digit year gives the same date again.
QDate issueDate(const QString& text)
{
    const QDate date = ShortDate::parse(text, BasLoan::ProcessDate);
    if (!date.isValid())
        throw RuntimeError(RuntimeError::TypeMismatch,
                           QStringLiteral("The issue date \"%1\" is not a date.").arg(text));
    return date;
}

RuntimeError noLongerEditable(const QString& reason)
{
    return RuntimeError(RuntimeError::RowNotLocated,
                        reason +
                            QStringLiteral(" It can no longer be changed; nothing was saved."));
}

} // namespace

void frmLoan::cmdOK_Click()
{
    ado::Connection& connection = BasLoan::adocon();
    try {
        if (!fnValidateEntry())
            return;
        // Declared in the try block, so a failed save is rolled back before the message box.
        ado::Transaction transaction(connection);
        SaveIssue();
        if (BasLoan::strMode == u"N")
            closeRepaymentRows();
        // Committed before the register shows the row and the window closes, so a commit that
        // fails leaves both as they were.
        transaction.commit();
    } catch (const RuntimeError& e) {
        if (m_issueLocked) {
            cmdOK->setEnabled(false);
            fraloan->setEnabled(false);
        }
        msgbox::MsgBox(saveFailureMessage(e), msgbox::vbInformation, BasLoan::MsgboxTitle);
        return;
    }
    BasLoan::setTag(cmdOK, QStringLiteral("Success"));
    BasLoan::RefreshGridRow(QStringLiteral("liID =") + QString::number(lngIssueID), lngIssueID);
    UnloadMe();
}

void frmLoan::SaveIssue()
{
    const QString company = QString::number(BasLoan::intCompanyID);
    ado::Recordset rs;
    if (BasLoan::strMode == u"N") {
        checkApplicationStillOpen();
        rs.Open(QStringLiteral("select * from ") + BasLoan::strTblLoansIssue +
                    QStringLiteral(" where  liCompanyID=") + company,
                BasLoan::adocon(), ado::CursorType::Keyset, ado::LockType::Optimistic);
        rs.AddNew();
        rs.setValue(QStringLiteral("liCompanyID"), BasLoan::intCompanyID);
        rs.setValue(QStringLiteral("litype"), BasLoan::strtype);
        objCommonDB->strTableName = QStringLiteral(" ") + BasLoan::strTblLoansIssue +
                                    QStringLiteral(" where liCompanyID = ") + company;
        lngIssueID = objCommonDB->fnGetNextMaxNo(QStringLiteral("liID"));
        rs.setValue(QStringLiteral("liID"), lngIssueID);
        GenerateIssueNo();
        rs.setValue(QStringLiteral("liNo"), strIssueNo);
        rs.setValue(QStringLiteral("lidate"), issueDate(txtLoanDate->text()));
    } else {
        lngIssueID = vb::CLng(vb::Val(BasLoan::currentIssueIdText()));
        rs.Open(QStringLiteral("select * from ") + BasLoan::strTblLoansIssue +
                    QStringLiteral(" where licompanyid = ") + company +
                    QStringLiteral(" and liID = ") + QString::number(lngIssueID),
                BasLoan::adocon(), ado::CursorType::Keyset, ado::LockType::Optimistic);
        checkIssueStillEditable(rs);
    }

    const double payments = vb::Val(txtNoOfPayments->text());
    const double instalment = vb::Val(txtInstallmentAmount->text());
    // The total to be repaid is stored as a number payroll can deduct from, never as infinity,
    // and to the cent: 554.04 x 10 is 5540.40, not the binary product 5540.400000000001.
    const double product = instalment * payments;
    if (!std::isfinite(product))
        throw RuntimeError::overflow();
    const double currentBalance = vb::Val(vb::Format(product, u"0.00"));
    rs.setValue(QStringLiteral("liempid"), employeeOf(*this));
    rs.setValue(QStringLiteral("liLoanID"), loanTypeOf(*this));
    rs.setValue(QStringLiteral("liLoanAppID"), applicationOf(*this));
    rs.setValue(QStringLiteral("liNoofPayments"), payments);
    rs.setValue(QStringLiteral("liInstallmentAmount"), instalment);
    rs.setValue(QStringLiteral("liDeductionMode"), qint16(chkDeductMonthly->isChecked() ? 1 : 0));
    rs.setValue(QStringLiteral("liOpeningBalance"), vb::Val(txtLoanAmount->text()));
    rs.setValue(QStringLiteral("liCurrentBalance"), currentBalance);
    rs.setValue(QStringLiteral("liactive"), qint16(1));
    rs.setValue(QStringLiteral("licancelled"), qint16(0));
    rs.setValue(QStringLiteral("liUsed"), qint16(0));
    rs.setValue(QStringLiteral("liRemarks"), vb::Trim(txtRemarks->text()));
    rs.Update();
    rs.Close();
}

// The save reads the edited row afresh inside its transaction: what happened to the issue since
// the window opened must not be undone by writing the window's older view of it.
void frmLoan::checkIssueStillEditable(ado::Recordset& rs)
{
    const auto refuse = [this](const QString& reason) {
        m_issueLocked = true;
        return noLongerEditable(reason);
    };
    if (rs.isEOF())
        throw refuse(QStringLiteral("This issue no longer exists."));
    // A server database may hold Null in either flag; Edit reads Null as false, and so does this.
    const QVariant cancelled = rs.value(QStringLiteral("licancelled"));
    if (vb::FlagSet(cancelled))
        throw refuse(QStringLiteral("Another user cancelled this issue after you opened it."));
    const QVariant used = rs.value(QStringLiteral("liUsed"));
    if (vb::FlagSet(used))
        throw refuse(QStringLiteral("Payroll used this issue after you opened it."));
    if (IssueDeductions::deductedInMonthlyEntry(lngIssueID))
        throw refuse(QStringLiteral(
            "A monthly payroll entry deducted this issue's instalment after you opened it."));
}

// The list of open applications was read when the employee was chosen; under the save's write
// lock, make sure no other clerk has issued the application since.
void frmLoan::checkApplicationStillOpen()
{
    const QVariant liveIssues = BasLoan::adocon().ExecuteScalar(
        QStringLiteral("select count(*) from ") + BasLoan::strTblLoansIssue +
        QStringLiteral(" where liCompanyID = ") + QString::number(BasLoan::intCompanyID) +
        QStringLiteral(" and liLoanAppID = ") + QString::number(applicationOf(*this)) +
        QStringLiteral(" and licancelled = 0"));
    if (vb::CDbl(liveIssues) > 0)
        throw RuntimeError(RuntimeError::RowNotLocated,
                           QStringLiteral("Another user has just issued this application. Nothing "
                                          "was saved; choose another application."));
}

void frmLoan::closeRepaymentRows()
{
    ado::Recordset rs;
    rs.Open(QStringLiteral("select * from ") + BasLoan::strTblRepayment +
                QStringLiteral(" where lrdcompanyid = ") + QString::number(BasLoan::intCompanyID) +
                QStringLiteral(" and lrdEmpID = ") + QString::number(employeeOf(*this)) +
                QStringLiteral(" and lrdLoanID = ") + QString::number(loanTypeOf(*this)),
            BasLoan::adocon(), ado::CursorType::Keyset, ado::LockType::Optimistic);
    if (!rs.isEOF()) {
        for (; !rs.isEOF(); rs.MoveNext())
            rs.setValue(QStringLiteral("lrdProcessed"), qint16(1));
        rs.UpdateBatch();
    }
    rs.Close();
}
