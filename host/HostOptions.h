#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// What payroll-host was asked to do, from its command line.
struct HostOptions
{
    enum class Action {
        OpenRegister, // no admin option: open the loan or advance register
        InitDatabase, // --init-db
        CreateDemo,   // --demo
        RunStatement, // --sql
        Backup,       // --backup
        Check,        // --check
        Statements,   // --statement with --pdf
    };

    Action action = Action::OpenRegister;
    QString database;             // --db: a SQLite path, ":memory:" or "odbc:..."
    QString statement;            // --sql
    QString backupTarget;         // --backup
    QStringList statementNumbers; // --statement: issue numbers (liNo)
    QString pdfPath;              // --pdf
    QString issueType = QStringLiteral("L");
    qint16 userId = 1;
    qint16 companyId = 1;
    QDate processDate; // today unless given
    QString title = QStringLiteral("Payroll");
    QString modulePath; // empty: the module beside the host

    bool isAdminAction() const { return action != Action::OpenRegister; }
};
