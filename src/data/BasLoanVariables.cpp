#include "data/BasLoanVariables.h"

namespace BasLoan {

namespace {
ado::ConnectionPtr connection;
}

ado::ConnectionPtr adoconPtr()
{
    if (!connection)
        connection = std::make_shared<ado::Connection>();
    return connection;
}

ado::Connection& adocon()
{
    return *adoconPtr();
}

void setAdocon(ado::ConnectionPtr c)
{
    connection = std::move(c);
}

void resetForNewProcess()
{
    connection.reset();
    MsgboxTitle.clear();
    ProcessDate = QDate();
    intUserID = 0;
    intCompanyID = 0;
    strtype.clear();
    lngInterfaceID = 0;
    strMasterSQL.clear();
    strMode.clear();
    for (QString* name : {&strTblUsers, &strTblLoansIssue, &strTblEmployee, &strTblLoans,
                          &strTblTables, &strTblTableColumns, &strTblUserRights, &strTblSettings,
                          &strTblRepayment, &strTblPrefix, &strTblLoanApplication, &strTblCurrency})
        name->clear();
}

} // namespace BasLoan
