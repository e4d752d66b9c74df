#pragma once

#include "db/Connection.h"

#include <QDate>
#include <QString>

// The module-wide store that every window reads. The variables live as long as the module stays
// loaded in the host, so they survive from one Show to the next; Show overwrites the host
// context, the register's load rebuilds the rest.
namespace BasLoan {

// Host context, copied by clsLoan::Show.
inline QString MsgboxTitle;
inline QDate ProcessDate;
inline qint16 intUserID = 0;
inline qint16 intCompanyID = 0;
inline QString strtype;

// The module's connection: the host's own object. Reading it while unset creates an unopened
// connection, which then stays.
ado::Connection& adocon();
ado::ConnectionPtr adoconPtr();
void setAdocon(ado::ConnectionPtr connection);

// Set by the register and its commands.
inline qint32 lngInterfaceID = 0;
inline QString strMasterSQL;
inline QString strMode;

// Physical names of the twelve logical tables, resolved through linktable.
inline QString strTblUsers;
inline QString strTblLoansIssue;
inline QString strTblEmployee;
inline QString strTblLoans;
inline QString strTblTables;
inline QString strTblTableColumns;
inline QString strTblUserRights;
inline QString strTblSettings;
inline QString strTblRepayment;
inline QString strTblPrefix;
inline QString strTblLoanApplication;
inline QString strTblCurrency;

// Back to the state of a freshly loaded library (for tests that load the module twice).
void resetForNewProcess();

} // namespace BasLoan
