#include "db/RowStream.h"

#include "db/Connection.h"
#include "db/EngineErrors.h"
#include "db/ShortDateTexts.h"
#include "db/SqliteCalls.h"
#include "db/SqliteRowPipe.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace ado {

// The statement outlives the pipe that steps it: members end in reverse order.
struct RowStream::State
{
    sqlite3* db = nullptr;
    sqlite::StatementHandle statement;
    int columns = 0;
    ShortDateTexts dates;
    std::optional<SqliteRowPipe> pipe;
};

RowStream::RowStream(Connection& connection, const QString& sql) : d(std::make_unique<State>())
{
    connection.checkInjectedFault();
    d->db = connection.sqliteHandle();
    if (!d->db)
        throw RuntimeError(RuntimeError::DatabaseFailure,
                           u"Rows are streamed only from the embedded database."_s);
    d->statement = sqlite::prepare(d->db, connection.adapt(sql).toUtf8());
    sqlite3_stmt* statement = d->statement.get();
    d->columns = statement ? sqlite3_column_count(statement) : 0;
    for (int c = 0; c < d->columns; ++c)
        m_dateColumns.push_back(sqlite::isDateDeclaration(sqlite3_column_decltype(statement, c)));
    // A statement of blanks or comments gives no rows.
    if (statement)
        d->pipe.emplace(d->db, statement, d->columns);
}

RowStream::~RowStream() = default;

int RowStream::columns() const
{
    return d->columns;
}

bool RowStream::next(Batch& batch)
{
    if (!d->pipe)
        return false;
    if (d->pipe->next(batch))
        return true;
    if (d->pipe->resultCode() != SQLITE_DONE)
        throw EngineErrors::fromSqlite(d->pipe->resultCode(),
                                       QString::fromStdString(d->pipe->message()));
    return false;
}

std::string_view RowStream::dateText(std::string_view stored)
{
    return d->dates.textOf(stored).value_or(stored);
}

} // namespace ado
