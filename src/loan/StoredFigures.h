#pragma once

#include <QString>
#include <QtGlobal>

// What an issue's stored amount, payments and instalment say about its interest. Amounts are in
// cents; a payment falls due at the start of each month, the first at once.
namespace loan::StoredFigures {

enum class Kind {
    // The instalment repays the amount with interest. With two or more payments the figures
    // imply a monthly rate; one payment above the amount by more than a cent is interest too.
    Interest,
    // The amount divided by the payments, rounded once, is the instalment (with one payment:
    // the instalment is within a cent of the amount): no interest, only rounding.
    InterestFree,
    // No rate repays the amount with these figures: the instalment alone repays it with two or
    // more payments, or payments x instalment falls short of it beyond a 0 % instalment's
    // rounding (one payment more than a cent short). Also no amount, payments or instalment.
    ImpliesNoRate,
};

Kind classify(qint64 amount, int payments, qint64 instalment);

// Why the figures imply no interest rate, as a sentence for the clerk; empty for the others.
QString whyNoRate(qint64 amount, int payments, qint64 instalment);

// The monthly rate at which the instalment, paid every month with the first at once, repays
// the amount; 0 unless the figures are Interest with two or more payments.
double impliedMonthlyRate(qint64 amount, int payments, qint64 instalment);

// What the payments after the first are worth, per unit of instalment, when the first was paid
// at once and `remaining` follow a month apart, at the monthly rate.
double laterWorth(int remaining, double monthlyRate);

// An amount in cents, rounded once as every amount is printed (rpt::FieldFormat::centsOf).
qint64 toCents(double amount);

// k / n of the amount in cents, rounded half away from zero; 0 <= k <= n, n >= 1.
qint64 shareOf(qint64 amount, int k, int n);

} // namespace loan::StoredFigures
