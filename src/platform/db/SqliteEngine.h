#pragma once

#include "db/SqlServerDialect.h"
#include "db/StatementEngine.h"

#include <QElapsedTimer>
#include <QSet>

struct sqlite3;

namespace ado {

struct SqliteFileTarget;

// The one owner of a connection to the embedded engine: it opens the handle, sets it up, runs
// statements through the sqlite3 API (each prepared, stepped to its end and finalized before the
// call returns) and closes it. Knows the schema's date columns (declared DATE, stored as ISO
// text) so that the dialect can treat literals compared with them as dates, and reads them back
// as QDate.
class SqliteEngine : public StatementEngine
{
public:
    // Opens the file (or ":memory:") and sets the connection up: the SQL Server functions and
    // collation, the busy wait, and for a file WAL journal with full synchronisation, its -wal
    // and -shm kept. Raises RuntimeError with the engine's message when it cannot.
    SqliteEngine(const SqliteFileTarget& target, bool inMemory);
    ~SqliteEngine() override;
    SqliteEngine(const SqliteEngine&) = delete;
    SqliteEngine& operator=(const SqliteEngine&) = delete;

    QString adapt(const QString& sql) const override;
    StatementResult run(const QString& sql, const QVariantList& values) override;
    std::optional<StatementResult> describe(const QString& sql) override;
    // Takes the write lock; refuses a file deleted or renamed away since it was opened.
    void begin() override;
    void commit() override;
    void rollback() override;
    bool inTransaction() const override;
    bool isReadOnly() const override;
    QStringList primaryKey(const QString& table) override;
    QString quoteName(const QString& name) const override;

    // The handle, for the other roads to the engine in this folder (prepared statements, the
    // streaming read, the administrative statements).
    sqlite3* handle() const { return m_db; }

    // How long a statement waits for another connection's write lock before it fails.
    static constexpr int busyTimeoutMs = 15000;
    // How often, while it waits, the lock is tried again and the wait shown.
    static constexpr int busyPollMs = 10;

private:
    void setUp(const char* statement);
    bool isDateColumn(const QString& column) const;
    void refreshDateColumnsIfSchemaChanged() const;
    qint64 schemaVersion() const;
    static int busyHandler(void* engine, int attemptsBefore);
    void endWait();

    sqlite3* m_db = nullptr;
    SqlServerDialect m_dialect;
    mutable QSet<QString> m_dateColumns;
    mutable qint64 m_schemaVersion = -1;
    QElapsedTimer m_waitingSince;
    bool m_waited = false;
};

} // namespace ado
