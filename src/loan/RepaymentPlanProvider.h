#pragma once

#include "report/ScheduleProvider.h"

namespace loan {

// The repayment plan of a stored issue for the report engine: a [schedule] section naming the
// provider "repayment plan" hands in amount, payments (rounded to whole months), instalment and
// first month (a date), and gets one row per payment with number, month, instalment, interest,
// principal, rounding and balance, and as its terms the implied yearly rate (yearlyRate) and,
// for figures that imply none, why (noRate).
class RepaymentPlanProvider : public rpt::ScheduleProvider
{
public:
    static const QString name;

    // Raises RuntimeError (NoData) for a plan too long to print or without a first month, and
    // (ReportFile) when an input is not handed in.
    Result work(const QVariantMap& inputs) const override;
};

} // namespace loan
