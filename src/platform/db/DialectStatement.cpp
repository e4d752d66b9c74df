#include "db/DialectStatement.h"

using namespace Qt::StringLiterals;

namespace ado {

DialectStatement::DialectStatement(QList<SqlToken> statementTokens)
    : tokens(std::move(statementTokens))
{
    out.reserve(tokens.size());
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        out.append(tokens[i].text);
        if (tokens[i].isSignificant())
            sig.append(i);
    }
}

const SqlToken& DialectStatement::at(qsizetype p) const
{
    static const SqlToken none{SqlToken::Kind::Space, QString()};
    return p >= 0 && p < sig.size() ? tokens[sig[p]] : none;
}

qsizetype DialectStatement::closing(qsizetype open) const
{
    int depth = 0;
    for (qsizetype p = open; p < sig.size(); ++p) {
        if (at(p).isSymbol("("_L1))
            ++depth;
        else if (at(p).isSymbol(")"_L1) && --depth == 0)
            return p;
    }
    return -1;
}

qsizetype DialectStatement::opening(qsizetype close) const
{
    int depth = 0;
    for (qsizetype p = close; p >= 0; --p) {
        if (at(p).isSymbol(")"_L1))
            ++depth;
        else if (at(p).isSymbol("("_L1) && --depth == 0)
            return p;
    }
    return -1;
}

void DialectStatement::blank(qsizetype fromToken, qsizetype toToken)
{
    for (qsizetype i = fromToken; i <= toToken; ++i)
        out[i].clear();
}

} // namespace ado
