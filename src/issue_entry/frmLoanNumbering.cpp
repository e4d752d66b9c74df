// The number of a new issue: the company's prefix for this screen and the next running number
// of the issue type. Runs inside the save's transaction, which holds the write lock, so no
// other save can take the same number meanwhile.
#include "issue_entry/frmLoan.h"

#include "common/BasLoan.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlLiteral.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/RuntimeError.h"

#include <limits>

void frmLoan::GenerateIssueNo()
{
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT Prefix FROM ") + BasLoan::strTblPrefix +
                QStringLiteral(" WHERE CompanyID = ") + QString::number(BasLoan::intCompanyID) +
                QStringLiteral(" and InterfaceID = ") + QString::number(BasLoan::lngInterfaceID),
            BasLoan::adocon(), ado::CursorType::Static, ado::LockType::ReadOnly);
    const QString prefix = rs.isEOF() ? QString() : vb::CStr(rs.value(QStringLiteral("Prefix")));
    rs.Close();

    // The prefix goes into a quoted literal.
    const QString likePrefix = ado::quotedText(vb::Trim(prefix));
    const QString highest = vb::CStr(BasLoan::adocon().ExecuteScalar(
        QStringLiteral("SELECT isnull(max(convert(int,right(liNo,len(liNo)-") +
        QString::number(prefix.size()) + QStringLiteral("))),0) FROM ") +
        BasLoan::strTblLoansIssue + QStringLiteral(" WHERE liCompanyID=") +
        QString::number(BasLoan::intCompanyID) + QStringLiteral(" and litype= '") +
        BasLoan::strtype + QStringLiteral("' and liNo like '") + likePrefix +
        QStringLiteral("%'")));

    // A 32-bit running number: a company issues far more than 32767 loans over the years.
    const double next = highest == u"0" ? 1 : vb::Val(highest) + 1;
    if (next > std::numeric_limits<qint32>::max())
        throw RuntimeError(RuntimeError::Overflow,
                           QStringLiteral("The running numbers of this company's issues have "
                                          "reached %1, the highest there can be. Nothing was "
                                          "saved.")
                               .arg(std::numeric_limits<qint32>::max()));
    strIssueNo = prefix + QString::number(vb::CLng(next));
}
