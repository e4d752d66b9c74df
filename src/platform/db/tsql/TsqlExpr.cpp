#include "db/tsql/TsqlExpr.h"

namespace ado::tsql {

Expr Expr::from(QString sql, Type type, std::initializer_list<const Expr*> operands)
{
    Expr e{std::move(sql), type};
    for (const Expr* operand : operands) {
        e.aggregate = e.aggregate || operand->aggregate;
        e.columns.unite(operand->columns);
    }
    return e;
}

} // namespace ado::tsql
