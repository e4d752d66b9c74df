#include "register/FrmMaster.h"

#include "IssueStatement.h"
#include "common/BasLoan.h"
#include "common/ModuleFolder.h"
#include "db/Recordset.h"
#include "grid/FlexGrid.h"
#include "report/ReportEngine.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "ui/MessageBox.h"

using namespace Qt::StringLiterals;

// The issue statement of the selected issue, shown by the report engine in its preview window.
void FrmMaster::cmdPreview_Click()
{
    const QString issueId = flexMaster->TextMatrix(flexMaster->Row(), 0);
    if (!(vb::Val(issueId) > 0))
        return;
    try {
        rpt::ReportEngine cRptLoansIssue(BasLoan::adocon(), this);
        IssueStatement::offerSchedules(cRptLoansIssue);
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
            cRptLoansIssue.setWindowTitle(u"Loan Issue"_s);
            cRptLoansIssue.setParameterField(2, u"strReportName;"_s + u"Loan Issue Statement"_s +
                                                    u";true"_s);
        } else if (BasLoan::strtype == u"A") {
            cRptLoansIssue.setWindowTitle(u"Advance Issue"_s);
            cRptLoansIssue.setParameterField(2, u"strReportName;"_s + u"Advance Issue Statement"_s +
                                                    u";true"_s);
        }
        cRptLoansIssue.LogOnServer(u"pdsodbc.dll"_s, u"payrolldsn"_s, u"payroll"_s,
                                   u"tarnbelqowd"_s, u"tarnbelqowd"_s);
        cRptLoansIssue.setReportFileName(IssueStatement::reportFile(ModuleFolder()));
        cRptLoansIssue.setParameterField(
            0, u"@intCompanyID;"_s + QString::number(BasLoan::intCompanyID) + u";true"_s);
        cRptLoansIssue.setParameterField(1, u"@intAdvanceorLoanIssueID;"_s + issueId + u";true"_s);
        ado::Recordset rs;
        rs.Open(u"select username from %1 where userid = %2"_s.arg(
                    BasLoan::strTblUsers, QString::number(BasLoan::intUserID)),
                BasLoan::adocon());
        if (!rs.isEOF())
            cRptLoansIssue.setParameterField(
                3, u"strUserName;"_s + vb::Trim(vb::TextOf(rs.value(u"UserName"_s))) + u";true"_s);
        cRptLoansIssue.setParameterField(4, u"@type;"_s + BasLoan::strtype + u";true"_s);
        rs.Close();
        cRptLoansIssue.setAction(1);
    } catch (const RuntimeError& e) {
        msgbox::MsgBox(e.description(), msgbox::vbInformation, BasLoan::MsgboxTitle);
    }
}
