#pragma once

#include "db/tsql/TsqlType.h"

#include <QSet>
#include <QString>
#include <optional>

namespace ado::tsql {

// An expression parsed and typed: its SQL Server type and its text for the embedded engine,
// always safe to use as an operand. What the select-list check needs rides along: whether it
// holds an aggregate, and the columns it names outside one.
struct Expr
{
    QString sql;
    Type type;
    bool aggregate = false;
    QSet<QString> columns;       // "source.column", case-folded
    std::optional<QString> text; // the value of a text literal, for conversions done at once
    QString heading;             // the column's name when the expression is a bare column

    Expr() = default;
    Expr(QString sql, Type type) : sql(std::move(sql)), type(type) {}

    // An expression made from operands: it holds what they hold.
    static Expr from(QString sql, Type type, std::initializer_list<const Expr*> operands);
};

} // namespace ado::tsql
