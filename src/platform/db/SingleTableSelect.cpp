#include "platform/db/SingleTableSelect.h"

#include "platform/db/SqlTokenizer.h"

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
        QLatin1StringView("where"),  QLatin1StringView("order"),  QLatin1StringView("group"),
        QLatin1StringView("having"), QLatin1StringView("union"),  QLatin1StringView("join"),
        QLatin1StringView("inner"),  QLatin1StringView("left"),   QLatin1StringView("right"),
        QLatin1StringView("full"),   QLatin1StringView("cross"),  QLatin1StringView("outer"),
        QLatin1StringView("with"),   QLatin1StringView("except"), QLatin1StringView("intersect")};
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
    if (t.isEmpty() || !t.front().isWord(QLatin1StringView("select")))
        return QString();
    qsizetype from = -1;
    int depth = 0;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].isSymbol(QLatin1StringView("(")))
            ++depth;
        else if (t[i].isSymbol(QLatin1StringView(")")))
            --depth;
        else if (depth == 0 && (t[i].isWord(QLatin1StringView("union")) ||
                                t[i].isWord(QLatin1StringView("group"))))
            return QString();
        else if (depth == 0 && from < 0 && t[i].isWord(QLatin1StringView("from")))
            from = i;
    }
    if (from < 0)
        return QString();
    qsizetype i = from + 1;
    if (i >= t.size() || !t[i].isName() || isClauseKeyword(t[i]))
        return QString();
    QString table = t[i].text;
    while (i + 2 < t.size() && t[i + 1].isSymbol(QLatin1StringView(".")) && t[i + 2].isName()) {
        table += u'.' + t[i + 2].text;
        i += 2;
    }
    ++i;
    if (i < t.size() && t[i].isWord(QLatin1StringView("as")))
        ++i;
    if (i < t.size() && t[i].isName() && !isClauseKeyword(t[i]))
        ++i;
    if (i + 1 < t.size() && t[i].isWord(QLatin1StringView("with")) &&
        t[i + 1].isSymbol(QLatin1StringView("("))) {
        while (i < t.size() && !t[i].isSymbol(QLatin1StringView(")")))
            ++i;
        ++i;
    }
    if (i == t.size() || t[i].isWord(QLatin1StringView("where")) ||
        t[i].isWord(QLatin1StringView("order")) || t[i].isSymbol(QLatin1StringView(";")))
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
