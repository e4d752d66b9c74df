#pragma once

#include "ostrelplatform_export.h"

#include "platform/report/InterestMethod.h"

#include <QDate>
#include <QList>

namespace rpt {

// The repayment plan of an issue: one line per monthly payment, in cents, split into interest
// and principal as the company's interest method forms the instalment. Every line but the last
// pays the rounded instalment; the last one clears what is left, so the lines add up exactly
// to the totals and the balance ends at zero.
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
        qint64 balance = 0; // still owed after this payment
    };

    // payments below 1 or an amount below one cent give an empty schedule. The first payment
    // falls due in firstMonth, each further one a month later.
    static RepaymentSchedule build(double amount, int payments, double yearlyRatePercent,
                                   InterestMethod method, QDate firstMonth);

    // The unrounded instalment, as the issue entry works it out (payments need not be whole).
    static double instalment(double amount, double payments, double yearlyRatePercent,
                             InterestMethod method);

    // Rounds an amount to cents, half away from zero on its decimal digits as written.
    static qint64 toCents(double amount);

    const QList<Line>& lines() const { return m_lines; }
    qint64 totalInstalments() const;
    qint64 totalInterest() const;
    qint64 totalPrincipal() const;

private:
    static RepaymentSchedule levelPayment(qint64 amount, int payments, double yearlyRatePercent,
                                          QDate firstMonth);
    static RepaymentSchedule decliningBalance(double amount, int payments, double monthlyRate,
                                              QDate firstMonth);
    void append(qint64 interest, qint64 principal, qint64 balance, QDate firstMonth);

    QList<Line> m_lines;
};

} // namespace rpt
