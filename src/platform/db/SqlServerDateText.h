#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace ado {

// A text as SQL Server reads it into a date under its default language (us_english, month
// before day): 'yyyymmdd', 'yymmdd', 'yyyy-mm-dd' (also with / or . between), 'm/d/yyyy' (also
// with - or . between, or a two-digit year), 'Mon d[,] yyyy' and 'd Mon[,] yyyy' (the month's
// name whole or its first three letters), each optionally followed by a time of day, which a
// date drops; blanks around are ignored and a blank text is 1 January 1900. Any other text is
// taken for no date, with SQL Server's conversion error.
namespace SqlServerDateText {

std::optional<QDate> parse(const QString& text);

// SQL Server's message for a text that is no date.
QString conversionFailure();

} // namespace SqlServerDateText

} // namespace ado
