#include "StoredFigures.h"

#include "report/FieldFormat.h"
#include "runtime/Conversions.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace loan::StoredFigures {

namespace {

QString money(qint64 cents)
{
    return vb::Format(double(cents) / 100.0, u"###,###,##0.00");
}

} // namespace

qint64 toCents(double amount)
{
    return rpt::FieldFormat::centsOf(amount);
}

qint64 shareOf(qint64 amount, int k, int n)
{
    // Exact in whole numbers: amount up to 10^14 cents times k up to 9,999 stays within 64 bits.
    const __int128 whole = __int128(amount) * k;
    qint64 share = qint64(whole / n);
    if (2 * (whole % n) >= n)
        ++share;
    return share;
}

Kind classify(qint64 amount, int payments, qint64 instalment)
{
    if (payments < 1 || amount < 1 || instalment < 1)
        return Kind::ImpliesNoRate;
    if (payments == 1) {
        const qint64 excess = instalment - amount;
        return excess > 1     ? Kind::Interest
               : excess >= -1 ? Kind::InterestFree
                              : Kind::ImpliesNoRate;
    }
    if (shareOf(amount, 1, payments) == instalment)
        return Kind::InterestFree;
    if (instalment >= amount || __int128(instalment) * payments <= amount)
        return Kind::ImpliesNoRate;
    return Kind::Interest;
}

QString whyNoRate(qint64 amount, int payments, qint64 instalment)
{
    if (classify(amount, payments, instalment) != Kind::ImpliesNoRate)
        return {};
    if (payments < 1 || amount < 1 || instalment < 1)
        return u"The amount, payments and instalment imply no interest rate: the amount, payments and instalment "
               "must all be above 0."_s;
    if (payments == 1)
        return u"The amount, payments and instalment imply no interest rate: the one payment of %1 falls short "
               "of the amount of %2."_s.arg(money(instalment), money(amount));
    if (instalment >= amount)
        return u"The amount, payments and instalment imply no interest rate: the first instalment of %1 alone "
               "repays the amount of %2."_s.arg(money(instalment), money(amount));
    return u"The amount, payments and instalment imply no interest rate: %1 payments of %2 fall short of the "
           "amount of %3."_s.arg(payments)
               .arg(money(instalment), money(amount));
}

double laterWorth(int remaining, double monthlyRate)
{
    if (monthlyRate == 0)
        return remaining;
    // (1 - (1 + r)^-m) / r, without the cancellation that loses the digits of a small rate.
    return -std::expm1(-remaining * std::log1p(monthlyRate)) / monthlyRate;
}

double impliedMonthlyRate(qint64 amount, int payments, qint64 instalment)
{
    if (payments < 2 || classify(amount, payments, instalment) != Kind::Interest)
        return 0;
    // The later payments must be worth what the first leaves owed; their worth falls as the rate
    // rises. Bracket the rate, then halve the interval until it is as fine as a double.
    const double owedAfterFirst = double(amount - instalment) / double(instalment);
    double low = 0;
    double high = 1;
    while (laterWorth(payments - 1, high) > owedAfterFirst)
        high *= 2;
    for (int step = 0; step < 2000; ++step) {
        const double middle = (low + high) / 2;
        if (middle <= low || middle >= high)
            break;
        (laterWorth(payments - 1, middle) > owedAfterFirst ? low : high) = middle;
    }
    return (low + high) / 2;
}

} // namespace loan::StoredFigures
