#include "data/LargeRegister.h"

#include "data/NativeStatement.h"
#include "data/PayrollTables.h"
#include "data/TransactionScope.h"
#include "platform/runtime/RuntimeError.h"

#include <QDate>
#include <QSqlQuery>
#include <array>
#include <cmath>
#include <random>
#include <vector>

namespace payroll {

namespace {

constexpr int StaffSize = 300;

constexpr std::array firstNames{
    "Aarav", "Priya",  "Rahul",  "Sneha",  "Vikram", "Ananya",  "Karthik", "Fatima",
    "Joseph", "Deepa", "Suresh", "Lakshmi", "John",  "Maria",   "David",   "Emily",
    "Samuel", "Grace", "Arjun",  "Meera",  "Imran",  "Kavya",   "Rohan",   "Nisha"};
constexpr std::array lastNames{"Sharma", "Nair",  "Verma", "Iyer",    "Singh",  "Gupta",
                               "Reddy",  "Sheikh", "Mathew", "Menon", "Pillai", "Rao",
                               "Carter", "Lopez",  "Chen",  "Brown",   "Okafor", "Das"};

struct LoanType
{
    int id;
    double minLimit;
    double maxLimit;
    double rate;
};

std::vector<QVariant> column(ado::Connection& connection, const QString& sql, qint16 companyId)
{
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    query.prepare(sql);
    query.addBindValue(companyId);
    std::vector<QVariant> values;
    if (!query.exec())
        return values;
    while (query.next())
        values.push_back(query.value(0));
    return values;
}

void ensureSettingsAndLoanTypes(ado::Connection& connection, qint16 companyId)
{
    NativeStatement(connection, QStringLiteral("INSERT OR IGNORE INTO %1 (companyid, "
                                               "FlatLoanInterest, NoOfPreviousDays) VALUES (?, 1, 0)")
                                    .arg(table::Settings))
        .run({companyId});
    const QVariant loanTypes =
        NativeStatement(connection,
                        QStringLiteral("SELECT count(*) FROM %1 WHERE lCompanyID = ?").arg(table::Loans))
            .scalar({companyId});
    if (loanTypes.toInt() > 0)
        return;
    NativeStatement(connection, QStringLiteral("INSERT OR IGNORE INTO %1 (CompanyID, CurrencyId, "
                                               "CurrencyName, symbol) VALUES (?, 1, 'Indian Rupee', 'Rs')")
                                    .arg(table::Currency))
        .run({companyId});
    NativeStatement loanType(connection,
                             QStringLiteral("INSERT INTO %1 (lCompanyID, lLoanID, lDescription, "
                                            "lCurrencyID, lPercentageofInterest, lMinlimit, "
                                            "lMaxlimit) VALUES (?, ?, ?, 1, ?, ?, ?)")
                                 .arg(table::Loans));
    loanType.run({companyId, 1, QStringLiteral("Housing Loan"), 8.5, 100000, 2500000});
    loanType.run({companyId, 2, QStringLiteral("Vehicle Loan"), 9.75, 25000, 800000});
    loanType.run({companyId, 3, QStringLiteral("Personal Loan"), 12.0, 5000, 300000});
    loanType.run({companyId, 4, QStringLiteral("Salary Advance"), 0.0, 1000, 50000});
}

std::vector<LoanType> loanTypesOf(ado::Connection& connection, qint16 companyId)
{
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT lLoanID, lMinlimit, lMaxlimit, "
                                 "coalesce(lPercentageofInterest, 0) FROM %1 WHERE lCompanyID = ?")
                      .arg(table::Loans));
    query.addBindValue(companyId);
    std::vector<LoanType> types;
    if (query.exec())
        while (query.next())
            types.push_back({query.value(0).toInt(), query.value(1).toDouble(),
                             query.value(2).toDouble(), query.value(3).toDouble()});
    return types;
}

std::vector<int> ensureStaff(ado::Connection& connection, qint16 companyId)
{
    const QString active = QStringLiteral("SELECT eEmpID FROM %1 WHERE eCompanyID = ? AND "
                                          "eActive = 1")
                               .arg(table::Employee);
    std::vector<QVariant> ids = column(connection, active, companyId);
    if (ids.size() < StaffSize) {
        const int first = NativeStatement(connection, QStringLiteral("SELECT coalesce(max(eEmpID), "
                                                                     "0) FROM %1 WHERE eCompanyID = ?")
                                                          .arg(table::Employee))
                              .scalar({companyId})
                              .toInt() +
                          1;
        NativeStatement employee(connection,
                                 QStringLiteral("INSERT INTO %1 (eCompanyID, eEmpID, eEmpCode, "
                                                "eName, eActive) VALUES (?, ?, ?, ?, 1)")
                                     .arg(table::Employee));
        for (int id = first; id < first + StaffSize - int(ids.size()); ++id) {
            const QString name = QStringLiteral("%1 %2").arg(
                QString::fromUtf8(firstNames[id % firstNames.size()]),
                QString::fromUtf8(lastNames[(id / firstNames.size()) % lastNames.size()]));
            employee.run({companyId, id, QStringLiteral("G%1").arg(id, 5, 10, QLatin1Char('0')),
                          name});
        }
        ids = column(connection, active, companyId);
    }
    std::vector<int> staff;
    for (const QVariant& id : ids)
        staff.push_back(id.toInt());
    return staff;
}

QString prefixOf(ado::Connection& connection, qint16 companyId, const QString& type)
{
    const int interface = type == QLatin1String("L") ? 91001 : 91035;
    return NativeStatement(connection, QStringLiteral("SELECT Prefix FROM %1 WHERE CompanyID = ? "
                                                      "AND InterfaceID = ?")
                                           .arg(table::Prefix))
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
                           QStringLiteral("The large register is generated on the embedded "
                                          "engine only."));
    TransactionScope transaction(connection);
    ensureSettingsAndLoanTypes(connection, companyId);
    const std::vector<LoanType> loanTypes = loanTypesOf(connection, companyId);
    const std::vector<int> staff = ensureStaff(connection, companyId);
    const QString prefix = prefixOf(connection, companyId, type);

    int nextId = NativeStatement(connection, QStringLiteral("SELECT coalesce(max(liID), 0) FROM "
                                                            "%1 WHERE liCompanyID = ?")
                                                 .arg(table::LoansIssue))
                     .scalar({companyId})
                     .toInt() +
                 1;
    int nextNumber =
        NativeStatement(connection,
                        QStringLiteral("SELECT coalesce(max(CAST(substr(liNo, length(?) + 1) AS "
                                       "INTEGER)), 0) FROM %1 WHERE liCompanyID = ? AND litype = ? "
                                       "AND substr(liNo, 1, length(?)) = ?")
                            .arg(table::LoansIssue))
            .scalar({prefix, companyId, type, prefix, prefix})
            .toInt() +
        1;
    int nextApplication =
        NativeStatement(connection, QStringLiteral("SELECT coalesce(max(laLoanAppID), 0) FROM %1")
                                        .arg(table::LoanApplication))
            .scalar()
            .toInt() +
        1;

    NativeStatement application(
        connection,
        QStringLiteral("INSERT INTO %1 (laLoanAppID, laCompanyID, laloanappno, laAppDate, "
                       "laAppType, laEmployeeID, laLoanID, laPaymentPeriod, laSanctionAmount, "
                       "laInstalmentAmount, laDeductMonthly, lacancelled) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1, 0)")
            .arg(table::LoanApplication));
    NativeStatement issue(
        connection,
        QStringLiteral("INSERT INTO %1 (liCompanyID, liID, litype, liNo, lidate, liempid, "
                       "liLoanID, liLoanAppID, liOpeningBalance, liCurrentBalance, "
                       "liNoofPayments, liInstallmentAmount, liDeductionMode, liactive, "
                       "licancelled, liCancelledRemarks, liUsed, liRemarks) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1, 1, ?, ?, ?, NULL)")
            .arg(table::LoansIssue));

    std::mt19937 random(std::uint32_t(companyId) * 131u + (type.isEmpty() ? 0u : type.at(0).unicode()));
    constexpr std::array paymentChoices{6, 10, 12, 18, 24, 36, 48, 60};
    const QDate today = QDate::currentDate();
    const int spanDays = std::clamp(count / 20, 30, 3650);
    const QString cancelledRemark = QStringLiteral("admin:Entered twice ");
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
        const QDate date = today.addDays(-qint64(spanDays) * (count - n) / count);
        const bool cancelled = random() % 20 == 0;
        const QString isoDate = date.toString(Qt::ISODate);

        application.run({nextApplication, companyId,
                         QStringLiteral("GA-%1").arg(nextApplication, 7, 10, QLatin1Char('0')),
                         isoDate, type, employee, loanType.id, payments, amount, instalment});
        issue.run({companyId, nextId, type, prefix + QString::number(nextNumber), isoDate,
                   employee, loanType.id, nextApplication, amount, instalment * payments,
                   double(payments), instalment, cancelled ? 1 : 0,
                   cancelled ? QVariant(cancelledRemark) : QVariant(),
                   date.daysTo(today) > 60 ? 1 : 0});
        ++nextId;
        ++nextNumber;
        ++nextApplication;
    }
    transaction.commit();
}

} // namespace payroll
