#include "db/SqliteEngine.h"

#include "db/EngineErrors.h"
#include "db/LockWait.h"
#include "db/SqlServerCollation.h"
#include "db/SqlServerFunctions.h"
#include "db/SqliteCalls.h"
#include "db/SqliteFileTarget.h"

#include <QScopeGuard>

using namespace Qt::StringLiterals;

namespace ado {

namespace {

// The open flags of a target: as the file allows, each connection with a cache of its own, and
// no locking inside the engine, since a connection is used by one thread at a time.
int openFlags(const SqliteFileTarget& target)
{
    int flags = target.readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (target.isUri)
        flags |= SQLITE_OPEN_URI;
    return flags | SQLITE_OPEN_PRIVATECACHE | SQLITE_OPEN_NOMUTEX;
}

} // namespace

SqliteEngine::SqliteEngine(const SqliteFileTarget& target, bool inMemory)
    : m_dialect([this](const QString& column) { return isDateColumn(column); })
{
    const int opened = sqlite3_open_v2(target.databaseName.toUtf8().constData(), &m_db,
                                       openFlags(target), nullptr);
    // The handle closes with the engine, also when the set-up below fails.
    auto closeOnFailure = qScopeGuard([this] { sqlite3_close_v2(m_db); });
    if (opened != SQLITE_OK)
        throw EngineErrors::fromSqlite(opened, QString::fromUtf8(sqlite3_errmsg(m_db)));
    sqlite3_extended_result_codes(m_db, 1);
    if (!SqlServerFunctions::install(m_db) || !SqlServerCollation::install(m_db))
        sqlite::raise(m_db, sqlite3_errcode(m_db));
    sqlite3_busy_handler(m_db, &SqliteEngine::busyHandler, this);
    // A database opened for reading keeps its journal mode: switching it would write.
    if (!inMemory && sqlite3_db_readonly(m_db, "main") != 1) {
        // The -wal and -shm stay the owner's after the last connection closes (the -wal emptied),
        // so that a user who may only read the file reads through them without making its own.
        int persist = 1;
        sqlite3_file_control(m_db, "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
        setUp("PRAGMA journal_size_limit=4194304");
        setUp("PRAGMA journal_mode=WAL");
    }
    setUp("PRAGMA synchronous=FULL");
    setUp("PRAGMA foreign_keys=ON");
    closeOnFailure.dismiss();
}

SqliteEngine::~SqliteEngine()
{
    sqlite3_close_v2(m_db);
}

// Waits for another connection's lock as a busy timeout would, and lets the user see the wait.
int SqliteEngine::busyHandler(void* engine, int attemptsBefore)
{
    auto* self = static_cast<SqliteEngine*>(engine);
    if (attemptsBefore == 0)
        self->m_waitingSince.start();
    const qint64 waited = self->m_waitingSince.elapsed();
    if (waited >= busyTimeoutMs)
        return 0;
    self->m_waited = true;
    if (LockWaitObserver* observer = lockWaitObserver())
        observer->waiting(int(waited));
    sqlite3_sleep(busyPollMs);
    return 1;
}

void SqliteEngine::endWait()
{
    if (!m_waited)
        return;
    m_waited = false;
    if (LockWaitObserver* observer = lockWaitObserver())
        observer->waitEnded();
}

void SqliteEngine::setUp(const char* statement)
{
    const int rc = sqlite3_exec(m_db, statement, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        sqlite::raise(m_db, rc);
}

QString SqliteEngine::adapt(const QString& sql) const
{
    return m_dialect.toSqlite(sql);
}

bool SqliteEngine::isDateColumn(const QString& column) const
{
    refreshDateColumnsIfSchemaChanged();
    return m_dateColumns.contains(column.toCaseFolded());
}

// Tables created after the connection opened (by it or by another) change the schema version.
void SqliteEngine::refreshDateColumnsIfSchemaChanged() const
{
    const qint64 version = schemaVersion();
    if (version == m_schemaVersion)
        return;
    sqlite3_stmt* raw = nullptr;
    const char* sql = "select p.name, p.type from sqlite_master m, pragma_table_info(m.name) p "
                      "where m.type = 'table'";
    if (sqlite3_prepare_v2(m_db, sql, -1, &raw, nullptr) != SQLITE_OK)
        return;
    sqlite::StatementHandle statement(raw);
    m_dateColumns.clear();
    while (sqlite3_step(raw) == SQLITE_ROW) {
        if (sqlite::isDateDeclaration(reinterpret_cast<const char*>(sqlite3_column_text(raw, 1)))) {
            m_dateColumns.insert(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0)))
                    .toCaseFolded());
        }
    }
    m_schemaVersion = version;
}

qint64 SqliteEngine::schemaVersion() const
{
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(m_db, "PRAGMA schema_version", -1, &raw, nullptr) != SQLITE_OK)
        return -1;
    sqlite::StatementHandle statement(raw);
    return sqlite3_step(raw) == SQLITE_ROW ? sqlite3_column_int64(raw, 0) : -1;
}

StatementResult SqliteEngine::run(const QString& sql, const QVariantList& values)
{
    const auto waitOver = qScopeGuard([this] { endWait(); });
    const QByteArray utf8 = sql.toUtf8();
    const char* tail = utf8.constData();
    const char* const end = tail + utf8.size();
    StatementResult result;
    bool haveColumns = false;
    int nextValue = 0;
    // Every statement of the text runs in turn; the rows returned are those of the first one
    // that yields columns.
    while (tail < end) {
        sqlite3_stmt* raw = nullptr;
        int rc = sqlite3_prepare_v2(m_db, tail, int(end - tail), &raw, &tail);
        if (rc != SQLITE_OK)
            sqlite::raise(m_db, rc);
        if (!raw)
            continue;
        sqlite::StatementHandle statement(raw);
        // Each statement of the text takes the values for its own parameters, in order.
        const int parameters = sqlite3_bind_parameter_count(raw);
        for (int i = 1; i <= parameters && nextValue < values.size(); ++i, ++nextValue) {
            if (const int bound = sqlite::bindValue(raw, i, values[nextValue]); bound != SQLITE_OK)
                sqlite::raise(m_db, bound);
        }
        const int columns = sqlite3_column_count(raw);
        const bool collect = columns > 0 && !haveColumns;
        QList<bool> dates;
        if (collect) {
            for (int c = 0; c < columns; ++c) {
                result.names.append(QString::fromUtf8(sqlite3_column_name(raw, c)));
                dates.append(sqlite::isDateDeclaration(sqlite3_column_decltype(raw, c)));
            }
            result.dateColumns = dates;
            haveColumns = true;
        }
        const qint64 changesBefore = sqlite3_total_changes64(m_db);
        while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
            if (collect)
                result.rows.append(sqlite::rowValues(raw, dates));
        }
        if (rc != SQLITE_DONE)
            sqlite::raise(m_db, rc);
        if (columns == 0)
            result.rowsAffected += sqlite3_total_changes64(m_db) - changesBefore;
    }
    return result;
}

std::optional<StatementResult> SqliteEngine::describe(const QString& sql)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &raw, &tail);
    if (rc != SQLITE_OK)
        sqlite::raise(m_db, rc);
    sqlite::StatementHandle statement(raw);
    // Preparing takes no lock; only a single statement that yields rows can wait for its rows.
    const int columns = raw ? sqlite3_column_count(raw) : 0;
    if (columns == 0 || !QByteArray(tail).trimmed().isEmpty())
        return std::nullopt;
    StatementResult result;
    result.rowsRead = false;
    for (int c = 0; c < columns; ++c) {
        result.names.append(QString::fromUtf8(sqlite3_column_name(raw, c)));
        result.dateColumns.append(sqlite::isDateDeclaration(sqlite3_column_decltype(raw, c)));
    }
    return result;
}

void SqliteEngine::begin()
{
    // Takes the write lock now (waiting up to the busy timeout), so that maxima read inside the
    // transaction cannot be raced by another connection's save.
    run(u"BEGIN IMMEDIATE"_s, {});
    // A file deleted or renamed away since it was opened would take the save where no one reads
    // it again: the clerk would be told it was saved and the issue lost.
    int moved = 0;
    if (sqlite3_file_control(m_db, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved) {
        rollback();
        throw RuntimeError(RuntimeError::DatabaseFailure,
                           u"The database file has been deleted or renamed since it was opened, "
                           "so nothing was saved. Close the window and the register and open "
                           "them again on the database as it is now."_s);
    }
}

void SqliteEngine::commit()
{
    run(u"COMMIT"_s, {});
}

void SqliteEngine::rollback()
{
    run(u"ROLLBACK"_s, {});
}

bool SqliteEngine::inTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}

bool SqliteEngine::isReadOnly() const
{
    return sqlite3_db_readonly(m_db, "main") == 1;
}

QStringList SqliteEngine::primaryKey(const QString& table)
{
    const StatementResult info =
        run(u"select name from pragma_table_info(?) where pk > 0 order by cid"_s, {table});
    QStringList columns;
    for (const QVariantList& row : info.rows)
        columns.append(row.front().toString());
    return columns;
}

QString SqliteEngine::quoteName(const QString& name) const
{
    QString quoted = name;
    return u'"' + quoted.replace(u'"', u"\"\""_s) + u'"';
}

} // namespace ado
