#include "data/IssueDeductions.h"

#include "common/BasLoanVariables.h"
#include "db/Recordset.h"
#include "runtime/Conversions.h"

using namespace Qt::StringLiterals;

namespace IssueDeductions {

bool deductedInMonthlyEntry(ado::Connection& connection, qint32 lngLoanIssueID)
{
    ado::Recordset rs;
    rs.Open(u"select count(eddID) from pempMonthlyEntryHeader a,pEmployeeDeductionDetail b where "
            u"a.emhCompanyID=b.eddCompanyID and a.emhID=b.eddID and  emhCancelled=0 and "
            u"eddLoanIssueID=%1 and a.emhCompanyId=%2"_s.arg(
                QString::number(lngLoanIssueID), QString::number(BasLoan::intCompanyID)),
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
