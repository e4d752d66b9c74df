#include "register/FrmMaster.h"

#include "common/BasLoan.h"
#include "common/ModuleFolder.h"
#include "platform/db/Recordset.h"
#include "platform/grid/FlexGrid.h"
#include "platform/report/ReportEngine.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/MessageBox.h"

// The issue statement of the selected issue, shown by the report engine in its preview window.
void FrmMaster::cmdPreview_Click()
{
    const QString issueId = flexMaster->TextMatrix(flexMaster->Row(), 0);
    if (!(vb::Val(issueId) > 0))
        return;
    try {
        rpt::ReportEngine cRptLoansIssue(BasLoan::adocon(), this);
        cRptLoansIssue.setProgressDialog(false);
        cRptLoansIssue.setWindowControlBox(true);
        cRptLoansIssue.setWindowMaxButton(true);
        cRptLoansIssue.setWindowMinButton(true);
        cRptLoansIssue.setWindowShowPrintBtn(true);
        cRptLoansIssue.setWindowShowExportBtn(true);
        cRptLoansIssue.setWindowShowZoomCtl(true);
        cRptLoansIssue.setWindowShowNavigationCtls(true);
        cRptLoansIssue.setWindowState(2);
        if (BasLoan::strtype == u"L") {
            cRptLoansIssue.setWindowTitle(QStringLiteral("Loan Issue"));
            cRptLoansIssue.setParameterField(2, QStringLiteral("strReportName;") +
                                                    QStringLiteral("Loan Issue Statement") +
                                                    QStringLiteral(";true"));
        } else if (BasLoan::strtype == u"A") {
            cRptLoansIssue.setWindowTitle(QStringLiteral("Advance Issue"));
            cRptLoansIssue.setParameterField(2, QStringLiteral("strReportName;") +
                                                    QStringLiteral("Advance Issue Statement") +
                                                    QStringLiteral(";true"));
        }
        cRptLoansIssue.LogOnServer(QStringLiteral("pdsodbc.dll"), QStringLiteral("payrolldsn"),
                                   QStringLiteral("payroll"), QStringLiteral("tarnbelqowd"),
                                   QStringLiteral("tarnbelqowd"));
        cRptLoansIssue.setReportFileName(ModuleFolder() +
                                         QStringLiteral("\\reports\\rptLoanorAdvanceIssue.rpt"));
        cRptLoansIssue.setParameterField(0, QStringLiteral("@intCompanyID;") +
                                                QString::number(BasLoan::intCompanyID) +
                                                QStringLiteral(";true"));
        cRptLoansIssue.setParameterField(1, QStringLiteral("@intAdvanceorLoanIssueID;") + issueId +
                                                QStringLiteral(";true"));
        ado::Recordset rs;
        rs.Open(QStringLiteral("select username from ") + BasLoan::strTblUsers +
                    QStringLiteral(" where userid = ") + QString::number(BasLoan::intUserID),
                BasLoan::adocon());
        if (!rs.isEOF())
            cRptLoansIssue.setParameterField(
                3, QStringLiteral("strUserName;") +
                       vb::Trim(vb::TextOf(rs.value(QStringLiteral("UserName")))) +
                       QStringLiteral(";true"));
        cRptLoansIssue.setParameterField(4, QStringLiteral("@type;") + BasLoan::strtype +
                                                QStringLiteral(";true"));
        rs.Close();
        cRptLoansIssue.setAction(1);
    } catch (const RuntimeError& e) {
        msgbox::MsgBox(e.description(), msgbox::vbInformation, BasLoan::MsgboxTitle);
    }
}
