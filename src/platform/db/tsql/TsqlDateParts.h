#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace ado::tsql {

// The parts DATEPART, DATEADD and DATEDIFF name, by SQL Server's rules under us_english with
// Sunday the first day of the week.
enum class DatePart {
    Year,
    Quarter,
    Month,
    DayOfYear,
    Day,
    Week,
    Weekday,
    Hour,
    Minute,
    Second,
    Millisecond
};

// The part a name or abbreviation (year, yy, yyyy, ...) stands for, in any case; none for a name
// SQL Server does not know or the front end does not give its meaning.
std::optional<DatePart> datePart(const QString& name);
// Whether the part is a time of day, which a date does not have.
bool isTimePart(DatePart part);

// A date or datetime as the embedded engine stores it (yyyy-MM-dd[ hh:mm:ss[.zzz]]).
std::optional<QDateTime> storedMoment(const QString& text);
QString storedText(const QDateTime& moment, bool withTime);

// DATEPART's answer.
int partOf(DatePart part, const QDateTime& moment);
// DATEADD's answer; none when it leaves the type's range (years 1-9999, a datetime's from 1753).
std::optional<QDateTime> added(DatePart part, qint64 number, const QDateTime& moment,
                               bool withTime);
// DATEDIFF's answer: the part's boundaries crossed from `start` to `end`, weeks starting on
// Sunday; none beyond int.
std::optional<int> boundaries(DatePart part, const QDateTime& start, const QDateTime& end);

} // namespace ado::tsql
