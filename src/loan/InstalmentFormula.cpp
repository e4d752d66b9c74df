#include "InstalmentFormula.h"

#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace InstalmentFormula {

double levelPayment(double amount, double payments, double yearlyRate)
{
    const double r = yearlyRate / 1200.0;
    if (r == 0)
        return amount / payments;
    return amount * r * std::pow(1 + r, payments - 1) / (std::pow(1 + r, payments) - 1);
}

double monthInterest(double principal, double yearlyRate)
{
    return principal * yearlyRate / 1200.0;
}

double decliningBalance(double amount, double payments, double yearlyRate)
{
    qint16 lastMonth = 0;
    try {
        lastMonth = vb::CInt(payments - 1);
    } catch (const RuntimeError&) {
        throw RuntimeError(RuntimeError::Overflow,
                           u"The declining-balance method serves at most 32768 "
                           "monthly payments."_s);
    }
    const double principalPerMonth = amount / payments;
    double interest = 0;
    for (int i = 0; i <= lastMonth; ++i)
        interest += monthInterest(amount - principalPerMonth * i, yearlyRate);
    return principalPerMonth + interest / payments;
}

} // namespace InstalmentFormula
