#include "LargeRegister.h"

#include "OstrelLoanIssue.h"
#include "PayrollTables.h"
#include "db/PreparedStatement.h"
#include "db/Transaction.h"
#include "runtime/RuntimeError.h"

#include <QDate>
#include <array>
#include <cmath>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;

namespace payroll {

namespace {

constexpr int StaffSize = 300;

constexpr std::array firstNames{"Aarav",   "Priya",  "Rahul",  "Sneha", "Vikram", "Ananya",
                                "Karthik", "Fatima", "Joseph", "Deepa", "Suresh", "Lakshmi",
                                "John",    "Maria",  "David",  "Emily", "Samuel", "Grace",
                                "Arjun",   "Meera",  "Imran",  "Kavya", "Rohan",  "Nisha"};
constexpr std::array lastNames{"Sharma", "Nair",   "Verma",  "Iyer",  "Singh",  "Gupta",
                               "Reddy",  "Sheikh", "Mathew", "Menon", "Pillai", "Rao",
                               "Carter", "Lopez",  "Chen",   "Brown", "Okafor", "Das"};

struct LoanType
{
    int id;
    bool advance;
    double minLimit;
    double maxLimit;
    double rate;
};

void ensureSettingsAndLoanTypes(ado::Connection& connection, qint16 companyId)
{
    ado::PreparedStatement(
        connection, u"INSERT OR IGNORE INTO %1 (companyid, "
                    "FlatLoanInterest, NoOfPreviousDays) VALUES (?, 1, 0)"_s.arg(table::Settings))
        .run({companyId});
    const QVariant loanTypes =
        ado::PreparedStatement(connection,
                               u"SELECT count(*) FROM %1 WHERE lCompanyID = ?"_s.arg(table::Loans))
            .scalar({companyId});
    if (loanTypes.toInt() > 0)
        return;
    ado::PreparedStatement(
        connection,
        u"INSERT OR IGNORE INTO %1 (CompanyID, CurrencyId, "
        "CurrencyName, symbol) VALUES (?, 1, 'Indian Rupee', 'Rs')"_s.arg(table::Currency))
        .run({companyId});
    ado::PreparedStatement loanType(connection,
                                    u"INSERT INTO %1 (lCompanyID, lLoanID, lDescription, "
                                    "lCurrencyID, lPercentageofInterest, lMinlimit, "
                                    "lMaxlimit) VALUES (?, ?, ?, 1, ?, ?, ?)"_s.arg(table::Loans));
    loanType.run({companyId, 1, u"Housing Loan"_s, 8.5, 100000, 2500000});
    loanType.run({companyId, 2, u"Vehicle Loan"_s, 9.75, 25000, 800000});
    loanType.run({companyId, 3, u"Personal Loan"_s, 12.0, 5000, 300000});
    loanType.run({companyId, 4, u"Salary Advance"_s, 0.0, 1000, 50000});
}

// The company's loan types fit for the issue type: advance types for advances, the others for
// loans; all of them when the company does not tell them apart.
std::vector<LoanType> loanTypesFor(ado::Connection& connection, qint16 companyId,
                                   const QString& type)
{
    ado::PreparedStatement query(connection,
                                 u"SELECT lLoanID, lDescription LIKE '%advance%', "
                                 "lMinlimit, lMaxlimit, coalesce(lPercentageofInterest, "
                                 "0) FROM %1 WHERE lCompanyID = ?"_s.arg(table::Loans));
    std::vector<LoanType> all;
    std::vector<LoanType> fitting;
    for (const QVariantList& row : query.rows({companyId})) {
        all.push_back({row[0].toInt(), row[1].toBool(), row[2].toDouble(), row[3].toDouble(),
                       row[4].toDouble()});
        if (all.back().advance == (type == QLatin1String("A")))
            fitting.push_back(all.back());
    }
    return fitting.empty() ? all : fitting;
}

struct Continuation
{
    int id;
    int number;
    int application;
};

// Where the new rows take up the company's ids and numbers, and the applications' ids.
Continuation continuationOf(ado::Connection& connection, qint16 companyId, const QString& type,
                            const QString& prefix)
{
    const QString issues = u" FROM %1 WHERE liCompanyID = ?"_s.arg(table::LoansIssue);
    Continuation next;
    next.id = ado::PreparedStatement(connection, u"SELECT coalesce(max(liID), 0)"_s + issues)
                  .scalar({companyId})
                  .toInt() +
              1;
    next.number =
        ado::PreparedStatement(connection,
                               u"SELECT coalesce(max(CAST(substr(liNo, length(?) + 1) AS "
                               "INTEGER)), 0)"_s +
                                   issues + u" AND litype = ? AND substr(liNo, 1, length(?)) = ?"_s)
            .scalar({prefix, companyId, type, prefix, prefix})
            .toInt() +
        1;
    next.application =
        ado::PreparedStatement(connection, u"SELECT coalesce(max(laLoanAppID), 0) FROM %1"_s.arg(
                                               table::LoanApplication))
            .scalar()
            .toInt() +
        1;
    return next;
}

std::vector<int> ensureStaff(ado::Connection& connection, qint16 companyId)
{
    ado::PreparedStatement active(connection, u"SELECT eEmpID FROM %1 WHERE eCompanyID = ? "
                                              "AND eActive = 1"_s.arg(table::Employee));
    QList<QVariantList> ids = active.rows({companyId});
    if (ids.size() < StaffSize) {
        const int first = ado::PreparedStatement(
                              connection, u"SELECT coalesce(max(eEmpID), "
                                          "0) FROM %1 WHERE eCompanyID = ?"_s.arg(table::Employee))
                              .scalar({companyId})
                              .toInt() +
                          1;
        ado::PreparedStatement employee(
            connection, u"INSERT INTO %1 (eCompanyID, eEmpID, eEmpCode, "
                        "eName, eActive) VALUES (?, ?, ?, ?, 1)"_s.arg(table::Employee));
        for (int id = first; id < first + StaffSize - int(ids.size()); ++id) {
            const QString name = u"%1 %2"_s.arg(
                QString::fromUtf8(firstNames[id % firstNames.size()]),
                QString::fromUtf8(lastNames[(id / firstNames.size()) % lastNames.size()]));
            employee.run({companyId, id, u"G%1"_s.arg(id, 5, 10, QLatin1Char('0')), name});
        }
        ids = active.rows({companyId});
    }
    std::vector<int> staff;
    for (const QVariantList& id : ids)
        staff.push_back(id[0].toInt());
    return staff;
}

QString prefixOf(ado::Connection& connection, qint16 companyId, const QString& type)
{
    const int interface =
        type == QLatin1String("L") ? LoanRegisterInterfaceID : AdvanceRegisterInterfaceID;
    return ado::PreparedStatement(connection, u"SELECT Prefix FROM %1 WHERE CompanyID = ? "
                                              "AND InterfaceID = ?"_s.arg(table::Prefix))
        .scalar({companyId, interface})
        .toString();
}

double roundedTo(double value, double step)
{
    return std::round(value / step) * step;
}

} // namespace

void seedLargeRegister(ado::Connection& connection, qint16 companyId, const QString& type,
                       int count)
{
    if (!connection.isSqlite())
        throw RuntimeError(RuntimeError::DatabaseFailure,
                           u"The large register is generated on the embedded "
                           "engine only."_s);
    ado::Transaction transaction(connection);
    ensureSettingsAndLoanTypes(connection, companyId);
    const std::vector<LoanType> loanTypes = loanTypesFor(connection, companyId, type);
    const std::vector<int> staff = ensureStaff(connection, companyId);
    const QString prefix = prefixOf(connection, companyId, type);

    Continuation next = continuationOf(connection, companyId, type, prefix);

    ado::PreparedStatement application(
        connection, u"INSERT INTO %1 (laLoanAppID, laCompanyID, laloanappno, laAppDate, "
                    "laAppType, laEmployeeID, laLoanID, laPaymentPeriod, laSanctionAmount, "
                    "laInstalmentAmount, laDeductMonthly, lacancelled) "
                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1, 0)"_s.arg(table::LoanApplication));
    ado::PreparedStatement issue(
        connection, u"INSERT INTO %1 (liCompanyID, liID, litype, liNo, lidate, liempid, "
                    "liLoanID, liLoanAppID, liOpeningBalance, liCurrentBalance, "
                    "liNoofPayments, liInstallmentAmount, liDeductionMode, liactive, "
                    "licancelled, liCancelledRemarks, liUsed, liRemarks) "
                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1, 1, ?, ?, ?, NULL)"_s.arg(
                        table::LoansIssue));

    std::mt19937 random(std::uint32_t(companyId) * 131u +
                        (type.isEmpty() ? 0u : type.at(0).unicode()));
    constexpr std::array paymentChoices{6, 10, 12, 18, 24, 36, 48, 60};
    const QDate today = QDate::currentDate();
    const int spanDays = std::clamp(count / 20, 30, 3650);
    std::vector<QByteArray> isoDates;
    for (int day = spanDays; day >= 0; --day)
        isoDates.push_back(today.addDays(-day).toString(Qt::ISODate).toUtf8());
    const QByteArray typeText = type.toUtf8();
    const QByteArray prefixText = prefix.toUtf8();
    const QByteArray cancelledRemark("admin:Entered twice ");
    for (int n = 0; n < count; ++n) {
        const LoanType& loanType = loanTypes[random() % loanTypes.size()];
        const int employee = staff[random() % staff.size()];
        const int payments = paymentChoices[random() % paymentChoices.size()];
        const double share = std::uniform_real_distribution<double>(0.0, 1.0)(random);
        const double amount = std::max(
            loanType.minLimit,
            roundedTo(loanType.minLimit + (loanType.maxLimit - loanType.minLimit) * share * share,
                      500));
        const double instalment =
            roundedTo(amount / payments * (1 + loanType.rate / 100 * (payments + 1) / 24), 0.01);
        const int daysBefore = int(qint64(spanDays) * (count - n) / count);
        const QByteArray& isoDate = isoDates[spanDays - daysBefore];
        const bool cancelled = random() % 20 == 0;

        application.bind(next.application)
            .bind(int(companyId))
            .bind("GA-" + QByteArray::number(next.application))
            .bind(isoDate)
            .bind(typeText)
            .bind(employee)
            .bind(loanType.id)
            .bind(payments)
            .bind(amount)
            .bind(instalment)
            .run();
        issue.bind(int(companyId))
            .bind(next.id)
            .bind(typeText)
            .bind(prefixText + QByteArray::number(next.number))
            .bind(isoDate)
            .bind(employee)
            .bind(loanType.id)
            .bind(next.application)
            .bind(amount)
            .bind(roundedTo(instalment * payments, 0.01))
            .bind(double(payments))
            .bind(instalment)
            .bind(cancelled ? 1 : 0);
        (cancelled ? issue.bind(cancelledRemark) : issue.bindNull())
            .bind(daysBefore > 60 ? 1 : 0)
            .run();
        ++next.id;
        ++next.number;
        ++next.application;
    }
    transaction.commit();
}

} // namespace payroll
