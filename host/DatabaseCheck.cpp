#include "DatabaseCheck.h"

#include "ServerTypeCheck.h"
#include "SqliteFile.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace DatabaseCheck {

namespace {

using Describe = std::function<QString(const QStringList&)>;

Result findRows(const SqliteFile& file, const QString& name, const QString& sql,
                const Describe& describe)
{
    Result result{name, {}};
    const SqliteFile::Rows found = file.query(sql);
    for (const QStringList& row : found.rows)
        result.findings << describe(row);
    // A check that cannot run has not shown the file sound.
    if (!found.error.isEmpty())
        result.findings << u"could not be checked: "_s + found.error;
    return result;
}

Result integrity(const SqliteFile& file)
{
    Result result = findRows(file, u"integrity check"_s, u"PRAGMA integrity_check"_s,
                             [](const QStringList& row) { return row.value(0); });
    if (result.findings == QStringList{u"ok"_s})
        result.findings.clear();
    return result;
}

} // namespace

QList<Result> run(const SqliteFile& file)
{
    // Named as the module names them, so a check reads the tables the registers use.
    const QString LoansIssue = file.table(u"pLoansIssue"_s);
    const QString Employee = file.table(u"pemployee"_s);
    const QString Loans = file.table(u"pLoans"_s);
    const QString Repayment = file.table(u"ploanrepaymentdetails"_s);
    return {
        integrity(file),
        findRows(file, u"duplicate issue id"_s,
                 u"SELECT liCompanyID, liID, count(*) FROM %1 GROUP BY liCompanyID, "
                 "liID HAVING count(*) > 1 ORDER BY 1, 2"_s.arg(LoansIssue),
                 [](const QStringList& row) {
                     return u"company %1, id %2 held by %3 issues"_s.arg(row[0], row[1], row[2]);
                 }),
        // Numbers compare as the module's unique key compares them: 'ln1 ' is 'LN1'.
        findRows(file, u"duplicate issue number"_s,
                 u"SELECT liCompanyID, litype, liNo, count(*) FROM %1 GROUP BY "
                 "liCompanyID, litype COLLATE SQLSERVER_CI, liNo COLLATE "
                 "SQLSERVER_CI HAVING count(*) > 1 ORDER BY 1, 2, 3"_s.arg(LoansIssue),
                 [](const QStringList& row) {
                     return u"company %1, type %2, number %3 held by %4 issues"_s.arg(
                         row[0], row[1], row[2], row[3]);
                 }),
        findRows(file, u"missing employee"_s,
                 u"SELECT liCompanyID, liID, liempid FROM %1 i WHERE NOT EXISTS "
                 "(SELECT 1 FROM %2 e WHERE e.eCompanyID = i.liCompanyID AND "
                 "e.eEmpID = i.liempid) ORDER BY 1, 2"_s.arg(LoansIssue, Employee),
                 [](const QStringList& row) {
                     return u"issue %2 of company %1 names employee %3, who is "
                            "not on file"_s.arg(row[0], row[1], row[2]);
                 }),
        findRows(file, u"missing loan type"_s,
                 u"SELECT liCompanyID, liID, liLoanID FROM %1 i WHERE NOT EXISTS "
                 "(SELECT 1 FROM %2 l WHERE l.lCompanyID = i.liCompanyID AND "
                 "l.lLoanID = i.liLoanID) ORDER BY 1, 2"_s.arg(LoansIssue, Loans),
                 [](const QStringList& row) {
                     return u"issue %2 of company %1 names loan type %3, which is "
                            "not on file"_s.arg(row[0], row[1], row[2]);
                 }),
        findRows(file, u"repayment flag not 0 or 1"_s,
                 u"SELECT lrdID, quote(lrdProcessed) FROM %1 WHERE lrdProcessed IS "
                 "NULL OR lrdProcessed NOT IN (0, 1) ORDER BY 1"_s.arg(Repayment),
                 [](const QStringList& row) {
                     return u"repayment row %1 has lrdProcessed %2"_s.arg(row[0], row[1]);
                 }),
        ServerTypeCheck::run(file),
    };
}

} // namespace DatabaseCheck
