#pragma once

#include "ScriptedPresenter.h"

#include <QString>

// One clerk at work in a process of its own: saves new loans through the entry window and
// cancels issues through the reason dialog, exactly as the register's New and Delete would,
// with the windows offscreen and the message boxes recorded instead of shown.
class Clerk
{
public:
    struct Outcome
    {
        enum Kind {
            Done,        // committed, no message
            Refused,     // the clerk was told why (the message)
            NothingToDo, // the employee has no open application left
            Silent       // neither committed nor told: a lost save
        };
        Kind kind = Silent;
        qint32 issueId = 0;
        QString number;
        QString message;
        double milliseconds = 0; // of a committed save: from OK to its commit
    };

    // Opens the database and takes the register context of company 1's loans. Raises
    // RuntimeError.
    explicit Clerk(const QString& databasePath);

    // New, the employee, the first open application, the remarks pasted in, OK.
    Outcome saveNewIssue(qint32 employee, const QString& remarks = QString());
    // Delete on the issue's row, the reason, OK.
    Outcome cancelIssue(qint32 issueId, const QString& reason);

    // What the windows have shown since the last step began.
    msgbox::ScriptedPresenter& messages() { return m_messages; }

private:
    msgbox::ScriptedPresenter m_messages;
};
