#include "db/SqlServerDialect.h"

#include "db/SqlServerArithmetic.h"
#include "db/SqlServerDateText.h"
#include "db/SqlTokenizer.h"
#include "runtime/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace ado {

namespace {

bool isComparison(const SqlToken& t)
{
    static const QLatin1StringView ops[] = {"="_L1, "=="_L1, "<>"_L1, "!="_L1, "<"_L1,
                                            ">"_L1, "<="_L1, ">="_L1, "!<"_L1, "!>"_L1};
    for (const auto& op : ops) {
        if (t.isSymbol(op))
            return true;
    }
    return false;
}

bool isTableHint(const SqlToken& t)
{
    static const QLatin1StringView hints[] = {"nolock"_L1,
                                              "updlock"_L1,
                                              "holdlock"_L1,
                                              "rowlock"_L1,
                                              "paglock"_L1,
                                              "tablock"_L1,
                                              "tablockx"_L1,
                                              "xlock"_L1,
                                              "readpast"_L1,
                                              "readcommitted"_L1,
                                              "readcommittedlock"_L1,
                                              "readuncommitted"_L1,
                                              "repeatableread"_L1,
                                              "serializable"_L1,
                                              "nowait"_L1};
    for (const auto& hint : hints) {
        if (t.isWord(hint))
            return true;
    }
    return false;
}

QString sqliteFunctionFor(const SqlToken& t)
{
    struct Rename
    {
        QLatin1StringView from;
        QLatin1StringView to;
    };
    static const Rename renames[] = {{"isnull"_L1, "ifnull"_L1},
                                     {"len"_L1, "sqlserver_len"_L1},
                                     {"right"_L1, "sqlserver_right"_L1},
                                     {"left"_L1, "sqlserver_left"_L1},
                                     {"substring"_L1, "sqlserver_substring"_L1},
                                     {"getdate"_L1, "sqlserver_getdate"_L1}};
    for (const auto& rename : renames) {
        if (t.isWord(rename.from))
            return rename.to;
    }
    return QString();
}

// The ISO date a text literal that meets a date column stands for; a text that is no date
// fails as SQL Server fails it, rather than being compared as text.
QString isoDateOf(const SqlToken& literal)
{
    const std::optional<QDate> date = SqlServerDateText::parse(literal.stringValue());
    if (!date)
        throw RuntimeError(RuntimeError::DatabaseFailure, SqlServerDateText::conversionFailure());
    return u'\'' + date->toString(Qt::ISODate) + u'\'';
}

} // namespace

SqlServerDialect::SqlServerDialect(DateColumnTest isDateColumn)
    : m_isDateColumn(std::move(isDateColumn))
{
}

QString SqlServerDialect::toSqlite(QStringView sql) const
{
    Statement s(SqlTokenizer::tokenize(sql));
    splitNumbersFromWords(s);
    dropUnicodePrefixes(s);
    renameFunctions(s);
    rewriteConverts(s);
    dropTableHints(s);
    rewriteDateLiterals(s);
    rewriteInsertedDates(s);
    rewriteArithmetic(s);
    return s.text();
}

void SqlServerDialect::splitNumbersFromWords(Statement& s) const
{
    for (qsizetype i = 0; i + 1 < s.tokens.size(); ++i) {
        if (s.tokens[i].kind == SqlToken::Kind::Number &&
            s.tokens[i + 1].kind == SqlToken::Kind::Word)
            s.out[i] += u' ';
    }
}

void SqlServerDialect::dropUnicodePrefixes(Statement& s) const
{
    // N'text' is a Unicode literal; SQLite's texts are all Unicode.
    for (qsizetype i = 0; i + 1 < s.tokens.size(); ++i) {
        if (s.tokens[i].isWord("n"_L1) && s.tokens[i + 1].kind == SqlToken::Kind::String)
            s.out[i].clear();
    }
}

void SqlServerDialect::renameFunctions(Statement& s) const
{
    for (qsizetype p = 0; p < s.sig.size(); ++p) {
        if (!s.at(p + 1).isSymbol("("_L1) || s.at(p - 1).isSymbol("."_L1))
            continue;
        const QString function = sqliteFunctionFor(s.at(p));
        if (!function.isEmpty())
            s.out[s.sig[p]] = function;
    }
}

void SqlServerDialect::rewriteConverts(Statement& s) const
{
    for (qsizetype p = 0; p < s.sig.size(); ++p) {
        if (!s.at(p).isWord("convert"_L1) || !s.at(p + 1).isSymbol("("_L1))
            continue;
        // The type runs to the first comma outside its own brackets, as in varchar(10).
        QString type;
        int depth = 0;
        qsizetype comma = p + 2;
        for (; comma < s.sig.size(); ++comma) {
            const SqlToken& t = s.at(comma);
            if (t.isSymbol("("_L1))
                ++depth;
            else if (t.isSymbol(")"_L1) && --depth < 0)
                break;
            else if (depth == 0 && t.isSymbol(","_L1))
                break;
            type += t.text;
        }
        if (!s.at(comma).isSymbol(","_L1) || type.isEmpty())
            continue;
        s.out[s.sig[p]] = u"sqlserver_convert"_s;
        s.blank(s.sig[p + 2], s.sig[comma] - 1);
        s.out[s.sig[p + 2]] = u'\'' + type.toLower() + u'\'';
    }
}

void SqlServerDialect::dropTableHints(Statement& s) const
{
    for (qsizetype p = 0; p < s.sig.size(); ++p) {
        if (!s.at(p).isWord("with"_L1) || !s.at(p + 1).isSymbol("("_L1))
            continue;
        const qsizetype close = s.closing(p + 1);
        if (close <= p + 2)
            continue;
        bool onlyHints = true;
        for (qsizetype q = p + 2; q < close && onlyHints; ++q)
            onlyHints = isTableHint(s.at(q)) || s.at(q).isSymbol(","_L1);
        if (onlyHints)
            s.blank(s.sig[p], s.sig[close]);
    }
}

bool SqlServerDialect::isDateColumnAt(const Statement& s, qsizetype position) const
{
    const SqlToken& t = s.at(position);
    return t.isName() && !s.at(position + 1).isSymbol("("_L1) && m_isDateColumn(t.name());
}

bool SqlServerDialect::comparedWithDateColumn(const Statement& s, qsizetype p) const
{
    // column <op> 'literal'
    if (isComparison(s.at(p - 1)))
        return isDateColumnAt(s, p - 2);
    // 'literal' <op> [qualifier.]column
    if (isComparison(s.at(p + 1))) {
        qsizetype q = p + 2;
        while (s.at(q).isName() && s.at(q + 1).isSymbol("."_L1))
            q += 2;
        return isDateColumnAt(s, q);
    }
    auto columnBefore = [&](qsizetype keyword) {
        return isDateColumnAt(s, s.at(keyword - 1).isWord("not"_L1) ? keyword - 2 : keyword - 1);
    };
    // column [not] between 'literal' and 'literal'
    if (s.at(p - 1).isWord("between"_L1))
        return columnBefore(p - 1);
    if (s.at(p - 1).isWord("and"_L1) && s.at(p - 2).kind == SqlToken::Kind::String &&
        s.at(p - 3).isWord("between"_L1))
        return columnBefore(p - 3);
    // column [not] in ('literal', ...)
    qsizetype q = p - 1;
    while (s.at(q).isSymbol(","_L1) && s.at(q - 1).kind == SqlToken::Kind::String)
        q -= 2;
    if (s.at(q).isSymbol("("_L1) && s.at(q - 1).isWord("in"_L1))
        return columnBefore(q - 1);
    return false;
}

void SqlServerDialect::rewriteDateLiterals(Statement& s) const
{
    for (qsizetype p = 0; p < s.sig.size(); ++p) {
        const SqlToken& t = s.at(p);
        if (t.kind != SqlToken::Kind::String && t.kind != SqlToken::Kind::Number)
            continue;
        if (!comparedWithDateColumn(s, p))
            continue;
        // A number never meets a date in SQL Server; on SQLite it would compare as less than
        // every date text.
        if (t.kind == SqlToken::Kind::Number) {
            throw RuntimeError(RuntimeError::DatabaseFailure,
                               u"Operand type clash: %1 is incompatible with date"_s.arg(
                                   t.text.contains(u'.') ? u"numeric"_s : u"int"_s));
        }
        s.outAt(p) = isoDateOf(t);
    }
}

void SqlServerDialect::rewriteInsertedDates(Statement& s) const
{
    // insert [into] table [(columns)] values (v, ...), (v, ...): a value that is one literal
    // takes the type of its column.
    for (qsizetype p = 0; p < s.sig.size(); ++p) {
        if (!s.at(p).isWord("insert"_L1))
            continue;
        qsizetype q = p + 1;
        if (s.at(q).isWord("into"_L1))
            ++q;
        while (s.at(q).isName() && s.at(q + 1).isSymbol("."_L1))
            q += 2;
        if (!s.at(q).isName() || !s.at(q + 1).isSymbol("("_L1))
            continue;
        const qsizetype columnsClose = s.closing(q + 1);
        if (columnsClose < 0)
            continue;
        QStringList columns;
        for (qsizetype c = q + 2; c < columnsClose; ++c) {
            if (s.at(c).isName())
                columns.append(s.at(c).name());
        }
        if (!s.at(columnsClose + 1).isWord("values"_L1))
            continue;
        qsizetype open = columnsClose + 2;
        while (s.at(open).isSymbol("("_L1)) {
            const qsizetype close = s.closing(open);
            if (close < 0)
                break;
            int index = 0;
            int depth = 0;
            for (qsizetype v = open + 1; v < close; ++v) {
                const SqlToken& t = s.at(v);
                if (t.isSymbol("("_L1))
                    ++depth;
                else if (t.isSymbol(")"_L1))
                    --depth;
                else if (depth == 0 && t.isSymbol(","_L1))
                    ++index;
                const bool startsValue = v == open + 1 || s.at(v - 1).isSymbol(","_L1);
                const bool endsValue = v + 1 == close || s.at(v + 1).isSymbol(","_L1);
                if (depth > 0 || !startsValue || !endsValue || index >= columns.size())
                    continue;
                if (t.kind == SqlToken::Kind::String && m_isDateColumn(columns[index]))
                    s.outAt(v) = isoDateOf(t);
            }
            if (!s.at(close + 1).isSymbol(","_L1))
                break;
            open = close + 2;
        }
        p = open;
    }
}

} // namespace ado
