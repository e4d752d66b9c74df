#include "issue_entry/SaveFailureMessage.h"

#include "runtime/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace {

const QString TryAgain =
    u" Nothing was saved and your entries are kept: press OK to save again.\n\nThe database said: "_s;

} // namespace

// SQLite reports a lock it waited for in vain as "database is locked"; SQL Server as a lock
// request time-out or a deadlock.
bool keptBusy(const RuntimeError& error)
{
    const QString& description = error.description();
    return description.contains(QLatin1String("locked"), Qt::CaseInsensitive) ||
           description.contains(QLatin1String("deadlock"), Qt::CaseInsensitive) ||
           description.contains(QLatin1String("lock request time"), Qt::CaseInsensitive);
}

QString saveFailureMessage(const RuntimeError& error)
{
    if (error.number() == RuntimeError::IntegrityViolation)
        return u"The issue clashes with one already stored (another clerk may have "
               "saved an issue with the same id or number at the same moment)."_s +
               TryAgain + error.description();
    if (keptBusy(error))
        return u"The database stayed busy with another clerk's work."_s + TryAgain +
               error.description();
    return error.description();
}
