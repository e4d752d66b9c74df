#pragma once

#include "ostrelplatform_export.h"

#include <QDate>
#include <QList>

namespace rpt {

// The repayment plan of a stored issue, in cents, as payroll recovers it: every line pays the
// stored instalment, so the lines add up to payments x instalment exactly. The split into
// interest and principal follows from the stored figures alone: each month's interest is taken
// on the principal still owed at the monthly rate that the amount, payments and instalment imply
// (payments due at the start of each month, so the first carries no interest). The last line
// takes the principal left; what the rounding of the instalment leaves over is its interest, or,
// where the figures imply no interest, its rounding. The balance ends at zero.
class OSTRELPLATFORM_EXPORT RepaymentSchedule
{
public:
    struct Line
    {
        int number = 0;
        QDate month; // the first day of the month the payment falls due in
        qint64 instalment = 0;
        qint64 interest = 0;
        qint64 principal = 0;
        qint64 rounding = 0; // the instalment's rounding, where the figures imply no interest
        qint64 balance = 0;  // still owed after this payment
    };

    // Payments below 1, or an amount or instalment below one cent, give an empty schedule. The
    // first payment falls due in firstMonth, each further one a month later.
    static RepaymentSchedule build(double amount, int payments, double instalment,
                                   QDate firstMonth);

    // The monthly rate the amount, payments and instalment imply (an annuity due); 0 where they
    // imply none, as for an instalment that repays no more than the amount.
    static double impliedMonthlyRate(qint64 amount, int payments, qint64 instalment);

    // Rounds an amount to cents as every amount is rounded (vb::RoundedDigits).
    static qint64 toCents(double amount);

    const QList<Line>& lines() const { return m_lines; }
    double monthlyRate() const { return m_monthlyRate; }

private:
    QList<Line> m_lines;
    double m_monthlyRate = 0;
};

} // namespace rpt
