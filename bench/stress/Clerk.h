#pragma once

#include "SupersedingPresenter.h"

#include <QString>

// One clerk at work in a process of its own: saves new loans through the entry window and
// cancels issues through the reason dialog, exactly as the register's New and Delete would,
// with the windows offscreen and the message boxes recorded instead of shown. It means to
// supersede: a new issue may close the employee's running loan.
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
        double milliseconds = 0; // of a committed save: from OK, or the Yes to close the
                                 // running loan, to its commit
    };

    // Opens the database and takes the register context of company 1's loans. Raises
    // RuntimeError.
    explicit Clerk(const QString& databasePath);

    // New, the employee, the first open application, the remarks pasted in, OK.
    Outcome saveNewIssue(qint32 employee, const QString& remarks = QString());
    // Delete on the issue's row, the reason, OK.
    Outcome cancelIssue(qint32 issueId, const QString& reason);

    // What the windows have shown since the last step began.
    msgbox::SupersedingPresenter& messages() { return m_messages; }

private:
    msgbox::SupersedingPresenter m_messages;
};
