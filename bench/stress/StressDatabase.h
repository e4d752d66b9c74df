#pragma once

#include <QDate>
#include <QHash>
#include <QString>

// The database the stress and crash runs share: the demo payroll plus, in company 1, generated
// employees each holding approved loan applications. Every generated application has a loan type
// of its own and one unprocessed repayment row for it, so that each issue's repayment row shows
// whether that issue's save marked it.
namespace stress {

inline constexpr qint16 Company = 1;
inline constexpr qint16 ClerkUser = 2;
inline constexpr qint32 FirstEmployee = 1000;
// Loan type and application ids; those of a seeded register (one application an issue) stay
// below, up to ten million issues.
inline constexpr qint32 FirstGenerated = 10000000;

QDate processDate();

// Creates the database file afresh (an existing one is removed first), company 1 first seeded
// with seededIssues loans of other employees. Raises RuntimeError.
void createStressDatabase(const QString& path, int employees, int applications,
                          int seededIssues = 0);

struct StoredIssue
{
    QString number;
    bool cancelled = false;
};

// The issues of the generated applications stored in the file, by id. Raises RuntimeError.
QHash<qint32, StoredIssue> generatedIssues(const QString& path);

} // namespace stress
