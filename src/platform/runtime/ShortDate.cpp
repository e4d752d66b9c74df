#include "runtime/ShortDate.h"

#include <QLocale>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace ShortDate {

namespace {

QString systemFormat()
{
    return QLocale().dateFormat(QLocale::ShortFormat);
}

bool hasTwoDigitYear(const QString& fmt)
{
    return fmt.contains(QLatin1String("yy")) && !fmt.contains(QLatin1String("yyyy"));
}

} // namespace

QString format(QDate date)
{
    if (!date.isValid())
        return QString();
    return QLocale().toString(date, systemFormat());
}

QDate parse(const QString& text, QDate reference)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QDate();
    const QString fmt = systemFormat();
    const QLocale locale = QLocale();

    if (hasTwoDigitYear(fmt)) {
        QString wide = fmt;
        wide.replace(QLatin1String("yy"), QLatin1String("yyyy"));
        QDate date = locale.toDate(t, wide);
        if (date.isValid() && date.year() >= 1000)
            return date;
        date = locale.toDate(t, fmt);
        if (date.isValid()) {
            const int yy = date.year() % 100;
            const int lowest = reference.year() - 80;
            int year = (lowest / 100) * 100 + yy;
            if (year < lowest)
                year += 100;
            return QDate(year, date.month(), date.day());
        }
    } else {
        const QDate date = locale.toDate(t, fmt);
        if (date.isValid())
            return date;
    }
    static const QRegularExpression iso(u"^(\\d{4})-(\\d{2})-(\\d{2})"_s);
    static const QRegularExpression compact(u"^(\\d{4})(\\d{2})(\\d{2})$"_s);
    for (const auto* re : {&iso, &compact}) {
        const auto m = re->match(t);
        if (m.hasMatch())
            return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    }
    return QDate();
}

} // namespace ShortDate
