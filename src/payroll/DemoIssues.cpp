#include "DemoData.h"
#include "DemoSeedSteps.h"
#include "PayrollTables.h"
#include "db/PreparedStatement.h"

#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

namespace payroll::demo {

namespace {

// One issue of the demo and the application it paid out. Ids run per company in the order of
// issue, loans and advances sharing them, as the module's own saving draws them.
struct Issue
{
    qint16 company;
    int id;
    char type;
    const char* number;
    int daysBefore; // before the process date
    int employee;
    int loanType;
    int application;
    double amount;
    int payments;
    double instalment;
    int recovered; // instalments already recovered by payroll
    int deductionMode;
    int active;
    const char* cancelledRemarks; // set: cancelled
    std::optional<int> used;
    const char* remarks;
};

constexpr Issue issues[] = {
    // Company 1, level-payment interest, 30-day window.
    {HeadOffice, 1, 'L', "LN1", 58, 10, 3, 1, 60000, 12, 5278.15, 12, 1, 0, nullptr, 1,
     "Employee left; balance recovered from the final settlement"},
    {HeadOffice, 2, 'L', "LN2", 52, 1, 2, 2, 400000, 60, 8381.60, 1, 1, 1, nullptr, 1, nullptr},
    {HeadOffice, 3, 'L', "LN3", 45, 2, 3, 3, 90000, 24, 4194.67, 0, 1, 1, nullptr, 0, nullptr},
    {HeadOffice, 4, 'A', "ADV1", 40, 2, 5, 31, 10000, 5, 2000, 1, 1, 1, nullptr, 1, nullptr},
    {HeadOffice, 5, 'L', "LN4", 31, 3, 1, 4, 1200000, 180, 11733.76, 0, 1, 1, nullptr, 0,
     "Just outside the 30-day window"},
    {HeadOffice, 6, 'L', "LN5", 30, 4, 3, 5, 50000, 12, 4398.45, 0, 1, 1, nullptr, 1,
     "Taken into the payroll run"},
    {HeadOffice, 7, 'L', "LN6", 28, 5, 2, 6, 350000, 48, 8763.74, 1, 1, 1, nullptr, 0, nullptr},
    {HeadOffice, 8, 'A', "ADV2", 26, 3, 6, 32, 6000, 6, 1000, 1, 1, 1, nullptr, 0, nullptr},
    {HeadOffice, 9, 'L', "LN7", 25, 6, 3, 7, 45000, 18, 2717.02, 0, 1, 1, nullptr, 0,
     "Its monthly entry was cancelled"},
    {HeadOffice, 10, 'L', "LN8", 21, 7, 1, 8, 1800000, 240, 15510.95, 0, 1, 1,
     "clerk:Sanctioned amount entered wrongly ", 0, nullptr},
    {HeadOffice, 11, 'A', "ADV3", 20, 5, 5, 33, 12000, 4, 3000, 0, 1, 1,
     "clerk:Employee withdrew the request ", 0, nullptr},
    {HeadOffice, 12, 'L', "LN9", 18, 8, 4, 9, 8000, 24, 352.80, 0, 1, 1, nullptr, std::nullopt,
     "Fees of the second semester"},
    {HeadOffice, 13, 'L', "LN10", 14, 9, 3, 10, 30000, 12, 2639.07, 0, 1, 1, nullptr, 0,
     "Medical expenses"},
    {HeadOffice, 14, 'A', "ADV4", 12, 8, 5, 34, 20000, 4, 5000, 0, 1, 1, nullptr, 0, nullptr},
    {HeadOffice, 15, 'L', "LN11", 9, 1, 3, 11, 100000, 36, 3288.55, 0, 0, 1, nullptr, 0,
     "Paid back from the annual bonus, not deducted monthly"},
    {HeadOffice, 16, 'A', "ADV5", 5, 4, 6, 35, 9000, 3, 3000, 0, 1, 1, nullptr, 0, nullptr},
    {HeadOffice, 17, 'L', "LN12", 3, 12, 2, 12, 500000, 60, 10477.00, 0, 1, 1, nullptr, 0, nullptr},
    // Company 2, declining-balance interest, no window, no prefixes.
    {Branch, 1, 'L', "1", 50, 1, 1, 51, 12000, 12, 1037.92, 1, 1, 1, nullptr, 0, nullptr},
    {Branch, 2, 'L', "2", 35, 2, 2, 52, 2400, 12, 204.88, 1, 1, 1, nullptr, 1, nullptr},
    {Branch, 3, 'A', "1", 20, 1, 3, 61, 1000, 2, 500, 0, 1, 1, nullptr, 0, nullptr},
    {Branch, 4, 'L', "3", 10, 3, 1, 53, 20000, 24, 894.10, 0, 1, 1,
     "admin:Wrong employee selected ", 0, nullptr},
    {Branch, 5, 'A', "2", 7, 2, 3, 62, 1500, 3, 500, 0, 1, 1, nullptr, 0, nullptr},
    {Branch, 6, 'L', "4", 2, 4, 1, 54, 15000, 18, 879.51, 0, 1, 1, nullptr, 0, nullptr},
};

// Approved applications that no live issue uses yet: what the entry window offers.
struct OpenApplication
{
    int id;
    qint16 company;
    const char* number; // nullptr: never offered
    char type;
    int employee;
    int loanType;
    std::optional<int> period;
    std::optional<double> sanction;
    std::optional<double> instalment;
    std::optional<int> deductMonthly;
    int cancelled;
};

constexpr OpenApplication openApplications[] = {
    {20, HeadOffice, "LA-020", 'L', 2, 1, 120, 800000, 9849.09, 1, 0},
    // Aarav's earlier personal-loan repayments are closed when this one is issued.
    {21, HeadOffice, "LA-021", 'L', 1, 3, 24, 75000, 3495.55, 0, 0},
    {22, HeadOffice, "LA-022", 'L', 6, 2, 36, std::nullopt, 5000, 1, 0},
    {23, HeadOffice, nullptr, 'L', 9, 1, 60, 300000, 6111.67, 1, 0},
    {24, HeadOffice, "LA-024", 'L', 12, 3, std::nullopt, 40000, std::nullopt, std::nullopt, 0},
    {25, HeadOffice, "LA-025", 'L', 5, 4, 12, 6000, 513.83, 1, 1},
    {26, HeadOffice, "LA-026", 'L', 11, 3, 24, 20000, 932.15, 1, 0},
    {40, HeadOffice, "AA-040", 'A', 1, 5, 3, 15000, 5000, 1, 0},
    {41, HeadOffice, "AA-041", 'A', 6, 6, 4, 8000, 2000, std::nullopt, 0},
    {42, HeadOffice, "AA-042", 'A', 7, 5, std::nullopt, 5000, std::nullopt, 0, 0},
    {55, Branch, "LA-055", 'L', 4, 2, 12, 2000, 170.73, 1, 0},
    {56, Branch, "LA-056", 'L', 3, 1, 10, 10000, 1032.08, 1, 0},
    {63, Branch, "AA-063", 'A', 4, 3, 2, 800, 400, 1, 0},
};

// Monthly payroll entries of last month; a line with no issue is another deduction.
struct MonthlyEntry
{
    qint16 company;
    int id;
    int employee;
    int cancelled;
    int issue; // 0: no loan line
    double instalment;
    double providentFund;
};

constexpr MonthlyEntry monthlyEntries[] = {
    {HeadOffice, 1, 1, 0, 2, 8381.60, 1800},   // LN2
    {HeadOffice, 2, 2, 0, 4, 2000, 1500},      // ADV1
    {HeadOffice, 3, 5, 0, 7, 8763.74, 1800},   // LN6: deducted, so Edit is view only
    {HeadOffice, 4, 3, 0, 8, 1000, 1650},      // ADV2
    {HeadOffice, 5, 6, 1, 9, 2717.02, 1200},   // LN7: only in a cancelled entry, still editable
    {HeadOffice, 6, 10, 0, 1, 52781.50, 1400}, // LN1: final settlement
    {HeadOffice, 7, 4, 0, 0, 0, 1300},         // no loan deduction this month
    {Branch, 1, 1, 0, 1, 1037.92, 300},        {Branch, 2, 2, 0, 2, 204.88, 250},
};

// Repayment schedule rows; month 0 is the month of the process date.
struct Repayment
{
    qint16 company;
    int employee;
    int loanType;
    int issue;
    int month;
    double amount;
    int processed;
};

constexpr Repayment repayments[] = {
    {HeadOffice, 1, 2, 2, -1, 8381.60, 1},
    {HeadOffice, 1, 2, 2, 0, 8381.60, 0},
    {HeadOffice, 1, 3, 15, 1, 3288.55, 0},
    {HeadOffice, 1, 3, 15, 2, 3288.55, 0},
    {HeadOffice, 1, 3, 15, 3, 3288.55, 0},
    {HeadOffice, 4, 3, 6, 0, 4398.45, 0},
    {HeadOffice, 5, 2, 7, -1, 8763.74, 1},
    {HeadOffice, 5, 2, 7, 0, 8763.74, 0},
    // Same employee and loan type ids as Aarav's personal loan, but in company 2.
    {Branch, 1, 3, 3, 0, 500, 0},
    {Branch, 1, 1, 1, -1, 1037.92, 1},
    {Branch, 1, 1, 1, 0, 1037.92, 0},
};

QVariant orNull(const char* text)
{
    return text ? QVariant(QString::fromUtf8(text)) : QVariant();
}

template <typename T> QVariant orNull(const std::optional<T>& value)
{
    return value ? QVariant(*value) : QVariant();
}

QString isoDate(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

QString applicationNumber(const Issue& issue)
{
    return u"%1-%2"_s.arg(issue.type == 'L' ? u"LA"_s : u"AA"_s)
        .arg(issue.application, 3, 10, QLatin1Char('0'));
}

void seedApplications(ado::Connection& connection, const QDate& processDate)
{
    ado::PreparedStatement application(
        connection,
        u"INSERT INTO ploanapplication (laLoanAppID, laCompanyID, laloanappno, laAppDate, "
        "laAppType, laEmployeeID, laLoanID, laPaymentPeriod, laSanctionAmount, "
        "laInstalmentAmount, laDeductMonthly, lacancelled) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    // Each issue's application was approved a week before the issue.
    for (const Issue& i : issues)
        application.run({i.application, i.company, applicationNumber(i),
                         isoDate(processDate.addDays(-i.daysBefore - 7)), QChar::fromLatin1(i.type),
                         i.employee, i.loanType, i.payments, i.amount, i.instalment, 1, 0});
    for (const OpenApplication& a : openApplications)
        application.run({a.id, a.company, orNull(a.number), isoDate(processDate.addDays(-4)),
                         QChar::fromLatin1(a.type), a.employee, a.loanType, orNull(a.period),
                         orNull(a.sanction), orNull(a.instalment), orNull(a.deductMonthly),
                         a.cancelled});
}

void seedIssueRows(ado::Connection& connection, const QDate& processDate)
{
    ado::PreparedStatement issue(
        connection,
        u"INSERT INTO %1 (liCompanyID, liID, litype, liNo, lidate, liempid, liLoanID, "
        "liLoanAppID, liOpeningBalance, liCurrentBalance, liNoofPayments, liInstallmentAmount, "
        "liDeductionMode, liactive, licancelled, liCancelledRemarks, liUsed, liRemarks) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s.arg(table::LoansIssue));
    for (const Issue& i : issues) {
        const double balance = std::round(i.instalment * (i.payments - i.recovered) * 100) / 100;
        issue.run({i.company, i.id, QChar::fromLatin1(i.type), QString::fromUtf8(i.number),
                   isoDate(processDate.addDays(-i.daysBefore)), i.employee, i.loanType,
                   i.application, i.amount, balance, double(i.payments), i.instalment,
                   i.deductionMode, i.active, i.cancelledRemarks ? 1 : 0,
                   orNull(i.cancelledRemarks), orNull(i.used), orNull(i.remarks)});
    }
}

void seedMonthlyEntries(ado::Connection& connection, const QDate& processDate)
{
    const QDate thisMonth(processDate.year(), processDate.month(), 1);
    ado::PreparedStatement header(
        connection, u"INSERT INTO pempMonthlyEntryHeader (emhCompanyID, emhID, emhEmpID, emhMonth, "
                    "emhCancelled) VALUES (?, ?, ?, ?, ?)"_s);
    ado::PreparedStatement line(
        connection,
        u"INSERT INTO pEmployeeDeductionDetail (eddCompanyID, eddID, eddLoanIssueID, eddAmount) "
        "VALUES (?, ?, ?, ?)"_s);
    for (const MonthlyEntry& e : monthlyEntries) {
        header.run({e.company, e.id, e.employee, isoDate(thisMonth.addMonths(-1)), e.cancelled});
        line.run({e.company, e.id, QVariant(), e.providentFund});
        if (e.issue)
            line.run({e.company, e.id, e.issue, e.instalment});
    }

    ado::PreparedStatement repayment(
        connection,
        u"INSERT INTO ploanrepaymentdetails (lrdcompanyid, lrdEmpID, lrdLoanID, lrdLoanIssueID, "
        "lrdMonth, lrdAmount, lrdProcessed) VALUES (?, ?, ?, ?, ?, ?, ?)"_s);
    for (const Repayment& r : repayments)
        repayment.run({r.company, r.employee, r.loanType, r.issue,
                       isoDate(thisMonth.addMonths(r.month)), r.amount, r.processed});
}

} // namespace

void seedIssues(ado::Connection& connection, const QDate& processDate)
{
    seedApplications(connection, processDate);
    seedIssueRows(connection, processDate);
    seedMonthlyEntries(connection, processDate);
}

} // namespace payroll::demo
