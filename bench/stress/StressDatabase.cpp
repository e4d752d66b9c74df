#include "StressDatabase.h"

#include "DemoData.h"
#include "LargeRegister.h"
#include "db/Connection.h"
#include "db/PreparedStatement.h"
#include "db/Transaction.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace stress {

QDate processDate()
{
    return QDate(2024, 3, 15);
}

namespace {

void addApplications(ado::Connection& connection, int employees, int applications)
{
    ado::PreparedStatement employee(connection,
                                    u"INSERT INTO pemployee (eCompanyID, eEmpID, eEmpCode, "
                                    "eName, eActive) VALUES (?, ?, ?, ?, 1)"_s);
    for (int e = 0; e < employees; ++e)
        employee.run({Company, FirstEmployee + e, u"S%1"_s.arg(e),
                      u"Stress Employee %1"_s.arg(e, 3, 10, QLatin1Char('0'))});

    ado::PreparedStatement loanType(connection,
                                    u"INSERT INTO pLoans (lCompanyID, lLoanID, lDescription, "
                                    "lCurrencyID, lPercentageofInterest, lMinlimit, "
                                    "lMaxlimit) VALUES (?, ?, ?, 1, 12, 0, 1000000)"_s);
    ado::PreparedStatement application(
        connection, u"INSERT INTO ploanapplication (laLoanAppID, laCompanyID, laloanappno, "
                    "laAppDate, laAppType, laEmployeeID, laLoanID, laPaymentPeriod, "
                    "laSanctionAmount, laInstalmentAmount, laDeductMonthly, lacancelled) "
                    "VALUES (?, ?, ?, ?, 'L', ?, ?, 12, ?, ?, 1, 0)"_s);
    ado::PreparedStatement repayment(connection,
                                     u"INSERT INTO ploanrepaymentdetails (lrdcompanyid, "
                                     "lrdEmpID, lrdLoanID, lrdMonth, lrdAmount, "
                                     "lrdProcessed) VALUES (?, ?, ?, ?, ?, 0)"_s);
    const QString month = processDate().addMonths(1).toString(Qt::ISODate);
    for (int a = 0; a < applications; ++a) {
        const qint32 id = FirstGenerated + a;
        const qint32 owner = FirstEmployee + a % employees;
        const double amount = 1200 + 100 * (a % 50);
        loanType.run({Company, id, u"Stress Loan %1"_s.arg(a)});
        application.run({id, Company, u"SA-%1"_s.arg(a),
                         processDate().addDays(-10).toString(Qt::ISODate), owner, id, amount,
                         amount / 12});
        repayment.run({Company, owner, id, month, amount / 12});
    }
}

} // namespace

void createStressDatabase(const QString& path, int employees, int applications, int seededIssues)
{
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
    ado::Connection connection;
    connection.Open(path);
    payroll::createDemoDatabase(connection, processDate());
    // Loans, the type the clerks save: their numbering and their register meet every one.
    if (seededIssues > 0)
        payroll::seedLargeRegister(connection, Company, u"L"_s, seededIssues);
    ado::Transaction transaction(connection);
    addApplications(connection, employees, applications);
    transaction.commit();
    connection.Close();
}

QHash<qint32, StoredIssue> generatedIssues(const QString& path)
{
    ado::Connection connection;
    connection.Open(path);
    ado::PreparedStatement select(connection,
                                  u"SELECT liID, liNo, licancelled FROM pLoansIssueData WHERE "
                                  "liCompanyID = %1 AND liLoanID >= %2"_s.arg(Company)
                                      .arg(FirstGenerated));
    QHash<qint32, StoredIssue> issues;
    for (const QVariantList& row : select.rows())
        issues.insert(row[0].toInt(), {row[1].toString(), row[2].toInt() == 1});
    return issues;
}

} // namespace stress
