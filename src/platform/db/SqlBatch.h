#pragma once

#include "ostrelplatform_export.h"

#include <QStringList>

namespace ado {

// The statements of a batch in the SQL Server dialect, split at each semicolon that stands
// outside literals, quoted names and comments. A piece holding only blanks and comments is no
// statement; comments before or inside a statement stay with it.
OSTRELPLATFORM_EXPORT QStringList splitBatch(const QString& batch);

} // namespace ado
