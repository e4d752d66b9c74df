#include "db/tsql/TsqlDateParts.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace ado::tsql {

namespace {

struct PartName
{
    QLatin1StringView name;
    DatePart part;
};

const PartName partNames[] = {
    {"year"_L1, DatePart::Year},       {"yy"_L1, DatePart::Year},
    {"yyyy"_L1, DatePart::Year},       {"quarter"_L1, DatePart::Quarter},
    {"qq"_L1, DatePart::Quarter},      {"q"_L1, DatePart::Quarter},
    {"month"_L1, DatePart::Month},     {"mm"_L1, DatePart::Month},
    {"m"_L1, DatePart::Month},         {"dayofyear"_L1, DatePart::DayOfYear},
    {"dy"_L1, DatePart::DayOfYear},    {"y"_L1, DatePart::DayOfYear},
    {"day"_L1, DatePart::Day},         {"dd"_L1, DatePart::Day},
    {"d"_L1, DatePart::Day},           {"week"_L1, DatePart::Week},
    {"wk"_L1, DatePart::Week},         {"ww"_L1, DatePart::Week},
    {"weekday"_L1, DatePart::Weekday}, {"dw"_L1, DatePart::Weekday},
    {"w"_L1, DatePart::Weekday},       {"hour"_L1, DatePart::Hour},
    {"hh"_L1, DatePart::Hour},         {"minute"_L1, DatePart::Minute},
    {"mi"_L1, DatePart::Minute},       {"n"_L1, DatePart::Minute},
    {"second"_L1, DatePart::Second},   {"ss"_L1, DatePart::Second},
    {"s"_L1, DatePart::Second},        {"millisecond"_L1, DatePart::Millisecond},
    {"ms"_L1, DatePart::Millisecond}};

// Days since Sunday, 0 to 6.
int sinceSunday(const QDate& date)
{
    return date.dayOfWeek() % 7;
}

// A count along one scale: whole parts since a fixed origin.
qint64 scale(DatePart part, const QDateTime& m)
{
    const QDate d = m.date();
    const QTime t = m.time();
    const qint64 day = d.toJulianDay();
    switch (part) {
    case DatePart::Year:
        return d.year();
    case DatePart::Quarter:
        return d.year() * 4LL + (d.month() - 1) / 3;
    case DatePart::Month:
        return d.year() * 12LL + d.month() - 1;
    case DatePart::Week:
        return (day - sinceSunday(d)) / 7;
    case DatePart::Hour:
        return day * 24 + t.hour();
    case DatePart::Minute:
        return (day * 24 + t.hour()) * 60 + t.minute();
    case DatePart::Second:
        return ((day * 24 + t.hour()) * 60 + t.minute()) * 60 + t.second();
    case DatePart::Millisecond:
        return (((day * 24 + t.hour()) * 60 + t.minute()) * 60 + t.second()) * 1000 + t.msec();
    default:
        return day;
    }
}

} // namespace

std::optional<DatePart> datePart(const QString& name)
{
    for (const PartName& p : partNames) {
        if (name.compare(p.name, Qt::CaseInsensitive) == 0)
            return p.part;
    }
    return std::nullopt;
}

bool isTimePart(DatePart part)
{
    return part >= DatePart::Hour;
}

std::optional<QDateTime> storedMoment(const QString& text)
{
    const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
    if (!date.isValid())
        return std::nullopt;
    if (text.size() <= 10)
        return QDateTime(date, QTime(0, 0));
    const QString clock = text.mid(11);
    const QTime time =
        QTime::fromString(clock, clock.size() > 8 ? u"hh:mm:ss.zzz"_s : u"hh:mm:ss"_s);
    if (!time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

QString storedText(const QDateTime& moment, bool withTime)
{
    return moment.toString(withTime ? u"yyyy-MM-dd hh:mm:ss.zzz"_s : u"yyyy-MM-dd"_s);
}

int partOf(DatePart part, const QDateTime& moment)
{
    const QDate d = moment.date();
    const QTime t = moment.time();
    switch (part) {
    case DatePart::Year:
        return d.year();
    case DatePart::Quarter:
        return (d.month() + 2) / 3;
    case DatePart::Month:
        return d.month();
    case DatePart::DayOfYear:
        return d.dayOfYear();
    case DatePart::Day:
        return d.day();
    case DatePart::Week: // the week holding January 1 is the first
        return (d.dayOfYear() - 1 + sinceSunday(QDate(d.year(), 1, 1))) / 7 + 1;
    case DatePart::Weekday:
        return sinceSunday(d) + 1;
    case DatePart::Hour:
        return t.hour();
    case DatePart::Minute:
        return t.minute();
    case DatePart::Second:
        return t.second();
    case DatePart::Millisecond:
        return t.msec();
    }
    return 0;
}

std::optional<QDateTime> added(DatePart part, qint64 number, const QDateTime& moment, bool withTime)
{
    QDateTime result = moment;
    const QDate d = moment.date();
    switch (part) {
    case DatePart::Year:
    case DatePart::Quarter:
    case DatePart::Month: {
        // Whole months, the day kept or cut to the new month's last.
        const qint64 months = number * (part == DatePart::Year      ? 12
                                        : part == DatePart::Quarter ? 3
                                                                    : 1);
        const qint64 index = d.year() * 12LL + d.month() - 1 + months;
        if (index < 12 || index >= 10000 * 12)
            return std::nullopt;
        const QDate first(int(index / 12), int(index % 12) + 1, 1);
        result.setDate(first.addDays(std::min(d.day(), first.daysInMonth()) - 1));
        break;
    }
    case DatePart::Week:
        result = moment.addDays(number * 7);
        break;
    case DatePart::DayOfYear:
    case DatePart::Day:
    case DatePart::Weekday:
        result = moment.addDays(number);
        break;
    case DatePart::Hour:
        result = moment.addSecs(number * 3600);
        break;
    case DatePart::Minute:
        result = moment.addSecs(number * 60);
        break;
    case DatePart::Second:
        result = moment.addSecs(number);
        break;
    case DatePart::Millisecond:
        result = moment.addMSecs(number);
        break;
    }
    const int year = result.date().year();
    if (!result.isValid() || year < (withTime ? 1753 : 1) || year > 9999)
        return std::nullopt;
    return result;
}

std::optional<int> boundaries(DatePart part, const QDateTime& start, const QDateTime& end)
{
    const qint64 n = scale(part, end) - scale(part, start);
    if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(n);
}

} // namespace ado::tsql
