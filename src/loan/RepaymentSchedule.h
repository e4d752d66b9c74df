#pragma once

#include "StoredFigures.h"

#include <QDate>
#include <QList>

namespace loan {

// The repayment plan of a stored issue, in cents, as payroll recovers it: every line pays the
// stored instalment, so the lines add up to payments x instalment exactly. Nothing is carried
// from line to line but printed figures:
// - with interest, each balance is worked out afresh, in closed form from the payments still to
//   come, at the monthly rate the stored figures imply, and rounded once to the cent; a line's
//   principal is the fall of the printed balance and its interest the rest of its instalment.
//   The first payment, made at once, carries none. One payment: the excess is its interest.
// - interest-free, k payments have repaid k / payments of the amount, rounded once; what the
//   instalment differs from that line's share is its rounding.
// - where the figures imply no rate, a line shows only the instalment and what remains of
//   payments x instalment.
class RepaymentSchedule
{
public:
    struct Line
    {
        int number = 0;
        QDate month; // the first day of the month the payment falls due in
        qint64 instalment = 0;
        qint64 interest = 0;
        qint64 principal = 0;
        qint64 rounding = 0;
        qint64 balance = 0; // still owed after this payment (what remains, without a rate)
    };

    // Payments below 1, or an amount or instalment below one cent, give an empty schedule. The
    // first payment falls due in firstMonth, each further one a month later.
    static RepaymentSchedule build(double amount, int payments, double instalment,
                                   QDate firstMonth);

    const QList<Line>& lines() const { return m_lines; }
    StoredFigures::Kind kind() const { return m_kind; }
    // The implied monthly rate; 0 where none is stated (no interest, one payment, no rate).
    double monthlyRate() const { return m_monthlyRate; }

private:
    void workOutWithInterest(qint64 amount, qint64 instalment);
    void workOutInterestFree(qint64 amount, qint64 instalment);
    void workOutWithoutRate(qint64 instalment);

    QList<Line> m_lines;
    StoredFigures::Kind m_kind = StoredFigures::Kind::ImpliesNoRate;
    double m_monthlyRate = 0;
};

} // namespace loan
