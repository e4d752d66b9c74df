#include "data/ResolveTableNames.h"

#include "common/BasLoanVariables.h"
#include "db/Recordset.h"
#include "runtime/Conversions.h"

#include <array>

using namespace Qt::StringLiterals;

namespace BasLoan {

void ResolveTableNames()
{
    const QString sql =
        u" select tablename, linktablename from linktable where tablename in ( "
        u" 'pusers', 'pLoansIssue', 'pLoans', 'ploanrepaymentdetails ', 'ptables', "
        u" 'ptablecolumns', 'puserrights', 'psettings','pEmployee','ploanapplication',  "
        u"'pPrefix', 'pCurrencyMaster')"_s;

    struct Mapping
    {
        const char16_t* logical;
        QString* variable;
    };
    const std::array<Mapping, 12> mappings{{
        {u"pusers", &strTblUsers},
        {u"pLoansIssue", &strTblLoansIssue},
        {u"pemployee", &strTblEmployee},
        {u"pLoans", &strTblLoans},
        {u"ptables", &strTblTables},
        {u"ptablecolumns", &strTblTableColumns},
        {u"puserrights", &strTblUserRights},
        {u"psettings", &strTblSettings},
        {u"ploanrepaymentdetails", &strTblRepayment},
        {u"pPrefix", &strTblPrefix},
        {u"ploanapplication", &strTblLoanApplication},
        {u"pCurrencyMaster", &strTblCurrency},
    }};

    ado::Recordset rs;
    rs.Open(sql, adocon());
    while (!rs.isEOF()) {
        const QString logical = vb::TextOf(rs.value(0)).toUpper();
        for (const Mapping& m : mappings) {
            // Every comparison is made: a row matches each name equal to it.
            if (logical == QString::fromUtf16(m.logical).toUpper())
                *m.variable = vb::CStr(rs.value(1));
        }
        rs.MoveNext();
    }
    rs.Close();
}

} // namespace BasLoan
