#include "db/StatementClassifier.h"

#include "db/SqlTokenizer.h"

using namespace Qt::StringLiterals;

namespace ado {

namespace {

// Refused wherever they stand: the dialect needs no semicolon between statements, so a commit may
// follow an update inside one piece of a batch.
constexpr QLatin1StringView alwaysRefused[] = {"begin"_L1,  "commit"_L1,   "rollback"_L1,
                                               "attach"_L1, "detach"_L1,   "vacuum"_L1,
                                               "pragma"_L1, "savepoint"_L1};

bool isAnyOf(const SqlToken& token, std::initializer_list<QLatin1StringView> words)
{
    for (QLatin1StringView word : words) {
        if (token.isWord(word))
            return true;
    }
    return false;
}

} // namespace

StatementClass classifyStatement(const QString& statement)
{
    QList<SqlToken> tokens = SqlTokenizer::tokenize(statement);
    tokens.removeIf([](const SqlToken& token) { return !token.isSignificant(); });
    const auto refused = [](const SqlToken& token) {
        return StatementClass{StatementClass::Kind::Refused, token.text};
    };
    if (tokens.isEmpty())
        return {};
    // The engine's own way to end a savepoint, and with it perhaps the transaction.
    if (tokens.front().isWord("release"_L1))
        return refused(tokens.front());
    int openCases = 0;
    bool stores = false;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const SqlToken& token = tokens[i];
        for (QLatin1StringView word : alwaysRefused) {
            if (token.isWord(word))
                return refused(token);
        }
        if (token.isWord("save"_L1) && i + 1 < tokens.size() &&
            isAnyOf(tokens[i + 1], {"tran"_L1, "transaction"_L1}))
            return refused(token);
        if (token.isWord("case"_L1))
            ++openCases;
        // An end that closes no case ends a transaction (or a block the batch cannot hold).
        if (token.isWord("end"_L1) && openCases-- == 0)
            return refused(token);
        stores = stores || token.isWord("into"_L1);
    }
    const bool reads = tokens.front().isWord("select"_L1) && !stores;
    return {reads ? StatementClass::Kind::Read : StatementClass::Kind::Write, {}};
}

} // namespace ado
