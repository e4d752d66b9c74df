// Saving an issue: one transaction for the issue row, its id and number and the repayment rows.
#include "issue_entry/frmLoan.h"

#include "clsCommonDB.h"
#include "common/BasLoan.h"
#include "data/IssueDeductions.h"
#include "db/Recordset.h"
#include "db/Transaction.h"
#include "issue_entry/IssueFigures.h"
#include "issue_entry/RunningLoan.h"
#include "issue_entry/SaveFailureMessage.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "runtime/ShortDate.h"
#include "ui/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

using namespace Qt::StringLiterals;

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
    return selectedItemData(form.cboEmployee, u"No employee is selected."_s);
}

qint32 applicationOf(const frmLoan& form)
{
    return selectedItemData(form.cboloanapplication, u"No application is selected."_s);
}

qint32 loanTypeOf(const frmLoan& form)
{
    return selectedItemData(form.cboLoanType, u"The application has no loan type of "
                                              "this company; choose another one."_s);
}

// The date box shows the process date in the short date form; read back near the process date,
// a two-digit year gives the same date again.
QDate issueDate(const QString& text)
{
    const QDate date = ShortDate::parse(text, BasLoan::ProcessDate);
    if (!date.isValid())
        throw RuntimeError(RuntimeError::TypeMismatch,
                           u"The issue date \"%1\" is not a date."_s.arg(text));
    return date;
}

RuntimeError noLongerEditable(const QString& reason)
{
    return RuntimeError(RuntimeError::RowNotLocated,
                        reason + u" It can no longer be changed; nothing was saved."_s);
}

} // namespace

void frmLoan::cmdOK_Click()
{
    ado::Connection& connection = BasLoan::adocon();
    try {
        if (!fnValidateEntry())
            return;
        const bool newIssue = BasLoan::strMode == u"N";
        RunningLoan told = newIssue ? runningLoan() : RunningLoan();
        for (;;) {
            // Asked with no transaction open: a clerk thinking it over holds no lock.
            if (!told.isEmpty() && !fnRunningLoanClosingConfirmed(told))
                return;
            // Declared in the loop, so a failed save is rolled back before the message box and a
            // changed running loan before it is put to the clerk again.
            ado::Transaction transaction(connection);
            if (newIssue) {
                RunningLoan now = runningLoan();
                if (!(now == told)) {
                    told = std::move(now);
                    continue;
                }
            }
            SaveIssue();
            if (newIssue)
                closeRepaymentRows();
            // Committed before the register shows the row and the window closes, so a commit
            // that fails leaves both as they were.
            transaction.commit();
            break;
        }
    } catch (const RuntimeError& e) {
        if (m_issueLocked)
            showReadOnly(e.description());
        msgbox::MsgBox(saveFailureMessage(e), msgbox::vbInformation, BasLoan::MsgboxTitle);
        return;
    }
    BasLoan::setTag(cmdOK, u"Success"_s);
    BasLoan::RefreshGridRow(u"liID ="_s + QString::number(lngIssueID), lngIssueID);
    UnloadMe();
}

RunningLoan frmLoan::runningLoan() const
{
    return RunningLoan::read(employeeOf(*this), loanTypeOf(*this));
}

bool frmLoan::fnRunningLoanClosingConfirmed(const RunningLoan& running)
{
    const QString prompt = running.question(vb::Trim(cboEmployee->currentText()),
                                            vb::Trim(cboLoanType->currentText()));
    return msgbox::MsgBox(prompt, msgbox::RunningLoanQuestion, BasLoan::MsgboxTitle) ==
           msgbox::vbYes;
}

void frmLoan::SaveIssue()
{
    const QString company = QString::number(BasLoan::intCompanyID);
    ado::Recordset rs;
    if (BasLoan::strMode == u"N") {
        checkApplicationStillOpen();
        rs.Open(u"select * from %1 where  liCompanyID=%2"_s.arg(BasLoan::strTblLoansIssue, company),
                BasLoan::adocon(), ado::CursorType::Keyset, ado::LockType::Optimistic);
        rs.AddNew();
        rs.setValue(u"liCompanyID"_s, BasLoan::intCompanyID);
        rs.setValue(u"litype"_s, BasLoan::strtype);
        objCommonDB->strTableName =
            u" %1 where liCompanyID = %2"_s.arg(BasLoan::strTblLoansIssue, company);
        lngIssueID = objCommonDB->fnGetNextMaxNo(u"liID"_s);
        rs.setValue(u"liID"_s, lngIssueID);
        GenerateIssueNo();
        rs.setValue(u"liNo"_s, strIssueNo);
        rs.setValue(u"lidate"_s, issueDate(txtLoanDate->text()));
    } else {
        lngIssueID = vb::CLng(vb::Val(BasLoan::currentIssueIdText()));
        rs.Open(u"select * from %1 where licompanyid = %2 and liID = %3"_s.arg(
                    BasLoan::strTblLoansIssue, company, QString::number(lngIssueID)),
                BasLoan::adocon(), ado::CursorType::Keyset, ado::LockType::Optimistic);
        checkIssueStillEditable(rs);
    }

    const double payments = vb::Val(txtNoOfPayments->text());
    double amount = vb::Val(txtLoanAmount->text());
    double instalment = vb::Val(txtInstallmentAmount->text());
    double currentBalance = 0;
    if (BasLoan::strMode == u"N") {
        // A new issue is money to the cent, as its boxes show it; validation has refused figures
        // beyond that.
        const IssueFigures figures(txtLoanAmount->text(), txtNoOfPayments->text(),
                                   txtInstallmentAmount->text());
        amount = figures.amount();
        instalment = figures.instalment();
        currentBalance = figures.currentBalance();
    } else {
        // An edit keeps the stored figures; the total to be repaid is stored as a number payroll
        // can deduct from, never as infinity, and to the cent: 554.04 x 10 is 5540.40, not the
        // binary product 5540.400000000001.
        const double product = instalment * payments;
        if (!std::isfinite(product))
            throw RuntimeError::overflow();
        currentBalance = vb::Val(vb::Format(product, u"0.00"));
    }
    rs.setValue(u"liempid"_s, employeeOf(*this));
    rs.setValue(u"liLoanID"_s, loanTypeOf(*this));
    rs.setValue(u"liLoanAppID"_s, applicationOf(*this));
    rs.setValue(u"liNoofPayments"_s, payments);
    rs.setValue(u"liInstallmentAmount"_s, instalment);
    rs.setValue(u"liDeductionMode"_s, qint16(chkDeductMonthly->isChecked() ? 1 : 0));
    rs.setValue(u"liOpeningBalance"_s, amount);
    rs.setValue(u"liCurrentBalance"_s, currentBalance);
    rs.setValue(u"liactive"_s, qint16(1));
    rs.setValue(u"licancelled"_s, qint16(0));
    rs.setValue(u"liUsed"_s, qint16(0));
    rs.setValue(u"liRemarks"_s, vb::Trim(txtRemarks->text()));
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
        throw refuse(u"This issue no longer exists."_s);
    // A server database may hold Null in either flag; Edit reads Null as false, and so does this.
    const QVariant cancelled = rs.value(u"licancelled"_s);
    if (vb::FlagSet(cancelled))
        throw refuse(u"Another user cancelled this issue after you opened it."_s);
    const QVariant used = rs.value(u"liUsed"_s);
    if (vb::FlagSet(used))
        throw refuse(u"Payroll used this issue after you opened it."_s);
    if (IssueDeductions::deductedInMonthlyEntry(lngIssueID))
        throw refuse(
            u"A monthly payroll entry deducted this issue's instalment after you opened it."_s);
}

// The list of open applications was read when the employee was chosen; under the save's write
// lock, make sure no other clerk has issued the application since.
void frmLoan::checkApplicationStillOpen()
{
    const QVariant liveIssues = BasLoan::adocon().ExecuteScalar(
        u"select count(*) from %1 where liCompanyID = %2 and liLoanAppID = %3 and "
        u"licancelled = 0"_s.arg(BasLoan::strTblLoansIssue, QString::number(BasLoan::intCompanyID),
                                 QString::number(applicationOf(*this))));
    if (vb::CDbl(liveIssues) > 0)
        throw RuntimeError(RuntimeError::RowNotLocated,
                           u"Another user has just issued this application. Nothing "
                           "was saved; choose another application."_s);
}

void frmLoan::closeRepaymentRows()
{
    ado::Recordset rs;
    rs.Open(u"select * from %1 where lrdcompanyid = %2 and lrdEmpID = %3 and lrdLoanID = %4"_s.arg(
                BasLoan::strTblRepayment, QString::number(BasLoan::intCompanyID),
                QString::number(employeeOf(*this)), QString::number(loanTypeOf(*this))),
            BasLoan::adocon(), ado::CursorType::Keyset, ado::LockType::Optimistic);
    if (!rs.isEOF()) {
        for (; !rs.isEOF(); rs.MoveNext())
            rs.setValue(u"lrdProcessed"_s, qint16(1));
        rs.UpdateBatch();
    }
    rs.Close();
}
