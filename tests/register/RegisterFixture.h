#pragma once

#include "ScriptedPresenter.h"
#include "db/Connection.h"

#include <QDate>
#include <QStringList>

class FlexGrid;
class FrmMaster;

// A payroll database built from the real schema in memory, with company 1's settings, two loan
// types and a few employees, and the register opened on it as the host would open it.
class RegisterFixture
{
public:
    static inline const QDate ProcessDate{2003, 3, 15};

    // A fresh database whose register lists the last `days` days (0: every issue).
    explicit RegisterFixture(int days = 0);
    ~RegisterFixture();

    ado::Connection& connection() { return *m_connection; }
    msgbox::ScriptedPresenter& messages() { return m_messages; }
    void exec(const QString& sql) { m_connection->Execute(sql); }

    // Employees 1 "Adam Reyes", 2 "Zoe Park", 3 "Bea Lindqvist"; loan types 1 "Housing", 2 "Car".
    int addEmployee(const QString& name);
    void addIssue(int id, const QString& number, QDate date, int employee, double opening,
                  double current, bool cancelled = false, const QString& type = QStringLiteral("L"),
                  int loanType = 1);
    void addRights(int user, int interfaceId, const QString& rights);

    // Sets the host context and loads the register (unloading one left open).
    FrmMaster& open(const QString& type = QStringLiteral("L"), qint16 user = 1);

private:
    ado::ConnectionPtr m_connection;
    msgbox::ScriptedPresenter m_messages;
    int m_employees = 0;
};

// The texts of one grid row, or of one column's data rows.
QStringList rowTexts(const FlexGrid& grid, int row);
QStringList columnTexts(const FlexGrid& grid, int col);
// Which of New, Edit, Delete and Preview are enabled, as their letters.
QString enabledCommands(const FrmMaster& register_);
