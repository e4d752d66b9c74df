#include "db/SqlTokenizer.h"

using namespace Qt::StringLiterals;

namespace ado {

namespace {

bool isWordStart(QChar c)
{
    return c.isLetter() || c == u'_' || c == u'@' || c == u'#';
}

bool isWordPart(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isHexDigit(QChar c)
{
    return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Scans from `begin` to just past the closing `close`; a doubled `close` stands for itself.
qsizetype endOfQuoted(QStringView sql, qsizetype begin, QChar close)
{
    qsizetype i = begin + 1;
    while (i < sql.size()) {
        if (sql[i] == close) {
            if (i + 1 < sql.size() && sql[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return sql.size();
}

qsizetype endOfNumber(QStringView sql, qsizetype begin)
{
    qsizetype i = begin;
    if (sql[i] == u'0' && i + 2 < sql.size() && (sql[i + 1] == u'x' || sql[i + 1] == u'X') &&
        isHexDigit(sql[i + 2])) {
        i += 2;
        while (i < sql.size() && isHexDigit(sql[i]))
            ++i;
        return i;
    }
    while (i < sql.size() && isDigit(sql[i]))
        ++i;
    if (i < sql.size() && sql[i] == u'.') {
        ++i;
        while (i < sql.size() && isDigit(sql[i]))
            ++i;
    }
    // An exponent only when digits follow: "1end" is the number 1 and the word "end".
    if (i < sql.size() && (sql[i] == u'e' || sql[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < sql.size() && (sql[j] == u'+' || sql[j] == u'-'))
            ++j;
        if (j < sql.size() && isDigit(sql[j])) {
            while (j < sql.size() && isDigit(sql[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

qsizetype endOfSymbol(QStringView sql, qsizetype begin)
{
    static const QLatin1StringView pairs[] = {"<="_L1, ">="_L1, "<>"_L1, "!="_L1,
                                              "!<"_L1, "!>"_L1, "||"_L1, "=="_L1};
    const QStringView rest = sql.mid(begin, 2);
    for (const auto& pair : pairs) {
        if (rest == pair)
            return begin + 2;
    }
    return begin + 1;
}

} // namespace

QList<SqlToken> SqlTokenizer::tokenize(QStringView sql)
{
    QList<SqlToken> tokens;
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        const QChar next = i + 1 < sql.size() ? sql[i + 1] : QChar();
        SqlToken::Kind kind;
        qsizetype end;
        if (c.isSpace()) {
            kind = SqlToken::Kind::Space;
            end = i + 1;
            while (end < sql.size() && sql[end].isSpace())
                ++end;
        } else if (c == u'-' && next == u'-') {
            kind = SqlToken::Kind::Comment;
            end = sql.indexOf(u'\n', i);
            end = end < 0 ? sql.size() : end;
        } else if (c == u'/' && next == u'*') {
            // Block comments nest, as T-SQL reads them.
            kind = SqlToken::Kind::Comment;
            end = i + 2;
            for (int depth = 1; depth > 0 && end < sql.size(); ++end) {
                if (sql[end] == u'/' && end + 1 < sql.size() && sql[end + 1] == u'*')
                    ++depth, ++end;
                else if (sql[end] == u'*' && end + 1 < sql.size() && sql[end + 1] == u'/')
                    --depth, ++end;
            }
        } else if (c == u'\'') {
            kind = SqlToken::Kind::String;
            end = endOfQuoted(sql, i, u'\'');
        } else if (c == u'"' || c == u'`') {
            kind = SqlToken::Kind::QuotedName;
            end = endOfQuoted(sql, i, c);
        } else if (c == u'[') {
            kind = SqlToken::Kind::QuotedName;
            end = endOfQuoted(sql, i, u']');
        } else if (isDigit(c) || (c == u'.' && isDigit(next))) {
            kind = SqlToken::Kind::Number;
            end = endOfNumber(sql, i);
        } else if (isWordStart(c)) {
            kind = SqlToken::Kind::Word;
            end = i + 1;
            while (end < sql.size() && isWordPart(sql[end]))
                ++end;
        } else {
            kind = SqlToken::Kind::Symbol;
            end = endOfSymbol(sql, i);
        }
        tokens.append(SqlToken{kind, sql.mid(i, end - i).toString()});
        i = end;
    }
    return tokens;
}

} // namespace ado
