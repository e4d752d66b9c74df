#pragma once

#include "ostrelplatform_export.h"

#include <QString>
#include <QVariant>

#include <string>

// The classic conversions the module's behaviour is defined in terms of. Failures raise
// RuntimeError with the classic numbers (Overflow, Type mismatch, Invalid use of Null).
namespace vb {

// Leading-number reading of a text: blanks anywhere are skipped, then an optional sign, digits
// with at most one point and an optional exponent; reading stops at the first other character
// (a comma included). A text with no leading number reads as 0.
OSTRELPLATFORM_EXPORT double Val(QStringView text);

// The text with blanks (spaces) removed at both ends; other white space stays.
OSTRELPLATFORM_EXPORT QString Trim(QStringView text);

// The number test of the grid and the search: optional blanks around, an optional sign, digits
// with ',' group separators, at most one '.' and an optional exponent.
OSTRELPLATFORM_EXPORT bool IsNumeric(QStringView text);
// The value of a text that passes IsNumeric (group separators ignored).
OSTRELPLATFORM_EXPORT double NumericValue(QStringView text);

// Conversions to 16- and 32-bit whole numbers round halves to even and raise Overflow beyond
// the type; a text that is not a number raises Type mismatch; Null raises Invalid use of Null.
OSTRELPLATFORM_EXPORT qint16 CInt(const QVariant& value);
OSTRELPLATFORM_EXPORT qint32 CLng(const QVariant& value);
OSTRELPLATFORM_EXPORT double CDbl(const QVariant& value);
// Zero is false, any other number true.
OSTRELPLATFORM_EXPORT bool CBool(const QVariant& value);
// A yes/no column as the module reads it: Null, which a server database may hold, is no.
OSTRELPLATFORM_EXPORT bool FlagSet(const QVariant& value);

// The plain conversion to text: 5000, 1055.63, 0.1 (up to 15 significant digits), dates in the
// system's short date form, Booleans as True/False. Null raises Invalid use of Null. Infinity
// and NaN are no amounts: they give the empty text.
OSTRELPLATFORM_EXPORT QString CStr(const QVariant& value);
// Like CStr, but Null gives the empty text (a field read into a cell or a box).
OSTRELPLATFORM_EXPORT QString TextOf(const QVariant& value);
OSTRELPLATFORM_EXPORT QString NumberToText(double value);
// The plain conversion written out in full, never in exponent form: 1E+15 is 1000000000000000,
// 1E-05 is 0.00001. How a box shows a figure of any size.
OSTRELPLATFORM_EXPORT QString NumberToFullText(double value);

// Formats with a numeric pattern of the shapes the module uses: "0.00", "###,###,##0.00",
// rounded by RoundedDigits. Infinity and NaN give the empty text.
OSTRELPLATFORM_EXPORT QString Format(double value, QStringView pattern);

// The one rounding of amounts to a number of decimals: once, half away from zero, on the value
// as the user reads and types it (its plain text of 15 significant digits), so 1.005 gives 1.01
// and 1.00499999 gives 1.00. Gives the rounded magnitude's digits scaled by 10^decimals, without
// sign or leading zeros: 1234.565 at two places is "123457", 0.004 is "0". The value must be
// finite.
OSTRELPLATFORM_EXPORT std::string RoundedDigits(double value, int decimals);

// Rounds half to even to a whole number (the rounding of CInt and of widths).
OSTRELPLATFORM_EXPORT double RoundHalfEven(double value);

} // namespace vb
