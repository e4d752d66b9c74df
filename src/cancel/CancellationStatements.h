#pragma once

#include <QString>

// The statements of a cancellation, built from the module-wide table names and host context.
// The reason is the one text a clerk types into a statement: every text value goes in as a
// literal whose apostrophes are doubled, so whatever is typed is stored as typed and never
// changes the statement's shape.
namespace CancellationStatements {

// The remark stored with a cancelled issue: the user's name and the reason, each trimmed of
// blanks, joined by a colon (the cancelling statement adds one blank after it).
QString remark(const QString& userName, const QString& reason);

// The signed-in user's name within the company.
QString userNameLookup();

// The issue's payroll-use and cancelled flags, read under an update lock so that no one can
// use or cancel the issue between this read and the cancelling update of the same transaction.
QString issueStateCheck(const QString& issueId);

// Marks the issue cancelled with the remark; the issue id is compared as a quoted text.
QString cancelIssue(const QString& remark, const QString& issueId);

} // namespace CancellationStatements
