#include "db/PreparedStatement.h"

#include "db/Connection.h"
#include "db/EngineErrors.h"
#include "db/SqliteCalls.h"

using namespace Qt::StringLiterals;

namespace ado {

PreparedStatement::PreparedStatement(Connection& connection, const QString& sql)
    : m_db(connection.sqliteHandle())
{
    if (!connection.isOpen())
        throw EngineErrors::closed();
    if (!m_db)
        throw RuntimeError(RuntimeError::DatabaseFailure,
                           u"Statements in the embedded database's own dialect need the embedded "
                           "database."_s);
    m_statement = sqlite::prepare(m_db, sql.toUtf8()).release();
}

PreparedStatement::~PreparedStatement()
{
    sqlite3_finalize(m_statement);
}

PreparedStatement& PreparedStatement::bind(qint64 value)
{
    return checked(sqlite3_bind_int64(m_statement, ++m_position, value));
}

PreparedStatement& PreparedStatement::bind(double value)
{
    return checked(sqlite3_bind_double(m_statement, ++m_position, value));
}

PreparedStatement& PreparedStatement::bind(const QByteArray& utf8)
{
    return checked(sqlite3_bind_text(m_statement, ++m_position, utf8.constData(), int(utf8.size()),
                                     SQLITE_TRANSIENT));
}

PreparedStatement& PreparedStatement::bindNull()
{
    return checked(sqlite3_bind_null(m_statement, ++m_position));
}

// A value bound past the statement's parameters, or one the engine cannot take, must not leave
// the row to be written without it.
PreparedStatement& PreparedStatement::checked(int bindResult)
{
    if (bindResult != SQLITE_OK)
        fail(bindResult);
    return *this;
}

void PreparedStatement::execute(std::initializer_list<QVariant> values,
                                QList<QVariantList>* collect, qsizetype rowsWanted)
{
    for (const QVariant& value : values)
        checked(sqlite::bindValue(m_statement, ++m_position, value));
    m_position = 0;
    if (!m_statement)
        return; // a statement of blanks or comments does nothing
    // Stored as they are: a date stays its text, as in the engine's own dialect.
    const QList<bool> noDates(sqlite3_column_count(m_statement), false);
    int stepped;
    while ((stepped = sqlite3_step(m_statement)) == SQLITE_ROW) {
        if (!collect)
            continue;
        collect->append(sqlite::rowValues(m_statement, noDates));
        if (collect->size() == rowsWanted)
            break;
    }
    if (stepped != SQLITE_DONE && stepped != SQLITE_ROW)
        fail(stepped);
    // Reset at once: a statement left part-way would hold the engine's read lock.
    sqlite3_reset(m_statement);
}

void PreparedStatement::run(std::initializer_list<QVariant> values)
{
    execute(values, nullptr);
}

QVariant PreparedStatement::scalar(std::initializer_list<QVariant> values)
{
    QList<QVariantList> found;
    execute(values, &found, 1);
    return found.isEmpty() || found.front().isEmpty() ? QVariant() : found.front().front();
}

QList<QVariantList> PreparedStatement::rows(std::initializer_list<QVariant> values)
{
    QList<QVariantList> found;
    execute(values, &found);
    return found;
}

void PreparedStatement::fail(int resultCode)
{
    m_position = 0;
    // The message is taken before the reset, which would replace it.
    try {
        sqlite::raise(m_db, resultCode);
    } catch (...) {
        sqlite3_reset(m_statement);
        throw;
    }
}

} // namespace ado
