#include "DatabaseAudit.h"

#include "StressDatabase.h"

#include "data/NativeStatement.h"
#include "platform/db/Connection.h"
#include "platform/runtime/RuntimeError.h"

namespace stress {

namespace {

int count(ado::Connection& connection, const QString& sql)
{
    return payroll::NativeStatement(connection, sql).scalar().toInt();
}

} // namespace

bool DatabaseAudit::sound() const
{
    return faults().isEmpty();
}

QString DatabaseAudit::faults() const
{
    QStringList found;
    if (integrity != u"ok")
        found << QStringLiteral("integrity check: ") + integrity;
    if (duplicateIds)
        found << QStringLiteral("%1 duplicate ids").arg(duplicateIds);
    if (duplicateNumbers)
        found << QStringLiteral("%1 duplicate numbers").arg(duplicateNumbers);
    if (issuesWithoutMarks)
        found << QStringLiteral("%1 issues without their repayment rows marked")
                     .arg(issuesWithoutMarks);
    if (marksWithoutIssue)
        found << QStringLiteral("%1 repayment rows marked without an issue").arg(marksWithoutIssue);
    return found.join(QStringLiteral("; "));
}

DatabaseAudit DatabaseAudit::of(const QString& path)
{
    DatabaseAudit audit;
    try {
        ado::Connection connection;
        connection.Open(path);
        audit.integrity =
            payroll::NativeStatement(connection, QStringLiteral("PRAGMA integrity_check"))
                .scalar()
                .toString();
        audit.duplicateIds =
            count(connection, QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM pLoansIssueData "
                                             "GROUP BY liCompanyID, liID HAVING count(*) > 1)"));
        audit.duplicateNumbers =
            count(connection, QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM pLoansIssueData "
                                             "GROUP BY liCompanyID, litype, liNo "
                                             "HAVING count(*) > 1)"));
        const QString company = QString::number(Company);
        const QString first = QString::number(FirstGenerated);
        audit.issuesWithoutMarks = count(
            connection,
            QStringLiteral("SELECT count(*) FROM pLoansIssueData i WHERE i.liCompanyID = %1 AND "
                           "i.liLoanID >= %2 AND EXISTS (SELECT 1 FROM ploanrepaymentdetails r "
                           "WHERE r.lrdcompanyid = i.liCompanyID AND r.lrdEmpID = i.liempid AND "
                           "r.lrdLoanID = i.liLoanID AND r.lrdProcessed = 0)")
                .arg(company, first));
        audit.marksWithoutIssue = count(
            connection,
            QStringLiteral("SELECT count(*) FROM ploanrepaymentdetails r WHERE r.lrdcompanyid = "
                           "%1 AND r.lrdLoanID >= %2 AND r.lrdProcessed = 1 AND NOT EXISTS "
                           "(SELECT 1 FROM pLoansIssueData i WHERE i.liCompanyID = "
                           "r.lrdcompanyid AND i.liempid = r.lrdEmpID AND i.liLoanID = "
                           "r.lrdLoanID)")
                .arg(company, first));
        audit.issues = count(connection, QStringLiteral("SELECT count(*) FROM pLoansIssueData "
                                                        "WHERE liCompanyID = %1 AND liLoanID >= %2")
                                             .arg(company, first));
        audit.cancelled =
            count(connection, QStringLiteral("SELECT count(*) FROM pLoansIssueData WHERE "
                                             "liCompanyID = %1 AND liLoanID >= %2 AND "
                                             "licancelled = 1")
                                  .arg(company, first));
    } catch (const RuntimeError& e) {
        audit.integrity = e.description();
    }
    return audit;
}

} // namespace stress
