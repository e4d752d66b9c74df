#pragma once

#include "db/SqlToken.h"

#include <QList>
#include <QStringView>

namespace ado {

// Splits a statement in the SQL Server dialect into tokens. Literals, quoted names and comments
// are single tokens, so nothing inside them can be mistaken for a keyword; an unterminated one
// runs to the end of the text and the engine reports it.
class SqlTokenizer
{
public:
    static QList<SqlToken> tokenize(QStringView sql);
};

} // namespace ado
