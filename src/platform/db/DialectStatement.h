#pragma once

#include "db/SqlToken.h"

#include <QList>
#include <QStringList>

namespace ado {

// A statement being adapted: its tokens, the output text of each token, and the positions of
// the significant ones (no blanks or comments), along which the rewrites look. A rewrite
// changes output texts only, so several can work on one statement in turn.
struct DialectStatement
{
    QList<SqlToken> tokens;
    QStringList out;
    QList<qsizetype> sig;

    explicit DialectStatement(QList<SqlToken> statementTokens);

    // The significant token at `p`, or an empty blank outside the statement.
    const SqlToken& at(qsizetype p) const;
    // The significant position of the bracket that closes the one at `open`, or -1.
    qsizetype closing(qsizetype open) const;
    // The significant position of the bracket that opens the one closing at `close`, or -1.
    qsizetype opening(qsizetype close) const;
    void blank(qsizetype fromToken, qsizetype toToken);
    // The output text of the significant token at `p`.
    QString& outAt(qsizetype p) { return out[sig[p]]; }
    QString text() const { return out.join(QString()); }
};

} // namespace ado
