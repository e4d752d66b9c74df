#pragma once

#include "ostrelplatform_export.h"

#include "db/StatementResult.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

struct sqlite3;

namespace ado {

class ConnectionTestSeam;

// The database connection the host opens and hands to the module. Statements are written in the
// SQL Server dialect: over ODBC they pass unchanged, on the embedded SQLite engine they are
// adapted token by token (never by splicing strings) so that they keep their SQL Server meaning.
// Every failure raises RuntimeError with a number and a description. The embedded engine is
// reached only through this library (see SqliteEngine), which opens and owns its handle; Qt SQL
// serves ODBC.
class OSTRELPLATFORM_EXPORT Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // A SQLite file path (or a "file:" URI), ":memory:", or "odbc:" followed by an ODBC
    // connection string or a DSN; an ODBC failure to connect names the server or data source.
    // SQLite connections get the SQL Server functions and the SQLSERVER_CI collation, a 15 s busy
    // timeout, foreign keys enforced and, for a file, WAL journal with full synchronisation. A
    // file this process may not write opens for reading or is refused (see SqliteFileTarget).
    void Open(const QString& connectionString);
    void Close();
    bool isOpen() const;
    QString connectionString() const;
    bool isSqlite() const;
    // Whether changes are refused: an embedded database file this process may only read. A
    // server's permissions are not known before a change is tried.
    bool isReadOnly() const;

    // Runs a statement and returns the first field of its first row (a null QVariant when the
    // statement yields no row).
    QVariant ExecuteScalar(const QString& sql);
    // Runs a statement that changes rows and returns how many it changed.
    qint64 Execute(const QString& sql);

    // A transaction takes the write lock at its start, so that reads of maxima inside it are
    // not raced by another connection's save (SQLite: BEGIN IMMEDIATE with a busy timeout).
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool inTransaction() const;

    // Runs a statement in the SQL Server dialect (adapted, counted) and returns everything it
    // gave back, its query already finished.
    StatementResult run(const QString& sql);
    // The statement text as it is sent to the engine.
    QString adapt(const QString& sql) const;

    // What a test may put between the module and the engine (see ConnectionTestSeam).
    using StatementHook = std::function<QString(const QString& sql)>;

private:
    // The other roads to the engine, all in this library: record sets, statements prepared in
    // the engine's own dialect, the streaming read and the administrative statements.
    friend class Recordset;
    friend class PreparedStatement;
    friend class RowStream;
    friend class AdminStatements;
    // Statement hooks and fault injection, for tests only.
    friend class ConnectionTestSeam;

    void openSqlite(const QString& target);
    void openOdbc(const QString& target);
    // The embedded engine's handle (nullptr unless the connection is open on it).
    sqlite3* sqliteHandle() const;
    // What every module statement passes first, whatever road it takes: raises the closed-object
    // error on an unopened connection, counts the statement and raises the injected failure when
    // its turn has come.
    void checkInjectedFault();

    // Counts the statement and, when the engine can tell them without running it, returns only
    // its columns (rowsRead false); otherwise runs it like run().
    StatementResult openColumns(const QString& sql);
    // Reads the rows of a statement opened before, all at once; not counted again.
    StatementResult fetch(const QString& sql);
    // Runs a statement composed in the engine's own dialect, with values bound to its parameters
    // in order (counted like every other).
    StatementResult runBound(const QString& sql, const QVariantList& values);
    // The primary key columns of a table (empty when it has none).
    QStringList primaryKey(const QString& table) const;
    // A column name quoted for the engine.
    QString quoteName(const QString& name) const;

    struct Impl;
    std::unique_ptr<Impl> d;
};

using ConnectionPtr = std::shared_ptr<Connection>;

} // namespace ado
