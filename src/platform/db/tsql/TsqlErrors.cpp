#include "db/tsql/TsqlErrors.h"

#include "runtime/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace ado::tsql {

void refuse(const QString& construct)
{
    throw RuntimeError(RuntimeError::DatabaseFailure,
                       u"not supported on the embedded database: "_s + construct);
}

void fail(const QString& message)
{
    throw RuntimeError(RuntimeError::DatabaseFailure, message);
}

} // namespace ado::tsql
