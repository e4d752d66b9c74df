#include "report/FieldFormat.h"

#include "runtime/Conversions.h"
#include "runtime/ShortDate.h"

#include <QDateTime>
#include <QLocale>
#include <charconv>
#include <cmath>
#include <string>

using namespace Qt::StringLiterals;

namespace rpt {

namespace {
const QStringList knownFormats = {u"money"_s,    u"rate"_s,  u"date"_s, u"month"_s,
                                  u"datetime"_s, u"yesno"_s, u"user"_s, u"reason"_s};
}

bool FieldFormat::isKnown(const QString& format)
{
    return format.isEmpty() || knownFormats.contains(format, Qt::CaseInsensitive);
}

qint64 FieldFormat::centsOf(double amount)
{
    if (!std::isfinite(amount))
        return 0;
    const std::string digits = vb::RoundedDigits(amount, 2);
    qint64 cents = 0;
    if (std::from_chars(digits.data(), digits.data() + digits.size(), cents).ec != std::errc())
        return 0;
    return amount < 0 ? -cents : cents;
}

QDate FieldFormat::dateOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().date();
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

QString FieldFormat::apply(const QVariant& value, const QString& format)
{
    const QString f = format.toLower();
    if (f == u"yesno")
        return vb::FlagSet(value) ? u"Yes"_s : u"No"_s;
    if (value.isNull())
        return {};
    if (f == u"user" || f == u"reason") {
        // A cancellation remark is the user, a colon and the reason; one without a colon is all
        // reason.
        const QString remark = vb::TextOf(value);
        const qsizetype colon = remark.indexOf(u':');
        if (f == u"user")
            return colon < 0 ? QString() : remark.left(colon).trimmed();
        return remark.sliced(colon + 1).trimmed();
    }
    if (f == u"money")
        return vb::Format(vb::CDbl(value), u"###,###,##0.00");
    if (f == u"rate")
        return vb::Format(vb::CDbl(value), u"0.0000");
    if (f == u"date" || f == u"month") {
        const QDate date = dateOf(value);
        if (!date.isValid())
            return vb::TextOf(value);
        return f == u"date" ? ShortDate::format(date)
                            : QLocale::system().toString(date, u"MMM yyyy"_s);
    }
    if (f == u"datetime") {
        const QDateTime moment = value.toDateTime();
        return ShortDate::format(moment.date()) + u' ' +
               QLocale::system().toString(moment.time(), QLocale::ShortFormat);
    }
    return vb::TextOf(value);
}

} // namespace rpt
