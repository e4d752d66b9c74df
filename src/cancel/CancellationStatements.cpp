#include "cancel/CancellationStatements.h"

#include "data/BasLoanVariables.h"
#include "platform/db/SqlLiteral.h"
#include "platform/runtime/Conversions.h"

namespace CancellationStatements {

QString remark(const QString& userName, const QString& reason)
{
    return vb::Trim(userName) + u':' + vb::Trim(reason);
}

QString userNameLookup()
{
    return QStringLiteral("select username from ") + BasLoan::strTblUsers +
           QStringLiteral(" where companyid=") + QString::number(BasLoan::intCompanyID) +
           QStringLiteral(" and userid=") + QString::number(BasLoan::intUserID);
}

QString issueStateCheck(const QString& issueId)
{
    return QStringLiteral("select liUsed, liCancelled from ") + BasLoan::strTblLoansIssue +
           QStringLiteral(" with (updlock, holdlock) where liID ='") + ado::quotedText(issueId) +
           QStringLiteral("' and liCompanyID =") + QString::number(BasLoan::intCompanyID);
}

QString cancelIssue(const QString& remark, const QString& issueId)
{
    return QStringLiteral("update ") + BasLoan::strTblLoansIssue +
           QStringLiteral(" set liCancelled=1, liCancelledRemarks='") + ado::quotedText(remark) +
           QStringLiteral(" ' where liID ='") + ado::quotedText(issueId) +
           QStringLiteral("' and liCompanyID =") + QString::number(BasLoan::intCompanyID);
}

} // namespace CancellationStatements
