#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace ado {

// A text as SQL Server reads it into a date under its default language (us_english, month
// before day): 'yyyymmdd', 'yyyy-mm-dd' and 'm/d/yyyy' (also with - or . between, or a
// two-digit year), each optionally followed by a time of day, which a date drops; blanks
// around are ignored and a blank text is 1 January 1900. Any other text is refused as no date,
// with SQL Server's conversion error, even where SQL Server would read it (a month name, say):
// refused rather than read with another meaning.
namespace SqlServerDateText {

std::optional<QDate> parse(const QString& text);

// SQL Server's message for a text that is no date.
QString conversionFailure();

} // namespace SqlServerDateText

} // namespace ado
