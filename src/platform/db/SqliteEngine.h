#pragma once

#include "db/SqlServerDialect.h"
#include "db/StatementEngine.h"

#include <QElapsedTimer>
#include <QSet>

struct sqlite3;
struct sqlite3_stmt;

namespace ado {

// Runs statements on an SQLite connection through the sqlite3 API directly: each statement is
// prepared, stepped to its end and finalized before the call returns. Knows the schema's date
// columns (declared DATE, stored as ISO text) so that the dialect can treat literals compared
// with them as dates, and reads them back as QDate.
class SqliteEngine : public StatementEngine
{
public:
    // Sets up a freshly opened connection: the SQL Server functions and collation, the busy
    // timeout, and for a file WAL journal with full synchronisation, its -wal and -shm kept.
    SqliteEngine(sqlite3* db, bool inMemory);

    QString adapt(const QString& sql) const override;
    StatementResult run(const QString& sql, const QVariantList& values) override;
    std::optional<StatementResult> describe(const QString& sql) override;
    // Takes the write lock; refuses a file deleted or renamed away since it was opened.
    void begin() override;
    void commit() override;
    void rollback() override;
    bool inTransaction() const override;

    // How long a statement waits for another connection's write lock before it fails.
    static constexpr int busyTimeoutMs = 15000;
    // How often, while it waits, the lock is tried again and the wait shown.
    static constexpr int busyPollMs = 10;

private:
    void setUp(const char* statement);
    bool isDateColumn(const QString& column) const;
    void refreshDateColumnsIfSchemaChanged() const;
    qint64 schemaVersion() const;
    [[noreturn]] void raise(int resultCode) const;
    void bind(sqlite3_stmt* statement, const QVariantList& values, int* next) const;
    static int busyHandler(void* engine, int attemptsBefore);
    void endWait();

    sqlite3* m_db;
    SqlServerDialect m_dialect;
    mutable QSet<QString> m_dateColumns;
    mutable qint64 m_schemaVersion = -1;
    QElapsedTimer m_waitingSince;
    bool m_waited = false;
};

} // namespace ado
