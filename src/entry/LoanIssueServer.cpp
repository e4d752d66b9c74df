#include "entry/LoanIssueServer.h"

#include "entry/clsLoan.h"

std::unique_ptr<_clsLoan> LoanIssueServer::CreateObject(const QString& progId)
{
    if (progId.compare(u"OstrelLoanIssue.clsLoan", Qt::CaseInsensitive) != 0)
        return nullptr;
    return std::make_unique<clsLoan>();
}

bool LoanIssueServer::DllCanUnloadNow() const
{
    return clsLoan::liveObjects() == 0;
}
