#include "cancel/CancellationStatements.h"

#include "data/BasLoanVariables.h"
#include "db/SqlLiteral.h"
#include "runtime/Conversions.h"

using namespace Qt::StringLiterals;

namespace CancellationStatements {

QString remark(const QString& userName, const QString& reason)
{
    return vb::Trim(userName) + u':' + vb::Trim(reason);
}

QString userNameLookup()
{
    return u"select username from "_s + BasLoan::strTblUsers + u" where companyid="_s +
           QString::number(BasLoan::intCompanyID) + u" and userid="_s +
           QString::number(BasLoan::intUserID);
}

QString issueStateCheck(const QString& issueId)
{
    return u"select liUsed, liCancelled from "_s + BasLoan::strTblLoansIssue +
           u" with (updlock, holdlock) where liID ='"_s + ado::quotedText(issueId) +
           u"' and liCompanyID ="_s + QString::number(BasLoan::intCompanyID);
}

QString cancelIssue(const QString& remark, const QString& issueId)
{
    return u"update "_s + BasLoan::strTblLoansIssue +
           u" set liCancelled=1, liCancelledRemarks='"_s + ado::quotedText(remark) +
           u" ' where liID ='"_s + ado::quotedText(issueId) + u"' and liCompanyID ="_s +
           QString::number(BasLoan::intCompanyID);
}

} // namespace CancellationStatements
