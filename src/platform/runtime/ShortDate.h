#pragma once

#include "ostrelplatform_export.h"

#include <QDate>
#include <QString>

// The short date form of the locale in force (the system's unless the application set another),
// as boxes show dates. Reading a text back gives the same date it
// was made from, two-digit years included: a two-digit year is taken in the hundred years that
// run from 80 years before the reference date to 20 years after it.
namespace ShortDate {

OSTRELPLATFORM_EXPORT QString format(QDate date);

// Accepts the short date form, the same form with a four-digit year, ISO (yyyy-mm-dd) and
// yyyymmdd. An invalid QDate when none fits.
OSTRELPLATFORM_EXPORT QDate parse(const QString& text, QDate reference = QDate::currentDate());

} // namespace ShortDate
