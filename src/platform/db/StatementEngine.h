#pragma once

#include "db/StatementResult.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

namespace ado {

// How one kind of engine runs statements for a Connection. Every call finishes the engine's
// query before it returns, so no read cursor stays open. Failures raise RuntimeError.
class StatementEngine
{
public:
    virtual ~StatementEngine() = default;

    // The statement text in the engine's dialect.
    virtual QString adapt(const QString& sql) const = 0;
    // Runs an already adapted statement with values bound to its parameters in order.
    virtual StatementResult run(const QString& sql, const QVariantList& values) = 0;
    // The columns of an adapted statement's rows, found without running it (rowsRead false);
    // nothing when the engine cannot tell them beforehand or the statement yields no rows.
    virtual std::optional<StatementResult> describe(const QString& sql) = 0;

    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    virtual bool inTransaction() const = 0;

    // Whether changes are refused before they are tried (a file this process may only read).
    virtual bool isReadOnly() const = 0;
    // The primary key columns of a table, in the table's order (empty when it has none).
    virtual QStringList primaryKey(const QString& table) = 0;
    // A column name quoted for the engine.
    virtual QString quoteName(const QString& name) const = 0;
};

} // namespace ado
