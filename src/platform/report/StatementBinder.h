#pragma once

#include "ostrelplatform_export.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace rpt {

// Fills the references of a report statement, {@intCompanyID} or {issues}, with the SQL text
// the caller gives for each name (a literal or a checked table name). "{{" and "}}" stand for
// the braces themselves; nothing else of the statement is touched.
class OSTRELPLATFORM_EXPORT StatementBinder
{
public:
    // The names referred to, in order. Raises RuntimeError (ReportFile) on a malformed one.
    static QStringList references(const QString& sql);
    static QString bind(const QString& sql, const std::function<QString(const QString&)>& sqlOf);
};

} // namespace rpt
