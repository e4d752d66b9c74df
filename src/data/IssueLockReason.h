#pragma once

#include <QString>

// Why an issue can no longer be changed or cancelled, in the words the clerk is shown.
namespace IssueLockReason {

// From the cancellation remark the reason dialog stored: the user's name, a colon, the reason.
QString cancelled(const QString& number, const QString& remark);
QString usedByPayroll(const QString& number);
QString deductedInMonthlyEntry(const QString& number);

} // namespace IssueLockReason
