#pragma once

#include "ScriptedPresenter.h"
#include "db/Connection.h"

#include <QDate>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

class FlexGrid;
class FrmMaster;

// A payroll database and the register opened on it as the host would open it. Either built from
// the real schema in memory, with company 1's settings, two loan types and a few employees, or
// the demo payroll in a file, with a second connection to it for what other clerks and payroll
// do meanwhile.
class RegisterFixture
{
public:
    static inline const QString Title = QStringLiteral("Payroll");
    static constexpr int LiveIssue = 13; // the demo's LN10: live, not used by payroll

    // A fresh database whose register lists the last `days` days (0: every issue).
    explicit RegisterFixture(int days = 0);
    // The demo payroll, processed on 15 March 2024.
    struct Demo
    {
    };
    explicit RegisterFixture(Demo);
    ~RegisterFixture();

    const QDate processDate;
    ado::Connection& connection() { return *m_connection; }
    ado::Connection& otherClerk() { return m_other; }
    msgbox::ScriptedPresenter& messages() { return m_messages; }
    void exec(const QString& sql) { m_connection->Execute(sql); }

    // Employees 1 "Adam Reyes", 2 "Zoe Park", 3 "Bea Lindqvist"; loan types 1 "Housing", 2 "Car".
    int addEmployee(const QString& name);
    void addIssue(int id, const QString& number, QDate date, int employee, double opening,
                  double current, bool cancelled = false, const QString& type = QStringLiteral("L"),
                  int loanType = 1);

    // Sets the host context and loads the register (unloading one left open).
    FrmMaster& open(const QString& type = QStringLiteral("L"), qint16 user = 1);

    // An issue's columns as another connection reads them now.
    QVariant issueField(int liID, const char* column);
    // Every user and every issue but one (0: all), as another connection reads them now.
    QList<QVariantList> everythingBut(int liID);

private:
    QTemporaryDir m_dir;
    ado::ConnectionPtr m_connection;
    ado::Connection m_other;
    msgbox::ScriptedPresenter m_messages;
    int m_employees = 0;
};

// The texts of one grid row, or of one column's data rows.
QStringList rowTexts(const FlexGrid& grid, int row);
QStringList columnTexts(const FlexGrid& grid, int col);
// Makes the row of the issue with this number current and answers it (-1: none).
int selectIssue(FlexGrid& grid, const QString& number);
// Which of New, Edit, Delete and Preview are enabled, as their letters.
QString enabledCommands(const FrmMaster& register_);
