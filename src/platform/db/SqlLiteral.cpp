#include "platform/db/SqlLiteral.h"

namespace ado {

QString quotedText(const QString& text)
{
    QString quoted = text;
    return quoted.replace(u'\'', QStringLiteral("''"));
}

} // namespace ado
