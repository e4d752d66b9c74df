// The number of a new issue: the company's prefix for this screen and the next running number
// of the issue type. Runs inside the save's transaction, which holds the write lock, so no
// other save can take the same number meanwhile.
#include "issue_entry/frmLoan.h"

#include "common/BasLoan.h"
#include "db/Recordset.h"
#include "db/SqlLiteral.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

#include <limits>

using namespace Qt::StringLiterals;

void frmLoan::GenerateIssueNo()
{
    ado::Recordset rs;
    rs.Open(u"SELECT Prefix FROM %1 WHERE CompanyID = %2 and InterfaceID = %3"_s.arg(
                BasLoan::strTblPrefix, QString::number(BasLoan::intCompanyID),
                QString::number(BasLoan::lngInterfaceID)),
            BasLoan::adocon(), ado::CursorType::Static, ado::LockType::ReadOnly);
    const QString prefix = rs.isEOF() ? QString() : vb::CStr(rs.value(u"Prefix"_s));
    rs.Close();

    // The prefix goes into a quoted literal; the % after it is the LIKE wildcard, which arg()
    // leaves alone as no digit follows it.
    const QString likePrefix = ado::quotedText(vb::Trim(prefix));
    const QString highest = vb::CStr(BasLoan::adocon().ExecuteScalar(
        u"SELECT isnull(max(convert(int,right(liNo,len(liNo)-%1))),0) FROM %2 WHERE "
        u"liCompanyID=%3 and litype= '%4' and liNo like '%5%'"_s.arg(
            QString::number(prefix.size()), BasLoan::strTblLoansIssue,
            QString::number(BasLoan::intCompanyID), ado::quotedText(BasLoan::strtype),
            likePrefix)));

    // A 32-bit running number: a company issues far more than 32767 loans over the years.
    const double next = highest == u"0" ? 1 : vb::Val(highest) + 1;
    if (next > std::numeric_limits<qint32>::max())
        throw RuntimeError(RuntimeError::Overflow,
                           u"The running numbers of this company's issues have "
                           "reached %1, the highest there can be. Nothing was "
                           "saved."_s.arg(std::numeric_limits<qint32>::max()));
    strIssueNo = prefix + QString::number(vb::CLng(next));
}
