#include "issue_entry/IssueFigures.h"

#include "StoredFigures.h"
#include "runtime/Conversions.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

bool positive(double value)
{
    return value > 0 && std::isfinite(value);
}

// Cents of a positive finite amount, rounded once as every amount is; -1 beyond the highest.
qint64 centsOf(double value)
{
    if (!positive(value))
        return 0;
    if (value >= double(IssueFigures::highestCents) / 100 + 1)
        return -1; // far past it: no cents to work out
    const qint64 cents = loan::StoredFigures::toCents(value);
    return cents > IssueFigures::highestCents ? -1 : cents;
}

} // namespace

IssueFigures::IssueFigures(const QString& amount, const QString& payments,
                           const QString& instalment)
    : m_amountValue(vb::Val(amount)), m_instalmentValue(vb::Val(instalment)),
      m_payments(vb::Val(payments)), m_amountCents(centsOf(m_amountValue)),
      m_instalmentCents(centsOf(m_instalmentValue))
{
}

double IssueFigures::currentBalance() const
{
    return double(m_instalmentCents * qint64(m_payments)) / 100;
}

IssueFigures::Refusal IssueFigures::refusal(const QString& amountName) const
{
    const QString highest = vb::Format(double(highestCents) / 100, u"###,###,##0.00");
    const QString amount = u"The %1 amount"_s.arg(amountName);
    if (!positive(m_amountValue))
        return {amount + u" must be more than 0."_s, Box::Amount};
    if (m_amountCents == 0)
        return {amount + u" rounds to 0.00; it must be at least 0.01."_s, Box::Amount};
    if (m_amountCents < 0)
        return {amount + u" must not exceed %1."_s.arg(highest), Box::Amount};
    if (!positive(m_payments))
        return {u"The number of payments must be more than 0."_s, Box::Payments};
    if (m_payments != std::floor(m_payments) || m_payments > mostPayments)
        return {u"The number of payments must be a whole number from 1 to %1."_s.arg(
                    vb::Format(mostPayments, u"###,###,##0")),
                Box::Payments};
    if (!positive(m_instalmentValue))
        return {u"The instalment must be more than 0. It could not be worked out for this "
                "application: check the loan type's interest rate and the application's "
                "instalment."_s,
                Box::Instalment};
    if (m_instalmentCents == 0)
        return {u"The instalment rounds to 0.00; it must be at least 0.01."_s, Box::Instalment};
    if (m_instalmentCents < 0 || m_instalmentCents > highestCents / qint64(m_payments))
        return {u"The instalment times the number of payments must not exceed %1."_s.arg(highest),
                Box::Instalment};
    // Figures no interest rate explains would print a statement that cannot add up.
    const QString noRate =
        loan::StoredFigures::whyNoRate(m_amountCents, int(m_payments), m_instalmentCents);
    if (!noRate.isEmpty())
        return {noRate + u" It cannot be issued with these figures."_s, Box::Instalment};
    return {};
}

QString figureBoxText(const QVariant& value)
{
    if (value.isNull())
        return QString();
    if (value.typeId() != QMetaType::QString)
        return vb::NumberToFullText(vb::CDbl(value));
    const QString text = value.toString();
    return vb::IsNumeric(text) ? vb::NumberToFullText(vb::NumericValue(text)) : text;
}

QString amountBoxText(const QVariant& value)
{
    const QString figure = figureBoxText(value);
    if (!vb::IsNumeric(figure))
        return figure;
    return vb::NumberToFullText(vb::Val(vb::Format(vb::NumericValue(figure), u"0.00")));
}
