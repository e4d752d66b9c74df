#include "RepaymentPlanProvider.h"

#include "RepaymentSchedule.h"
#include "report/FieldFormat.h"
#include "report/ReportErrors.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace loan {

namespace {

// Longer plans than this are no loans a payroll keeps; refusing them keeps a damaged row from
// filling the memory with pages.
constexpr double maxPayments = 9999;

QVariant input(const QVariantMap& inputs, const QString& name)
{
    const auto found = inputs.constFind(name);
    if (found == inputs.cend())
        throw RuntimeError(rpt::errors::ReportFile,
                           u"The repayment plan needs the input \"%1\"."_s.arg(name));
    return *found;
}

double number(const QVariantMap& inputs, const QString& name)
{
    const QVariant value = input(inputs, name);
    return value.isNull() ? 0.0 : vb::CDbl(value);
}

} // namespace

const QString RepaymentPlanProvider::name = u"repayment plan"_s;

rpt::ScheduleProvider::Result RepaymentPlanProvider::work(const QVariantMap& inputs) const
{
    const double payments = vb::RoundHalfEven(number(inputs, u"payments"_s));
    if (payments > maxPayments)
        throw RuntimeError(rpt::errors::NoData, u"The repayment schedule of %1 payments "
                                                "is too long to print."_s.arg(payments));
    const QVariant firstMonthValue = input(inputs, u"first month"_s);
    const QDate firstMonth = rpt::FieldFormat::dateOf(firstMonthValue);
    if (!firstMonth.isValid())
        throw RuntimeError(rpt::errors::NoData,
                           u"The repayment schedule has no first month: \"%1\" is not a "
                           "date."_s.arg(vb::TextOf(firstMonthValue)));
    const RepaymentSchedule plan = RepaymentSchedule::build(
        number(inputs, u"amount"_s), int(payments), number(inputs, u"instalment"_s), firstMonth);

    // Only the columns the figures give are filled, so that the layout can leave the others out:
    // interest where there is interest, rounding where it arises, neither without a rate.
    const bool interest = plan.kind() == StoredFigures::Kind::Interest;
    const bool split = plan.kind() != StoredFigures::Kind::ImpliesNoRate;
    auto amount = [](qint64 cents) { return double(cents) / 100.0; };
    auto shown = [&](bool filled, qint64 cents) {
        return filled ? QVariant(amount(cents)) : QVariant();
    };
    Result result;
    result.lines.columns = {u"number"_s,    u"month"_s,    u"instalment"_s, u"interest"_s,
                            u"principal"_s, u"rounding"_s, u"balance"_s};
    for (const RepaymentSchedule::Line& line : plan.lines()) {
        result.lines.rows.append({line.number, line.month, amount(line.instalment),
                                  shown(interest, line.interest), shown(split, line.principal),
                                  shown(line.rounding != 0, line.rounding), amount(line.balance)});
    }
    const qint64 owed = StoredFigures::toCents(number(inputs, u"amount"_s));
    const qint64 due = StoredFigures::toCents(number(inputs, u"instalment"_s));
    const QString noRate =
        plan.lines().isEmpty() ? QString() : StoredFigures::whyNoRate(owed, int(payments), due);
    result.terms.columns = {u"yearlyRate"_s, u"noRate"_s};
    result.terms.rows.append(
        {plan.monthlyRate() > 0 ? QVariant(plan.monthlyRate() * 1200) : QVariant(),
         noRate.isEmpty() ? QVariant() : QVariant(noRate)});
    return result;
}

} // namespace loan
