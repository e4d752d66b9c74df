#pragma once

#include <QString>

namespace stress {

// What a stress or crash run must find in the database afterwards. A save is one transaction:
// an issue row and the marks on its repayment rows are stored together or not at all.
struct DatabaseAudit
{
    QString integrity;          // PRAGMA integrity_check; "ok" when sound
    int duplicateIds = 0;       // (company, id) held by more than one issue
    int duplicateNumbers = 0;   // (company, type, number) held by more than one issue
    int issuesWithoutMarks = 0; // generated issues whose repayment row is still unprocessed
    int marksWithoutIssue = 0;  // processed generated repayment rows with no issue behind them
    int issues = 0;             // issues of the generated applications
    int cancelled = 0;          // of which cancelled

    bool sound() const;
    // One line naming every fault found, empty when sound.
    QString faults() const;

    // Opens the file afresh (recovering its journal as any clerk's next open would) and reads it.
    // A file that cannot be opened or read comes back with the error as its integrity text.
    static DatabaseAudit of(const QString& path);
};

} // namespace stress
