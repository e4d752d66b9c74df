#pragma once

#include "ostrelplatform_export.h"

#include <QString>
#include <QVariant>

namespace rpt {

// The formats a report field may name after a colon: {issue.liOpeningBalance:money}.
class OSTRELPLATFORM_EXPORT FieldFormat
{
public:
    static bool isKnown(const QString& format);
    // The value as text; Null gives the empty text (yesno: "No").
    static QString apply(const QVariant& value, const QString& format);
    // The whole cents the money format shows for an amount (rounded once, half away from zero,
    // vb::RoundedDigits); 0 for an amount that is not finite or beyond any kept in cents.
    static qint64 centsOf(double amount);
    // A date held as a date, a date-time or ISO text; an invalid date otherwise.
    static QDate dateOf(const QVariant& value);
};

} // namespace rpt
