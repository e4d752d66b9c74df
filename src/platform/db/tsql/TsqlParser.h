#pragma once

#include "db/SqlToken.h"
#include "db/tsql/TsqlCatalog.h"
#include "db/tsql/TsqlExpr.h"
#include "db/tsql/TsqlTranslation.h"

#include <QList>

#include <optional>

namespace ado::tsql {

// Parses one T-SQL statement of the subset the embedded database answers as SQL Server does,
// typing every expression by the catalog's columns and SQL Server's rules, and writes it for the
// embedded engine. Whatever lies outside the subset is refused naming the construct; a statement
// SQL Server rejects fails with SQL Server's message.
class Parser
{
public:
    Parser(const Catalog& catalog, QStringView sql);

    Translation statement();

private:
    struct Source
    {
        QString name;    // the alias, or the table's name, the statement binds columns by
        QString sqlName; // what the engine's statement calls it
        const Catalog::Table* table;
    };
    // A query block's select list and clauses, written for the engine but not yet joined, so
    // that a subquery can wrap its value.
    struct Query
    {
        bool distinct = false;
        bool collate = false;  // its texts leave it collated, to be told apart as SQL Server does
        bool compound = false; // a UNION of several blocks
        bool limited = false;  // TOP or OFFSET: rows cut after window functions see them
        QList<Expr> items;
        QStringList headings;
        QString tail; // FROM ... ORDER BY
        QString text(const QList<Expr>& values) const;
    };

    // Tokens.
    const SqlToken& at(qsizetype ahead = 0) const;
    bool isWordAt(const char* word, qsizetype ahead = 0) const;
    bool isSymbolAt(const char* symbol, qsizetype ahead = 0) const;
    bool takeWord(const char* word);
    bool takeSymbol(const char* symbol);
    void expectWord(const char* word);
    void expectSymbol(const char* symbol);
    [[noreturn]] void unexpected() const;
    bool atEnd() const { return m_pos >= m_tokens.size(); }
    bool isAlias(qsizetype ahead = 0) const;
    QString name();

    // Statements.
    Query query(bool subquery, bool unionMember = false);
    // The row count of TOP (n), TOP n, OFFSET n or FETCH n: a whole number, not negative.
    qint64 rowCount(bool isTop);
    // OFFSET n ROWS [FETCH {NEXT | FIRST} n ROWS ONLY] after ORDER BY, for the engine.
    QString offsetFetch(bool withTop);
    // The blocks joined to `first` by UNION [ALL], their columns met by data type precedence.
    void unite(Query& first);
    QString fromClause();
    QString source();
    // A table's name, alone or after the schema dbo.
    QString tableName();
    // WITH (hint, ...) or the legacy (hint) after a table: accepted where the embedded engine
    // already gives the hint's guarantee, refused where not; `target` is the table a statement
    // changes.
    void tableHints(bool target);
    void checkGrouped(const Expr& e, const QList<Expr>& groups, const char* clause) const;
    Translation insert();
    Translation update();
    // The FROM sources of UPDATE or DELETE written for the engine, their ON conditions added to
    // `conditions`.
    QStringList joinedSources(QStringList& conditions);
    // Which of those sources is the table the statement changes.
    qsizetype updatedSource(const QString& target) const;
    Translation remove();
    const Catalog::Table& table(const QString& name) const;
    QString condition(const char* clause);

    // Expressions, by SQL Server's precedence.
    Expr expression();
    Expr conjunction();
    Expr negation();
    Expr predicate();
    Expr additive();
    Expr multiplicative();
    Expr unary();
    Expr primary();
    Expr literal();
    Expr column(const QString& qualifier, const QString& columnName);
    Expr functionCall(const QString& name);
    Expr caseExpression();
    Expr cast(bool isConvert);
    Type typeName();
    Expr subqueryValue();
    // A subquery read by `read`, with the enclosing queries' columns it names.
    template <typename Read> Expr correlated(Read read);
    Expr inList(const Expr& left, bool negated);
    QList<Expr> valueList();

    const Catalog& m_catalog;
    QList<SqlToken> m_tokens;
    QList<bool> m_unicode; // a string literal written N'...'
    qsizetype m_pos = 0;
    QList<QList<Source>> m_scopes;
    int m_sources = 0;
    // Columns of enclosing queries named inside the subquery being read: a subquery used in a
    // grouped query names them as its own expression would.
    QSet<QString> m_outerColumns;
};

} // namespace ado::tsql
