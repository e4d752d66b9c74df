#include "EngineBackup.h"

#include "SqliteFile.h"

#include <QFile>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace EngineBackup {

namespace {

int execute(sqlite3* db, const QString& sql)
{
    return sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
}

int countIssues(sqlite3* db, const QString& table, qint64& issues)
{
    sqlite3_stmt* statement = nullptr;
    const QByteArray sql = u"SELECT count(*) FROM \"%1\""_s.arg(table).toUtf8();
    int rc = sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr);
    if (rc == SQLITE_OK && (rc = sqlite3_step(statement)) == SQLITE_ROW) {
        issues = sqlite3_column_int64(statement, 0);
        rc = SQLITE_OK;
    }
    sqlite3_finalize(statement);
    return rc;
}

int copyPages(sqlite3* target, sqlite3* source)
{
    sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
    if (!backup)
        return sqlite3_errcode(target);
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    return stepped == SQLITE_DONE ? finished : stepped;
}

} // namespace

Copy copy(const SqliteFile& source, const QString& path)
{
    Copy result;
    sqlite3* target = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &target, SQLITE_OPEN_READWRITE,
                             nullptr);
    // An unfinished copy is thrown away whole, so it needs no journal of its own.
    if (rc == SQLITE_OK)
        rc = execute(target, u"PRAGMA journal_mode=OFF"_s);
    if (rc == SQLITE_OK)
        rc = copyPages(target, source.handle());
    // The copy carries the source's write-ahead journal mode in its header; a file kept on its
    // own must not need -wal and -shm files beside it to be read.
    if (rc == SQLITE_OK)
        rc = execute(target, u"PRAGMA journal_mode=DELETE"_s);
    if (rc != SQLITE_OK) {
        result.error = QString::fromUtf8(sqlite3_errmsg(target));
        result.systemError = sqlite3_system_errno(target);
    }
    // A count that cannot be read means a damaged copy, which the copy's check names.
    else
        countIssues(target, source.table(u"pLoansIssue"_s), result.issues);
    sqlite3_close(target);
    return result;
}

} // namespace EngineBackup
