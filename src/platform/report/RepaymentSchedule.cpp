#include "platform/report/RepaymentSchedule.h"

#include "platform/runtime/Conversions.h"
#include "platform/runtime/RuntimeError.h"

#include <QString>
#include <algorithm>
#include <cmath>

namespace rpt {

namespace {

// The interest of all months of the declining-balance method: month i (0 for the first) owes
// one month's interest on the principal still outstanding, amount - (amount / payments) * i.
// The month index is a 16-bit count, as the issue entry keeps it.
double decliningInterest(double amount, double payments, double monthlyRate)
{
    const double lastMonth = vb::RoundHalfEven(payments - 1);
    if (lastMonth > 32767)
        throw RuntimeError::overflow();
    double total = 0;
    for (int i = 0; i <= int(lastMonth); ++i)
        total += (amount - amount / payments * i) * monthlyRate;
    return total;
}

double centsToAmount(qint64 cents)
{
    return double(cents) / 100.0;
}

} // namespace

qint64 RepaymentSchedule::toCents(double amount)
{
    // Rounding on the value as written (15 significant digits) keeps 1.005 at 1.01, as the
    // "0.00" format shows it.
    const double cents = QString::number(amount * 100.0, 'g', 15).toDouble();
    return std::llround(cents);
}

double RepaymentSchedule::instalment(double amount, double payments, double yearlyRatePercent,
                                     InterestMethod method)
{
    const double r = yearlyRatePercent / 1200.0;
    if (method == InterestMethod::DecliningBalance)
        return amount / payments + decliningInterest(amount, payments, r) / payments;
    if (r == 0)
        return amount / payments;
    // Payments due at the start of each period: the end-of-period payment divided by (1 + r).
    return amount * r * std::pow(1 + r, payments - 1) / (std::pow(1 + r, payments) - 1);
}

RepaymentSchedule RepaymentSchedule::build(double amount, int payments, double yearlyRatePercent,
                                           InterestMethod method, QDate firstMonth)
{
    const qint64 amountCents = toCents(amount);
    if (payments < 1 || amountCents < 1)
        return {};
    const QDate first(firstMonth.year(), firstMonth.month(), 1);
    if (method == InterestMethod::LevelPayment)
        return levelPayment(amountCents, payments, yearlyRatePercent, first);
    return decliningBalance(centsToAmount(amountCents), payments, yearlyRatePercent / 1200.0,
                            first);
}

RepaymentSchedule RepaymentSchedule::levelPayment(qint64 amount, int payments,
                                                  double yearlyRatePercent, QDate firstMonth)
{
    const double monthlyRate = yearlyRatePercent / 1200.0;
    const qint64 due = toCents(instalment(centsToAmount(amount), payments, yearlyRatePercent,
                                          InterestMethod::LevelPayment));
    RepaymentSchedule schedule;
    qint64 balance = amount;
    for (int k = 1; k <= payments; ++k) {
        // The first payment falls due at the start, before any interest has run.
        const qint64 interest = k == 1 ? 0 : toCents(centsToAmount(balance) * monthlyRate);
        const qint64 principal =
            k == payments ? balance : std::clamp(due - interest, qint64(0), balance);
        balance -= principal;
        schedule.append(interest, principal, balance, firstMonth);
    }
    return schedule;
}

RepaymentSchedule RepaymentSchedule::decliningBalance(double amount, int payments,
                                                      double monthlyRate, QDate firstMonth)
{
    const double interestTotal = decliningInterest(amount, payments, monthlyRate);
    const qint64 principalPart = toCents(amount / payments);
    // The parts are taken from the rounded instalment so that each line pays exactly it.
    const qint64 interestPart =
        toCents(amount / payments + interestTotal / payments) - principalPart;
    qint64 principalLeft = toCents(amount);
    qint64 interestLeft = toCents(interestTotal);
    RepaymentSchedule schedule;
    for (int k = 1; k <= payments; ++k) {
        const bool last = k == payments;
        const qint64 principal = last ? principalLeft : std::min(principalPart, principalLeft);
        const qint64 interest = last ? interestLeft : std::min(interestPart, interestLeft);
        principalLeft -= principal;
        interestLeft -= interest;
        schedule.append(interest, principal, principalLeft, firstMonth);
    }
    return schedule;
}

void RepaymentSchedule::append(qint64 interest, qint64 principal, qint64 balance, QDate firstMonth)
{
    Line line;
    line.number = int(m_lines.size()) + 1;
    line.month = firstMonth.addMonths(line.number - 1);
    line.interest = interest;
    line.principal = principal;
    line.instalment = interest + principal;
    line.balance = balance;
    m_lines.append(line);
}

qint64 RepaymentSchedule::totalInstalments() const
{
    qint64 total = 0;
    for (const Line& line : m_lines)
        total += line.instalment;
    return total;
}

qint64 RepaymentSchedule::totalInterest() const
{
    qint64 total = 0;
    for (const Line& line : m_lines)
        total += line.interest;
    return total;
}

qint64 RepaymentSchedule::totalPrincipal() const
{
    qint64 total = 0;
    for (const Line& line : m_lines)
        total += line.principal;
    return total;
}

} // namespace rpt
