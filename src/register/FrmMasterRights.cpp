// The user's rights on the register's commands, and the rule by which Edit and Delete follow
// the selected issue.
#include "register/FrmMaster.h"

#include "common/BasLoan.h"
#include "db/Recordset.h"
#include "grid/FlexGrid.h"
#include "register/RegisterList.h"
#include "register/TrappedError.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "ui/MessageBox.h"

#include <QPushButton>
#include <QSignalBlocker>

using namespace Qt::StringLiterals;

void FrmMaster::UserRights()
{
    if (BasLoan::intUserID == 1) {
        strRights = u"NEDUP"_s;
    } else if (BasLoan::strtype == u"L" || BasLoan::strtype == u"A") {
        // Any other type has no rights screen of its own: the interface number would be one left
        // from an earlier register, so nothing is read and nothing is granted.
        ado::Recordset rs;
        rs.Open(u"select functionrights from %1 where userid = %2 and interfaceid = %3"_s.arg(
                    BasLoan::strTblUserRights, QString::number(BasLoan::intUserID),
                    QString::number(BasLoan::lngInterfaceID)),
                BasLoan::adocon(), ado::CursorType::Keyset, ado::LockType::Optimistic);
        // No row grants nothing, as a row whose rights are empty (Null) does.
        if (!rs.isEOF())
            strRights = vb::TextOf(rs.value(u"FunctionRights"_s));
        rs.Close();
    }
    cmdnew->setEnabled(holdsRight(u"N"_s));
    CmdEdit->setEnabled(holdsRight(u"E"_s));
    CmdDelete->setEnabled(holdsRight(u"D"_s));
    cmdPreview->setEnabled(holdsRight(u"P"_s));
}

bool FrmMaster::fnUserRights(QString& strRight)
{
    try {
        strRight = vb::Trim(strRight).toUpper();
        strRights = vb::Trim(strRights).toUpper();
        if (strRights == u"ADMIN")
            return false;
        return !strRights.isEmpty() && strRights.contains(strRight);
    } catch (const RuntimeError& e) {
        msgbox::MsgBox(numberAndDescription(e), msgbox::vbInformation, BasLoan::MsgboxTitle);
        return false;
    }
}

bool FrmMaster::isCancelledRow(int row) const
{
    return flexMaster->TextMatrix(row, RegisterList::CancelledColumn) == u"Yes";
}

void FrmMaster::flexMaster_EnterCell()
{
    if (m_searchMissShown && flexMaster->HighLight())
        endSearchMiss(); // the clerk chose a row after a search that found none
    else
        applyRowRule(flexMaster->Row());
}

void FrmMaster::applyRowRule(int row)
{
    if (flexMaster->TextMatrix(row, 0).isEmpty()) {
        CmdDelete->setEnabled(false);
        CmdEdit->setEnabled(false);
    } else if (isCancelledRow(row)) {
        CmdDelete->setEnabled(false);
    } else {
        CmdDelete->setEnabled(holdsRight(u"D"_s));
        CmdEdit->setEnabled(holdsRight(u"E"_s));
    }
}

void FrmMaster::MarkCancelledRows()
{
    if (isCancelledRow(flexMaster->Row())) {
        CmdDelete->setEnabled(false);
    } else {
        CmdEdit->setEnabled(holdsRight(u"E"_s));
        CmdDelete->setEnabled(holdsRight(u"D"_s));
    }

    // Colours whole rows at once and walks the current cell straight to the last cell, without
    // an enter-cell notification per cell: the row rule's outcome is settled below instead.
    const int lastRow = flexMaster->Rows() - 1;
    m_cancelledIssues = 0;
    {
        const QSignalBlocker quiet(flexMaster);
        for (int r = 1; r <= lastRow; ++r) {
            if (isCancelledRow(r)) {
                flexMaster->setRowForeColor(r, RegisterList::CancelledColour);
                ++m_cancelledIssues;
            }
        }
        flexMaster->setRow(lastRow);
        flexMaster->setCol(RegisterList::CancelledColumn);
    }

    // The row rule ran on every row in turn, so the last row decides Delete; Edit was last set
    // by the latest row that is not a cancelled issue (a cancelled one leaves Edit alone).
    int editDecidedAt = lastRow;
    while (editDecidedAt >= 1 && !flexMaster->TextMatrix(editDecidedAt, 0).isEmpty() &&
           isCancelledRow(editDecidedAt))
        --editDecidedAt;
    if (editDecidedAt >= 1 && editDecidedAt != lastRow)
        applyRowRule(editDecidedAt);
    applyRowRule(lastRow);
}
