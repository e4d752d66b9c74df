// The number of a new issue: the company's prefix for this screen and the next running number
// of the issue type. Runs inside the save's transaction, which holds the write lock, so no
// other save can take the same number meanwhile.
#include "issue_entry/frmLoan.h"

#include "common/BasLoan.h"
#include "db/Recordset.h"
#include "issue_entry/RunningNumberSeek.h"
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

    // A 32-bit running number: a company issues far more than 32767 loans over the years.
    const double next =
        RunningNumberSeek::highestInUse(BasLoan::adocon(), BasLoan::strTblLoansIssue,
                                        BasLoan::intCompanyID, BasLoan::strtype, prefix) +
        1;
    if (next > std::numeric_limits<qint32>::max())
        throw RuntimeError(RuntimeError::Overflow,
                           u"The running numbers of this company's issues have "
                           "reached %1, the highest there can be. Nothing was "
                           "saved."_s.arg(std::numeric_limits<qint32>::max()));
    strIssueNo = prefix + QString::number(vb::CLng(next));
}
