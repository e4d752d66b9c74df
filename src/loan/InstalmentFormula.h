#pragma once

// The monthly instalment of an issue under the two interest methods a company can choose.
// Amounts are in the loan type's currency, rates in percent a year.
namespace InstalmentFormula {

// Level payment: the equal payment, due at the start of each month, that repays the amount
// with interest over the payments (an annuity due at R / 1200 a month); amount / payments at 0 %.
double levelPayment(double amount, double payments, double yearlyRate);

// One month's interest on the principal outstanding in that month.
double monthInterest(double principal, double yearlyRate);

// Declining balance: amount / payments plus the interest of every month, each on the principal
// still outstanding that month, spread evenly over the payments. Months are counted in a 16-bit
// index: more than 32768 payments raise RuntimeError (Overflow).
double decliningBalance(double amount, double payments, double yearlyRate);

} // namespace InstalmentFormula
