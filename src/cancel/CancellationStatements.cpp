#include "cancel/CancellationStatements.h"

#include "common/BasLoanVariables.h"
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
    return u"select username from %1 where companyid=%2 and userid=%3"_s.arg(
        BasLoan::strTblUsers, QString::number(BasLoan::intCompanyID),
        QString::number(BasLoan::intUserID));
}

QString issueStateCheck(const QString& issueId)
{
    return u"select liUsed, liCancelled from %1 with (updlock, holdlock) where liID ='%2' and "
           u"liCompanyID =%3"_s.arg(BasLoan::strTblLoansIssue, ado::quotedText(issueId),
                                    QString::number(BasLoan::intCompanyID));
}

QString cancelIssue(const QString& remark, const QString& issueId)
{
    return u"update %1 set liCancelled=1, liCancelledRemarks='%2 ' where liID ='%3' and "
           u"liCompanyID =%4"_s.arg(BasLoan::strTblLoansIssue, ado::quotedText(remark),
                                    ado::quotedText(issueId),
                                    QString::number(BasLoan::intCompanyID));
}

} // namespace CancellationStatements
