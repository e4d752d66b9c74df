#include "DbFixture.h"

using namespace Qt::StringLiterals;

namespace DbFixture {

void createTables(ado::Connection& c)
{
    for (const char* sql : {
             "create table pLoansIssue (liCompanyID integer not null, liID integer not null, "
             "litype varchar(1) collate SQLSERVER_CI, liNo varchar(20) collate SQLSERVER_CI, "
             "lidate DATE, liempid integer, liLoanID integer, liLoanAppID integer, "
             "liOpeningBalance real, liCurrentBalance real, liNoofPayments real, "
             "liInstallmentAmount real, liDeductionMode integer, liactive integer, "
             "licancelled integer, liCancelledRemarks varchar(260) collate SQLSERVER_CI, "
             "liUsed integer, liRemarks varchar(250) collate SQLSERVER_CI, "
             "primary key (liCompanyID, liID), unique (liCompanyID, litype, liNo))",
             "create table ploanapplication (laLoanAppID integer primary key, "
             "laloanappno varchar(20) collate SQLSERVER_CI, laCompanyID integer, "
             "laAppType varchar(1) collate SQLSERVER_CI, lacancelled integer, "
             "laEmployeeID integer, laLoanID integer)",
             "create table ploanrepaymentdetails (lrdID integer primary key, lrdcompanyid integer, "
             "lrdEmpID integer, lrdLoanID integer, lrdProcessed integer)",
         })
        c.Execute(QString::fromLatin1(sql));
}

void addIssue(ado::Connection& c, int id, const QString& number, const QString& isoDate,
              int applicationId, int cancelled)
{
    c.Execute(u"insert into pLoansIssue (liCompanyID, liID, litype, liNo, lidate, "
              "liempid, liLoanID, liLoanAppID, liOpeningBalance, liCurrentBalance, "
              "liactive, licancelled) values (1, %1, 'L', '%2', '%3', 7, 3, %4, "
              "1000, 1100, 1, %5)"_s.arg(id)
                  .arg(number, isoDate)
                  .arg(applicationId)
                  .arg(cancelled));
}

} // namespace DbFixture
