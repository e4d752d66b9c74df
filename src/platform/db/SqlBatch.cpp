#include "db/SqlBatch.h"

#include "db/SqlTokenizer.h"

using namespace Qt::StringLiterals;

namespace ado {

QStringList splitBatch(const QString& batch)
{
    QStringList statements;
    QString statement;
    bool significant = false;
    const auto finish = [&] {
        if (significant)
            statements.append(statement.trimmed());
        statement.clear();
        significant = false;
    };
    for (const SqlToken& token : SqlTokenizer::tokenize(batch)) {
        if (token.isSymbol(";"_L1)) {
            finish();
            continue;
        }
        statement += token.text;
        significant = significant || token.isSignificant();
    }
    finish();
    return statements;
}

} // namespace ado
