#include "report/RepaymentSchedule.h"

#include "runtime/Conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace rpt {

namespace {

// Above this a monthly rate is no loan's: the search stops there for figures whose instalment
// alone repays the amount.
constexpr double highestMonthlyRate = 100;

// What the payments are worth at the issue date at a monthly rate, the first one paid at once.
double presentValue(double instalment, int payments, double rate)
{
    if (rate == 0)
        return instalment * payments;
    return instalment * (1 - std::pow(1 + rate, -payments)) / rate * (1 + rate);
}

} // namespace

qint64 RepaymentSchedule::toCents(double amount)
{
    if (!std::isfinite(amount))
        return 0;
    const std::string digits = vb::RoundedDigits(amount, 2);
    qint64 cents = 0;
    if (std::from_chars(digits.data(), digits.data() + digits.size(), cents).ec != std::errc())
        return 0; // beyond any amount kept in cents
    return amount < 0 ? -cents : cents;
}

double RepaymentSchedule::impliedMonthlyRate(qint64 amount, int payments, qint64 instalment)
{
    if (payments < 2 || double(instalment) * payments <= double(amount))
        return 0;
    // The worth falls as the rate rises: halve the interval until it is as fine as a double.
    double low = 0;
    double high = highestMonthlyRate;
    for (int step = 0; step < 200 && low < high; ++step) {
        const double middle = (low + high) / 2;
        if (middle == low || middle == high)
            break;
        if (presentValue(double(instalment), payments, middle) > double(amount))
            low = middle;
        else
            high = middle;
    }
    return (low + high) / 2;
}

RepaymentSchedule RepaymentSchedule::build(double amount, int payments, double instalment,
                                           QDate firstMonth)
{
    const qint64 owed = toCents(amount);
    const qint64 due = toCents(instalment);
    RepaymentSchedule schedule;
    if (payments < 1 || owed < 1 || due < 1)
        return schedule;
    schedule.m_monthlyRate = impliedMonthlyRate(owed, payments, due);
    const QDate first(firstMonth.year(), firstMonth.month(), 1);
    qint64 balance = owed;
    for (int k = 1; k <= payments; ++k) {
        Line line;
        line.number = k;
        line.month = first.addMonths(k - 1);
        line.instalment = due;
        if (k == payments) {
            line.principal = balance;
        } else {
            const qint64 interest =
                k == 1 ? 0 : toCents(double(balance) / 100 * schedule.m_monthlyRate);
            line.principal = std::clamp(due - interest, qint64(0), balance);
        }
        // The rest of the instalment: interest, or only rounding where the figures imply none.
        (schedule.m_monthlyRate > 0 ? line.interest : line.rounding) = due - line.principal;
        balance -= line.principal;
        line.balance = balance;
        schedule.m_lines.append(line);
    }
    return schedule;
}

} // namespace rpt
