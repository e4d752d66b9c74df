#include "SqliteFile.h"

#include "HostDatabase.h"
#include "PayrollTables.h"
#include "db/EngineErrors.h"
#include "db/SqlServerCollation.h"
#include "db/SqliteEngine.h"
#include "db/SqliteFileTarget.h"

#include <QFile>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

SqliteFile::SqliteFile(const QString& path)
{
    const ado::SqliteFileTarget target = ado::SqliteFileTarget::forReading(path);
    if (!target.refusal.isEmpty()) {
        m_error = m_refusal = target.refusal;
        return;
    }
    const int rc = sqlite3_open_v2(target.databaseName.toUtf8().constData(), &m_db,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    if (rc != SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
        return;
    }
    sqlite3_busy_timeout(m_db, ado::SqliteEngine::busyTimeoutMs);
    ado::SqlServerCollation::install(m_db);
    // The engine reads a file lazily: a file that is not a database shows here.
    m_error = query(u"SELECT count(*) FROM sqlite_master"_s).error;
    m_notADatabase = sqlite3_errcode(m_db) == SQLITE_NOTADB;
    if (sqlite3_extended_errcode(m_db) == SQLITE_READONLY_ROLLBACK)
        m_error = ado::EngineErrors::fromSqlite(SQLITE_READONLY_ROLLBACK, m_error).description();
}

SqliteFile::~SqliteFile()
{
    sqlite3_close(m_db);
}

SqliteFile::Rows SqliteFile::query(const QString& sql) const
{
    Rows result;
    sqlite3_stmt* statement = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &statement, nullptr) !=
        SQLITE_OK) {
        result.error = QString::fromUtf8(sqlite3_errmsg(m_db));
        return result;
    }
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        QStringList row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            const auto* field = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
            row << (field ? QString::fromUtf8(field) : u"NULL"_s);
        }
        result.rows << row;
    }
    if (rc != SQLITE_DONE)
        result.error = QString::fromUtf8(sqlite3_errmsg(m_db));
    sqlite3_finalize(statement);
    return result;
}

QString SqliteFile::table(const QString& logical) const
{
    // The module reads the map in its stored order and keeps the last row for a name.
    const Rows mapped = query(u"SELECT trim(linktablename) FROM %1 WHERE tablename = '%2' "
                              "COLLATE SQLSERVER_CI ORDER BY rowid DESC LIMIT 1"_s.arg(
                                  payroll::table::LinkTable, logical));
    if (!mapped.error.isEmpty())
        return QString();
    return mapped.rows.isEmpty() ? logical : mapped.rows.front().value(0);
}

QString SqliteFile::notPayrollReason() const
{
    const QString issues = table(u"pLoansIssue"_s);
    if (issues.isEmpty())
        return u"it has no table map (%1)"_s.arg(payroll::table::LinkTable);
    const Rows found =
        query(u"SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name "
              "= '%1' COLLATE NOCASE"_s.arg(QString(issues).replace(u'\'', u"''"_s)));
    if (!found.error.isEmpty())
        return found.error;
    if (found.rows.value(0).value(0) != u"1")
        return u"it has no %1 table, which its table map names for the issues"_s.arg(issues);
    return QString();
}

QString refusalForNonFile(const QString& database, const QString& option)
{
    if (database.startsWith(QLatin1String("odbc:"), Qt::CaseInsensitive))
        return u"%1 works on the embedded database's file only. A database reached "
               "through ODBC lives on the company's server, whose own backups "
               "and checks look after it. Nothing was done."_s.arg(option);
    if (!HostDatabase::namesFile(database))
        return u"%1 needs a database file; %2 is none. Nothing was done."_s.arg(option, database);
    return QString();
}
