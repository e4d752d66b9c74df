#include "data/IssueLockReason.h"

using namespace Qt::StringLiterals;

namespace IssueLockReason {

QString cancelled(const QString& number, const QString& remark)
{
    const qsizetype colon = remark.indexOf(u':');
    const QString user = colon < 0 ? QString() : remark.left(colon).trimmed();
    const QString reason = remark.mid(colon + 1).trimmed();
    QString told = u"%1 was cancelled"_s.arg(number);
    if (!user.isEmpty())
        told += u" by "_s + user;
    if (!reason.isEmpty())
        told += u": "_s + reason;
    return told + u'.';
}

QString usedByPayroll(const QString& number)
{
    return u"Payroll has used %1, so money may already have been recovered on it."_s.arg(number);
}

QString deductedInMonthlyEntry(const QString& number)
{
    return u"A monthly payroll entry has deducted the instalment of %1, so money has been "
           "recovered on it."_s.arg(number);
}

} // namespace IssueLockReason
