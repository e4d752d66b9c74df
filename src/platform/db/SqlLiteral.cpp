#include "db/SqlLiteral.h"

using namespace Qt::StringLiterals;

namespace ado {

QString quotedText(const QString& text)
{
    QString quoted = text;
    return quoted.replace(u'\'', u"''"_s);
}

} // namespace ado
