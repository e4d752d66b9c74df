#include "db/SqlServerDateText.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace ado::SqlServerDateText {

namespace {

// hh:mm[:ss[.fraction]] with an optional AM or PM.
bool isTimeOfDay(const QString& text)
{
    static const QRegularExpression time(
        u"^(\\d{1,2}):(\\d{2})(?::(\\d{2})(?:\\.\\d{1,7})?)?\\s*(am|pm)?$"_s,
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = time.match(text);
    if (!m.hasMatch())
        return false;
    const int hour = m.captured(1).toInt();
    const int limit = m.capturedLength(4) > 0 ? 12 : 23;
    return hour <= limit && m.captured(2).toInt() <= 59 && m.captured(3).toInt() <= 59;
}

int fullYear(const QString& year)
{
    // SQL Server's two-digit year cutoff: 49 is 2049, 50 is 1950.
    const int y = year.toInt();
    return year.size() > 2 ? y : (y <= 49 ? 2000 + y : 1900 + y);
}

// A month's us_english name, whole or its first three letters; 0 for none.
int monthNamed(const QString& name)
{
    static const char* const months[] = {"january",   "february", "march",    "april",
                                         "may",       "june",     "july",     "august",
                                         "september", "october",  "november", "december"};
    for (int i = 0; i < 12; ++i) {
        const QLatin1StringView month(months[i]);
        if (name.compare(month, Qt::CaseInsensitive) == 0 ||
            (name.size() == 3 && month.startsWith(name, Qt::CaseInsensitive)))
            return i + 1;
    }
    return 0;
}

} // namespace

std::optional<QDate> parse(const QString& text)
{
    static const QRegularExpression compact(u"^(\\d{4})(\\d{2})(\\d{2})(?:\\s+(.*))?$"_s);
    static const QRegularExpression compactShort(u"^(\\d{2})(\\d{2})(\\d{2})(?:\\s+(.*))?$"_s);
    static const QRegularExpression iso(
        u"^(\\d{4})([-/.])(\\d{1,2})\\2(\\d{1,2})(?:(?:\\s+|T)(.*))?$"_s);
    static const QRegularExpression monthNameFirst(
        u"^([a-z]+)\\s+(\\d{1,2}),?\\s+(\\d{4})(?:\\s+(.*))?$"_s,
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression dayFirst(
        u"^(\\d{1,2})\\s+([a-z]+),?\\s+(\\d{4})(?:\\s+(.*))?$"_s,
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression monthFirst(
        u"^(\\d{1,2})([/.-])(\\d{1,2})\\2(\\d{4}|\\d{2})(?:\\s+(.*))?$"_s);
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QDate(1900, 1, 1);
    QDate date;
    QString time;
    QRegularExpressionMatch m;
    if ((m = compact.match(trimmed)).hasMatch()) {
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        time = m.captured(4);
    } else if ((m = compactShort.match(trimmed)).hasMatch()) {
        date = QDate(fullYear(m.captured(1)), m.captured(2).toInt(), m.captured(3).toInt());
        time = m.captured(4);
    } else if ((m = iso.match(trimmed)).hasMatch()) {
        date = QDate(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
        time = m.captured(5);
    } else if ((m = monthNameFirst.match(trimmed)).hasMatch()) {
        date = QDate(m.captured(3).toInt(), monthNamed(m.captured(1)), m.captured(2).toInt());
        time = m.captured(4);
    } else if ((m = dayFirst.match(trimmed)).hasMatch()) {
        date = QDate(m.captured(3).toInt(), monthNamed(m.captured(2)), m.captured(1).toInt());
        time = m.captured(4);
    } else if ((m = monthFirst.match(trimmed)).hasMatch()) {
        date = QDate(fullYear(m.captured(4)), m.captured(1).toInt(), m.captured(3).toInt());
        time = m.captured(5);
    }
    if (!date.isValid() || (!time.isEmpty() && !isTimeOfDay(time)))
        return std::nullopt;
    return date;
}

QString conversionFailure()
{
    return u"Conversion failed when converting date and/or time from character string."_s;
}

} // namespace ado::SqlServerDateText
