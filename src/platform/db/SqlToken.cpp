#include "db/SqlToken.h"

using namespace Qt::StringLiterals;

namespace ado {

QString SqlToken::name() const
{
    if (kind != Kind::QuotedName || text.size() < 2)
        return text;
    const QChar close = text.front() == u'[' ? u']' : text.front();
    QString inner = text.mid(1, text.back() == close ? text.size() - 2 : text.size() - 1);
    return inner.replace(QString(2, close), QString(close));
}

QString SqlToken::stringValue() const
{
    QString inner =
        text.mid(1, text.size() >= 2 && text.back() == u'\'' ? text.size() - 2 : text.size() - 1);
    return inner.replace(u"''"_s, u"'"_s);
}

} // namespace ado
