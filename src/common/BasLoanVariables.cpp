#include "common/BasLoanVariables.h"

#include <QCoreApplication>

namespace BasLoan {

namespace {

ado::ConnectionPtr connection;

// The store outlives the application object; its share of the connection must not, since
// closing a connection needs the database drivers that go with the application.
void releaseConnectionWithApplication()
{
    static const bool registered = [] {
        qAddPostRoutine([] { connection.reset(); });
        return true;
    }();
    Q_UNUSED(registered);
}

} // namespace

ado::ConnectionPtr adoconPtr()
{
    if (!connection) {
        connection = std::make_shared<ado::Connection>();
        releaseConnectionWithApplication();
    }
    return connection;
}

ado::Connection& adocon()
{
    return *adoconPtr();
}

void setAdocon(ado::ConnectionPtr c)
{
    connection = std::move(c);
    releaseConnectionWithApplication();
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
