#include "RepaymentSchedule.h"

#include <algorithm>
#include <cmath>

namespace loan {

RepaymentSchedule RepaymentSchedule::build(double amount, int payments, double instalment,
                                           QDate firstMonth)
{
    const qint64 owed = StoredFigures::toCents(amount);
    const qint64 due = StoredFigures::toCents(instalment);
    RepaymentSchedule schedule;
    if (payments < 1 || owed < 1 || due < 1)
        return schedule;
    const QDate first(firstMonth.year(), firstMonth.month(), 1);
    for (int k = 1; k <= payments; ++k)
        schedule.m_lines.append({k, first.addMonths(k - 1), due, 0, 0, 0, 0});
    schedule.m_kind = StoredFigures::classify(owed, payments, due);
    switch (schedule.m_kind) {
    case StoredFigures::Kind::Interest:
        schedule.workOutWithInterest(owed, due);
        break;
    case StoredFigures::Kind::InterestFree:
        schedule.workOutInterestFree(owed, due);
        break;
    case StoredFigures::Kind::ImpliesNoRate:
        schedule.workOutWithoutRate(due);
        break;
    }
    return schedule;
}

void RepaymentSchedule::workOutWithInterest(qint64 amount, qint64 instalment)
{
    const int payments = int(m_lines.size());
    m_monthlyRate = StoredFigures::impliedMonthlyRate(amount, payments, instalment);
    qint64 opening = amount;
    for (Line& line : m_lines) {
        const int remaining = payments - line.number;
        qint64 balance = 0;
        if (remaining > 0) {
            const double exact =
                double(instalment) * StoredFigures::laterWorth(remaining, m_monthlyRate);
            // The exact balance falls by 0 to one instalment a month, and so do the rounded
            // ones; only floating-point noise on a fall far below a cent could make it rise.
            balance = std::clamp(std::llround(exact), opening - instalment, opening);
        }
        line.principal = opening - balance;
        line.interest = instalment - line.principal;
        line.balance = balance;
        opening = balance;
    }
}

void RepaymentSchedule::workOutInterestFree(qint64 amount, qint64 instalment)
{
    const int payments = int(m_lines.size());
    for (Line& line : m_lines) {
        line.principal = StoredFigures::shareOf(amount, line.number, payments) -
                         StoredFigures::shareOf(amount, line.number - 1, payments);
        line.rounding = instalment - line.principal;
        line.balance = amount - StoredFigures::shareOf(amount, line.number, payments);
    }
}

void RepaymentSchedule::workOutWithoutRate(qint64 instalment)
{
    const int payments = int(m_lines.size());
    for (Line& line : m_lines)
        line.balance = instalment * (payments - line.number);
}

} // namespace loan
