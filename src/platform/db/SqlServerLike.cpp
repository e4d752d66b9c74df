#include "db/SqlServerLike.h"

#include <QString>

namespace ado {

namespace {

// Whether the pattern element at `p` takes character `c`; `size` receives its length.
bool elementMatches(QStringView pattern, qsizetype p, QChar c, QChar escape, qsizetype* size)
{
    *size = 1;
    const QChar head = pattern[p];
    if (!escape.isNull() && head == escape && p + 1 < pattern.size()) {
        *size = 2;
        return pattern[p + 1] == c;
    }
    if (head == u'_')
        return true;
    if (head == u'[') {
        const qsizetype close = pattern.indexOf(u']', p + 2);
        if (close >= 0) {
            *size = close - p + 1;
            qsizetype i = p + 1;
            const bool negated = pattern[i] == u'^' && close > i + 1;
            if (negated)
                ++i;
            bool inSet = false;
            for (; i < close && !inSet; ++i) {
                if (i + 2 < close && pattern[i + 1] == u'-') {
                    inSet = c >= pattern[i] && c <= pattern[i + 2];
                    i += 2;
                } else {
                    inSet = c == pattern[i];
                }
            }
            return inSet != negated;
        }
    }
    return head == c;
}

bool isAnyRun(QStringView pattern, qsizetype p, QChar escape)
{
    return pattern[p] == u'%' && pattern[p] != escape;
}

} // namespace

bool SqlServerLike::matches(QStringView text, QStringView pattern, QChar escape)
{
    const QString t = text.toString().toCaseFolded();
    const QString pat = pattern.toString().toCaseFolded();
    escape = escape.toCaseFolded();
    // Walks both, remembering the last % so a failed match can let it take one more character.
    qsizetype p = 0;
    qsizetype i = 0;
    qsizetype runPattern = -1;
    qsizetype runText = 0;
    while (i < t.size()) {
        qsizetype size = 0;
        if (p < pat.size() && isAnyRun(pat, p, escape)) {
            runPattern = ++p;
            runText = i;
        } else if (p < pat.size() && elementMatches(pat, p, t[i], escape, &size)) {
            p += size;
            ++i;
        } else if (runPattern >= 0) {
            p = runPattern;
            i = ++runText;
        } else {
            return false;
        }
    }
    while (p < pat.size() && isAnyRun(pat, p, escape))
        ++p;
    return p == pat.size();
}

} // namespace ado
