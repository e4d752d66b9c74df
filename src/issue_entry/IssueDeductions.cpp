#include "issue_entry/IssueDeductions.h"

#include "data/BasLoanVariables.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Conversions.h"

namespace IssueDeductions {

bool deductedInMonthlyEntry(ado::Connection& connection, qint32 lngLoanIssueID)
{
    ado::Recordset rs;
    rs.Open(QStringLiteral("select count(eddID) from pempMonthlyEntryHeader a,"
                           "pEmployeeDeductionDetail b where ") +
                QStringLiteral("a.emhCompanyID=b.eddCompanyID and a.emhID=b.eddID and  "
                               "emhCancelled=0 and ") +
                QStringLiteral("eddLoanIssueID=") + QString::number(lngLoanIssueID) +
                QStringLiteral(" and a.emhCompanyId=") + QString::number(BasLoan::intCompanyID),
            connection, ado::CursorType::ForwardOnly, ado::LockType::ReadOnly);
    const bool done = vb::CDbl(rs.value(0)) > 0;
    rs.Close();
    return done;
}

bool deductedInMonthlyEntry(qint32 lngLoanIssueID)
{
    return deductedInMonthlyEntry(BasLoan::adocon(), lngLoanIssueID);
}

} // namespace IssueDeductions
