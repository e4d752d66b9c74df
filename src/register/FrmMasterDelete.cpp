// Delete never removes an issue: it cancels it through the reason dialog and repaints its row.
#include "register/FrmMaster.h"

#include "cancel/frmCancel.h"
#include "common/BasLoan.h"
#include "data/IssueDeductions.h"
#include "data/IssueLockReason.h"
#include "db/Recordset.h"
#include "grid/FlexGrid.h"
#include "register/RegisterList.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "ui/MessageBox.h"

#include <QPushButton>
#include <QScopeGuard>

using namespace Qt::StringLiterals;

namespace {

// Payroll has taken the issue into a run (a Null flag means it has not) or has deducted it in a
// monthly entry: money has been recovered on it, so it can no longer be cancelled. Says which.
QString usedByPayroll(const QString& issueIdText, const QString& number)
{
    ado::Recordset rs;
    rs.Open(u"select liUsed from %1 where liCompanyID = %2 and liID = %3"_s.arg(
                BasLoan::strTblLoansIssue, QString::number(BasLoan::intCompanyID), issueIdText),
            BasLoan::adocon(), ado::CursorType::Keyset, ado::LockType::ReadOnly);
    const QVariant used = rs.value(u"liUsed"_s);
    rs.Close();
    if (vb::FlagSet(used))
        return IssueLockReason::usedByPayroll(number);
    if (IssueDeductions::deductedInMonthlyEntry(vb::CLng(vb::Val(issueIdText))))
        return IssueLockReason::deductedInMonthlyEntry(number);
    return QString();
}

// Visits each cell of the issue's row as the current cell, painting it red when cancelled.
void repaintRow(FlexGrid& grid, int row, bool cancelled)
{
    for (int c = 0; c <= RegisterList::CancelledColumn; ++c) { // it is the last column
        grid.setRow(row);
        grid.setCol(c);
        if (cancelled)
            grid.setCellForeColor(RegisterList::CancelledColour);
    }
}

void selectWholeRow(FlexGrid& grid, int row)
{
    grid.setRow(row);
    grid.setTopRow(row);
    grid.setCol(0);
    grid.setColSel(grid.Cols() - 1);
}

} // namespace

void FrmMaster::CmdDelete_Click()
{
    try {
        // A whole int: registers run far past the 32767 rows a 16-bit number could remember.
        const int row = flexMaster->Row();

        const QString number = flexMaster->TextMatrix(row, 1);
        const QString used = usedByPayroll(flexMaster->TextMatrix(row, 0), number);
        if (!used.isEmpty()) {
            msgbox::MsgBox(u"Record can not be deleted\n\n"_s + used, msgbox::vbInformation,
                           BasLoan::MsgboxTitle);
            return;
        }

        // No is the default: Enter alone must not cancel an issue.
        const int answer = msgbox::MsgBox(
            u"Are you sure you want to delete the entry - "_s + number,
            msgbox::vbYesNo + msgbox::vbCritical + msgbox::vbDefaultButton2, BasLoan::MsgboxTitle);
        if (answer == msgbox::vbYes) {
            const bool wasCancelled = isCancelledRow(row);
            frmCancel::showModal();
            setCursor(Qt::WaitCursor);
            const auto restoreCursor = qScopeGuard([this] { unsetCursor(); });
            BasLoan::strMode = u"E"_s;
            BasLoan::RefreshGridRow(u"liID ="_s + flexMaster->TextMatrix(flexMaster->Row(), 0), 0);
            const bool cancelled = isCancelledRow(row);
            repaintRow(*flexMaster, row, cancelled);
            if (cancelled && !wasCancelled)
                ++m_cancelledIssues;
            issuesAddedOrCancelled();
        }

        if (!flexMaster->TextMatrix(1, 1).isEmpty()) {
            CmdEdit->setEnabled(holdsRight(u"E"_s));
            CmdDelete->setEnabled(holdsRight(u"D"_s));
        } else {
            CmdEdit->setEnabled(false);
            CmdDelete->setEnabled(false);
        }
        if (isCancelledRow(flexMaster->Row()))
            CmdDelete->setEnabled(false);

        selectWholeRow(*flexMaster, row);
        flexMaster_EnterCell();
    } catch (const RuntimeError& e) {
        if (e.number() != RuntimeError::IntegrityViolation)
            throw;
        msgbox::MsgBox(u"Data already processed"_s, msgbox::vbInformation, BasLoan::MsgboxTitle);
    }
}
