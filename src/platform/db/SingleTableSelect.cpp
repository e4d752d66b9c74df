#include "db/SingleTableSelect.h"

#include "db/SqlTokenizer.h"

using namespace Qt::StringLiterals;

namespace ado {

namespace {

QList<SqlToken> significantTokens(QStringView sql)
{
    QList<SqlToken> tokens = SqlTokenizer::tokenize(sql);
    tokens.removeIf([](const SqlToken& t) { return !t.isSignificant(); });
    return tokens;
}

bool isClauseKeyword(const SqlToken& t)
{
    static const QLatin1StringView keywords[] = {
        "where"_L1, "order"_L1, "group"_L1, "having"_L1, "union"_L1,
        "join"_L1,  "inner"_L1, "left"_L1,  "right"_L1,  "full"_L1,
        "cross"_L1, "outer"_L1, "with"_L1,  "except"_L1, "intersect"_L1};
    for (const auto& keyword : keywords) {
        if (t.isWord(keyword))
            return true;
    }
    return false;
}

} // namespace

QString SingleTableSelect::tableOf(QStringView sql)
{
    const QList<SqlToken> t = significantTokens(sql);
    if (t.isEmpty() || !t.front().isWord("select"_L1))
        return QString();
    qsizetype from = -1;
    int depth = 0;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].isSymbol("("_L1))
            ++depth;
        else if (t[i].isSymbol(")"_L1))
            --depth;
        else if (depth == 0 && (t[i].isWord("union"_L1) || t[i].isWord("group"_L1)))
            return QString();
        else if (depth == 0 && from < 0 && t[i].isWord("from"_L1))
            from = i;
    }
    if (from < 0)
        return QString();
    qsizetype i = from + 1;
    if (i >= t.size() || !t[i].isName() || isClauseKeyword(t[i]))
        return QString();
    QString table = t[i].text;
    while (i + 2 < t.size() && t[i + 1].isSymbol("."_L1) && t[i + 2].isName()) {
        table += u'.' + t[i + 2].text;
        i += 2;
    }
    ++i;
    if (i < t.size() && t[i].isWord("as"_L1))
        ++i;
    if (i < t.size() && t[i].isName() && !isClauseKeyword(t[i]))
        ++i;
    if (i + 1 < t.size() && t[i].isWord("with"_L1) && t[i + 1].isSymbol("("_L1)) {
        while (i < t.size() && !t[i].isSymbol(")"_L1))
            ++i;
        ++i;
    }
    if (i == t.size() || t[i].isWord("where"_L1) || t[i].isWord("order"_L1) ||
        t[i].isSymbol(";"_L1))
        return table;
    return QString();
}

QString SingleTableSelect::bareName(QStringView table)
{
    QStringList parts;
    for (const SqlToken& t : significantTokens(table)) {
        if (t.isName())
            parts.append(t.name());
    }
    return parts.join(u'.');
}

} // namespace ado
