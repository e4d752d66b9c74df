#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct sqlite3;

// The host's inspection handle: the one road to the engine outside the platform's connection,
// taken on purpose by --check and --backup. A payroll database file opened directly through the
// engine, read-only and without the set-up a connection does (journal mode, synchronisation),
// so that inspecting or copying it never changes it; a user who may only read it and would
// leave files beside it is refused. Only the text collation the schema declares is registered:
// its indexes cannot be read without it.
class SqliteFile
{
public:
    // Opens the file and reads its schema; error() says why when that fails.
    explicit SqliteFile(const QString& path);
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    sqlite3* handle() const { return m_db; }
    // Empty when the file is open and readable.
    const QString& error() const { return m_error; }
    // The file could be read, but it holds no database.
    bool notADatabase() const { return m_notADatabase; }
    // Why this user is not let read the file at all (see ado::SqliteFileTarget); empty when it
    // was opened.
    const QString& refusal() const { return m_refusal; }

    struct Rows
    {
        QList<QStringList> rows; // every field as text, NULL as "NULL"
        QString error;           // the engine's message when the statement failed
    };
    // Runs a statement in the engine's own dialect.
    Rows query(const QString& sql) const;

    // The physical name of a payroll table as the table map (linktable) names it for the module,
    // e.g. "pLoansIssueData" for "pLoansIssue"; the logical name itself for a table the map does
    // not cover; empty when the map cannot be read or names nothing.
    QString table(const QString& logical) const;
    // Empty when the file holds the table map and the issue table it names, otherwise why it is
    // no payroll database.
    QString notPayrollReason() const;

private:
    sqlite3* m_db = nullptr;
    QString m_error;
    QString m_refusal;
    bool m_notADatabase = false;
};

// --backup and --check work on the embedded database's file. Empty when the --db text names one,
// otherwise the refusal to print.
QString refusalForNonFile(const QString& database, const QString& option);
