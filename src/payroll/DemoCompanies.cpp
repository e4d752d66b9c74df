#include "DemoData.h"
#include "DemoSeedSteps.h"
#include "OstrelLoanIssue.h"
#include "db/PreparedStatement.h"

using namespace Qt::StringLiterals;

namespace payroll::demo {

namespace {

struct Settings
{
    qint16 company;
    const char* name;
    int flatLoanInterest;
    int previousDays;
};
constexpr Settings settings[] = {
    {HeadOffice, "Kestrel Engineering Ltd", 1, 30},
    {Branch, "Kestrel Engineering Ltd, Pune Branch", 0, 0},
};

struct Currency
{
    qint16 company;
    int id;
    const char* name;
    const char* symbol;
};
constexpr Currency currencies[] = {
    {HeadOffice, 1, "Indian Rupee", "Rs"},
    {HeadOffice, 2, "US Dollar", "$"},
    {Branch, 1, "US Dollar", "$"},
    // Stored with blanks around it, as old rows often are; the labels show it trimmed.
    {Branch, 2, "Euro", " \u20AC "},
};

struct LoanType
{
    qint16 company;
    int id;
    const char* description;
    int currency;
    double rate;
    double minLimit;
    double maxLimit;
};
constexpr LoanType loanTypes[] = {
    {HeadOffice, 1, "Housing Loan", 1, 8.5, 100000, 2500000},
    {HeadOffice, 2, "Vehicle Loan", 1, 9.75, 25000, 800000},
    {HeadOffice, 3, "Personal Loan", 1, 12, 5000, 300000},
    {HeadOffice, 4, "Overseas Education Loan", 2, 6, 500, 20000},
    {HeadOffice, 5, "Salary Advance", 1, 0, 1000, 50000},
    {HeadOffice, 6, "Festival Advance", 1, 0, 500, 15000},
    {Branch, 1, "Staff Loan", 1, 7, 1000, 50000},
    {Branch, 2, "Computer Loan", 2, 4.5, 300, 3000},
    {Branch, 3, "Salary Advance", 1, 0, 100, 2000},
};

struct Employee
{
    qint16 company;
    int id;
    const char* code;
    const char* name;
    const char* joined;
    int active;
};
// Ids overlap between the companies, so a statement that forgets the company shows it.
constexpr Employee employees[] = {
    {HeadOffice, 1, "E001", "Aarav Sharma", "2012-04-02", 1},
    {HeadOffice, 2, "E002", "Priya Nair", "2014-07-14", 1},
    {HeadOffice, 3, "E003", "Rahul Verma", "2015-01-05", 1},
    {HeadOffice, 4, "E004", "Sneha Iyer", "2016-09-19", 1},
    {HeadOffice, 5, "E005", "Vikram Singh", "2017-03-01", 1},
    {HeadOffice, 6, "E006", "Ananya Gupta", "2018-06-11", 1},
    {HeadOffice, 7, "E007", "Karthik Reddy", "2018-11-26", 1},
    {HeadOffice, 8, "E008", "Fatima Sheikh", "2019-08-05", 1},
    {HeadOffice, 9, "E009", "Joseph Mathew", "2020-02-17", 1},
    {HeadOffice, 10, "E010", "Deepa Menon", "2013-05-20", 0},
    {HeadOffice, 11, "E011", "Suresh Pillai", "2011-10-03", 0},
    {HeadOffice, 12, "E012", "Lakshmi Rao", "2021-12-01", 1},
    {Branch, 1, "B001", "John Carter", "2016-02-01", 1},
    {Branch, 2, "B002", "Maria Lopez", "2018-04-16", 1},
    {Branch, 3, "B003", "David Chen", "2019-09-09", 1},
    {Branch, 4, "B004", "Emily Brown", "2022-01-10", 1},
    {Branch, 5, "B005", "Samuel Okafor", "2015-07-27", 0},
};

struct User
{
    qint16 id;
    const char* name;
    const char* rights; // nullptr: no rights row
};
constexpr User users[] = {
    // The administrator's row is never read; it is here to show that it does not matter.
    {Admin, "admin", "P"},         {Clerk, "clerk", "NEDP"},      {Viewer, "viewer", "P"},
    {Auditor, "auditor", "ADMIN"}, {Trainee, "trainee", " ned "}, {Guest, "guest", nullptr},
};

void seedSettingsAndCurrencies(ado::Connection& connection)
{
    ado::PreparedStatement setting(connection,
                                   u"INSERT INTO psettings (companyid, FlatLoanInterest, "
                                   "NoOfPreviousDays) VALUES (?, ?, ?)"_s);
    ado::PreparedStatement company(
        connection, u"INSERT INTO pCompanyMaster (CompanyID, CompanyName) VALUES (?, ?)"_s);
    for (const Settings& s : settings) {
        setting.run({s.company, s.flatLoanInterest, s.previousDays});
        company.run({s.company, QString::fromUtf8(s.name)});
    }

    ado::PreparedStatement currency(
        connection, u"INSERT INTO pCurrencyMaster (CompanyID, CurrencyId, CurrencyName, symbol) "
                    "VALUES (?, ?, ?, ?)"_s);
    for (const Currency& c : currencies)
        currency.run({c.company, c.id, QString::fromUtf8(c.name), QString::fromUtf8(c.symbol)});

    ado::PreparedStatement loanType(
        connection, u"INSERT INTO pLoans (lCompanyID, lLoanID, lDescription, lCurrencyID, "
                    "lPercentageofInterest, lMinlimit, lMaxlimit) VALUES (?, ?, ?, ?, ?, ?, ?)"_s);
    for (const LoanType& l : loanTypes)
        loanType.run({l.company, l.id, QString::fromUtf8(l.description), l.currency, l.rate,
                      l.minLimit, l.maxLimit});
}

void seedEmployees(ado::Connection& connection)
{
    ado::PreparedStatement employee(
        connection,
        u"INSERT INTO pemployee (eCompanyID, eEmpID, eEmpCode, eName, eJoinDate, eActive) "
        "VALUES (?, ?, ?, ?, ?, ?)"_s);
    for (const Employee& e : employees)
        employee.run({e.company, e.id, QString::fromUtf8(e.code), QString::fromUtf8(e.name),
                      QString::fromUtf8(e.joined), e.active});
}

void seedUsersAndRights(ado::Connection& connection)
{
    ado::PreparedStatement user(
        connection, u"INSERT INTO pusers (companyid, userid, username) VALUES (?, ?, ?)"_s);
    ado::PreparedStatement right(
        connection,
        u"INSERT INTO puserrights (userid, interfaceid, functionrights) VALUES (?, ?, ?)"_s);
    for (const User& u : users) {
        for (qint16 company : {HeadOffice, Branch})
            user.run({company, u.id, QString::fromUtf8(u.name)});
        if (!u.rights)
            continue;
        for (qint32 interface : {LoanRegisterInterfaceID, AdvanceRegisterInterfaceID})
            right.run({u.id, interface, QString::fromUtf8(u.rights)});
    }
}

void seedPrefixes(ado::Connection& connection)
{
    // Company 2 numbers its issues without a prefix.
    ado::PreparedStatement prefix(
        connection, u"INSERT INTO pPrefix (CompanyID, InterfaceID, Prefix) VALUES (?, ?, ?)"_s);
    prefix.run({HeadOffice, LoanRegisterInterfaceID, u"LN"_s});
    prefix.run({HeadOffice, AdvanceRegisterInterfaceID, u"ADV"_s});
}

} // namespace

void seedCompanies(ado::Connection& connection)
{
    seedSettingsAndCurrencies(connection);
    seedEmployees(connection);
    seedUsersAndRights(connection);
    seedPrefixes(connection);
}

} // namespace payroll::demo
