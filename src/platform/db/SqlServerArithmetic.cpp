#include "db/SqlServerArithmetic.h"

using namespace Qt::StringLiterals;

namespace ado {

namespace {

const QLatin1StringView openBracket("(");
const QLatin1StringView closeBracket(")");

bool isKeyword(const SqlToken& t)
{
    static const QLatin1StringView keywords[] = {
        "select"_L1, "from"_L1,   "where"_L1,  "and"_L1,     "or"_L1,       "not"_L1,
        "case"_L1,   "when"_L1,   "then"_L1,   "else"_L1,    "as"_L1,       "on"_L1,
        "in"_L1,     "is"_L1,     "like"_L1,   "between"_L1, "set"_L1,      "values"_L1,
        "by"_L1,     "having"_L1, "union"_L1,  "all"_L1,     "distinct"_L1, "top"_L1,
        "return"_L1, "exists"_L1, "escape"_L1, "collate"_L1};
    for (const auto& keyword : keywords) {
        if (t.isWord(keyword))
            return true;
    }
    return false;
}

// Operators of the additive level; a binary one follows the end of an operand.
bool isAdditive(const SqlToken& t)
{
    return t.isSymbol("+"_L1) || t.isSymbol("-"_L1) || t.isSymbol("&"_L1) || t.isSymbol("|"_L1) ||
           t.isSymbol("^"_L1);
}

bool isMultiplicative(const SqlToken& t)
{
    return t.isSymbol("*"_L1) || t.isSymbol("/"_L1) || t.isSymbol("%"_L1);
}

bool isUnary(const SqlToken& t)
{
    return t.isSymbol("+"_L1) || t.isSymbol("-"_L1) || t.isSymbol("~"_L1);
}

bool endsOperand(const DialectStatement& s, qsizetype p)
{
    const SqlToken& t = s.at(p);
    switch (t.kind) {
    case SqlToken::Kind::Number:
    case SqlToken::Kind::String:
    case SqlToken::Kind::QuotedName:
        return true;
    case SqlToken::Kind::Word:
        return t.isWord("end"_L1) || !isKeyword(t);
    case SqlToken::Kind::Symbol:
        return t.isSymbol(closeBracket);
    default:
        return false;
    }
}

// N directly before a literal makes it a Unicode literal: one operand.
bool isUnicodePrefix(const DialectStatement& s, qsizetype p)
{
    const qsizetype next = p >= 0 && p < s.sig.size() ? s.sig[p] + 1 : -1;
    return s.at(p).isWord("n"_L1) && next > 0 && next < s.tokens.size() &&
           s.tokens[next].kind == SqlToken::Kind::String;
}

// The position of the case that opens the one ending at `end`, or -1.
qsizetype caseOf(const DialectStatement& s, qsizetype end)
{
    int depth = 0;
    for (qsizetype p = end; p >= 0; --p) {
        if (s.at(p).isWord("end"_L1))
            ++depth;
        else if (s.at(p).isWord("case"_L1) && --depth == 0)
            return p;
    }
    return -1;
}

// The position of the end that closes the case at `begin`, or -1.
qsizetype endOf(const DialectStatement& s, qsizetype begin)
{
    int depth = 0;
    for (qsizetype p = begin; p < s.sig.size(); ++p) {
        if (s.at(p).isWord("case"_L1))
            ++depth;
        else if (s.at(p).isWord("end"_L1) && --depth == 0)
            return p;
    }
    return -1;
}

// The first position of the operand, with its unary signs, that ends at `last`; -1 when it
// cannot be told.
qsizetype primaryStart(const DialectStatement& s, qsizetype last)
{
    qsizetype start = last;
    if (s.at(last).isSymbol(closeBracket)) {
        start = s.opening(last);
        if (start > 0 && s.at(start - 1).kind == SqlToken::Kind::Word &&
            !isKeyword(s.at(start - 1)))
            --start; // a function's name
    } else if (s.at(last).isWord("end"_L1)) {
        start = caseOf(s, last);
    } else if (isUnicodePrefix(s, last - 1)) {
        start = last - 1;
    }
    if (start < 0)
        return -1;
    while (s.at(start - 1).isSymbol("."_L1) && s.at(start - 2).isName())
        start -= 2;
    while (isUnary(s.at(start - 1)) && !endsOperand(s, start - 2))
        --start;
    return start;
}

// The last position of the operand, with its unary signs, that starts at `first`; -1 when it
// cannot be told.
qsizetype primaryEnd(const DialectStatement& s, qsizetype first)
{
    qsizetype p = first;
    while (isUnary(s.at(p)))
        ++p;
    if (s.at(p).isSymbol(openBracket))
        return s.closing(p);
    if (s.at(p).isWord("case"_L1))
        return endOf(s, p);
    if (s.at(p).kind == SqlToken::Kind::Symbol || p >= s.sig.size())
        return -1;
    if (isUnicodePrefix(s, p))
        return p + 1;
    while (s.at(p + 1).isSymbol("."_L1) && s.at(p + 2).isName())
        p += 2;
    if (s.at(p + 1).isSymbol(openBracket))
        return s.closing(p + 1);
    return p;
}

// The left operand of the operator at `op`: back to the start of its chain, which for + runs
// through the additive and multiplicative operators and for / and % through the latter only.
qsizetype leftOperandStart(const DialectStatement& s, qsizetype op, bool additive)
{
    qsizetype start = primaryStart(s, op - 1);
    while (start >= 2 &&
           ((additive && isAdditive(s.at(start - 1))) || isMultiplicative(s.at(start - 1))) &&
           endsOperand(s, start - 2))
        start = primaryStart(s, start - 2);
    return start;
}

// The right operand of the operator at `op`: one term, with for + the * / % that bind to it.
qsizetype rightOperandEnd(const DialectStatement& s, qsizetype op, bool additive)
{
    qsizetype end = primaryEnd(s, op + 1);
    while (additive && end >= 0 && isMultiplicative(s.at(end + 1)))
        end = primaryEnd(s, end + 2);
    return end;
}

// The function a binary operator becomes, or nothing for one SQLite already gives SQL Server's
// meaning (- and * on numbers).
const char* functionFor(const SqlToken& t)
{
    if (t.isSymbol("+"_L1))
        return "sqlserver_add(";
    if (t.isSymbol("/"_L1))
        return "sqlserver_divide(";
    if (t.isSymbol("%"_L1))
        return "sqlserver_modulo(";
    return nullptr;
}

} // namespace

void rewriteArithmetic(DialectStatement& s)
{
    for (qsizetype p = 1; p < s.sig.size(); ++p) {
        const char* function = functionFor(s.at(p));
        if (!function || !endsOperand(s, p - 1) || s.at(p + 1).isSymbol("="_L1))
            continue;
        const bool additive = s.at(p).isSymbol("+"_L1);
        const qsizetype start = leftOperandStart(s, p, additive);
        const qsizetype end = rightOperandEnd(s, p, additive);
        if (start < 0 || end < 0)
            continue;
        s.outAt(start).prepend(QLatin1StringView(function));
        s.outAt(p) = u","_s;
        if (s.tokens[s.sig[p] - 1].kind == SqlToken::Kind::Space)
            s.out[s.sig[p] - 1].clear();
        s.outAt(end).append(u')');
    }
}

} // namespace ado
