#include "DatabaseAudit.h"

#include "StressDatabase.h"

#include "db/Connection.h"
#include "db/PreparedStatement.h"
#include "runtime/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace stress {

namespace {

int count(ado::Connection& connection, const QString& sql)
{
    return ado::PreparedStatement(connection, sql).scalar().toInt();
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
        found << u"integrity check: "_s + integrity;
    if (duplicateIds)
        found << u"%1 duplicate ids"_s.arg(duplicateIds);
    if (duplicateNumbers)
        found << u"%1 duplicate numbers"_s.arg(duplicateNumbers);
    if (issuesWithoutMarks)
        found << u"%1 issues without their repayment rows marked"_s.arg(issuesWithoutMarks);
    if (marksWithoutIssue)
        found << u"%1 repayment rows marked without an issue"_s.arg(marksWithoutIssue);
    return found.join(u"; "_s);
}

DatabaseAudit DatabaseAudit::of(const QString& path)
{
    DatabaseAudit audit;
    try {
        ado::Connection connection;
        connection.Open(path);
        audit.integrity =
            ado::PreparedStatement(connection, u"PRAGMA integrity_check"_s).scalar().toString();
        audit.duplicateIds =
            count(connection, u"SELECT count(*) FROM (SELECT 1 FROM pLoansIssueData "
                              "GROUP BY liCompanyID, liID HAVING count(*) > 1)"_s);
        audit.duplicateNumbers =
            count(connection, u"SELECT count(*) FROM (SELECT 1 FROM pLoansIssueData "
                              "GROUP BY liCompanyID, litype, liNo "
                              "HAVING count(*) > 1)"_s);
        const QString company = QString::number(Company);
        const QString first = QString::number(FirstGenerated);
        audit.issuesWithoutMarks = count(
            connection, u"SELECT count(*) FROM pLoansIssueData i WHERE i.liCompanyID = %1 AND "
                        "i.liLoanID >= %2 AND EXISTS (SELECT 1 FROM ploanrepaymentdetails r "
                        "WHERE r.lrdcompanyid = i.liCompanyID AND r.lrdEmpID = i.liempid AND "
                        "r.lrdLoanID = i.liLoanID AND r.lrdProcessed = 0)"_s.arg(company, first));
        audit.marksWithoutIssue = count(
            connection, u"SELECT count(*) FROM ploanrepaymentdetails r WHERE r.lrdcompanyid = "
                        "%1 AND r.lrdLoanID >= %2 AND r.lrdProcessed = 1 AND NOT EXISTS "
                        "(SELECT 1 FROM pLoansIssueData i WHERE i.liCompanyID = "
                        "r.lrdcompanyid AND i.liempid = r.lrdEmpID AND i.liLoanID = "
                        "r.lrdLoanID)"_s.arg(company, first));
        audit.issues =
            count(connection, u"SELECT count(*) FROM pLoansIssueData "
                              "WHERE liCompanyID = %1 AND liLoanID >= %2"_s.arg(company, first));
        audit.cancelled = count(connection, u"SELECT count(*) FROM pLoansIssueData WHERE "
                                            "liCompanyID = %1 AND liLoanID >= %2 AND "
                                            "licancelled = 1"_s.arg(company, first));
    } catch (const RuntimeError& e) {
        audit.integrity = e.description();
    }
    return audit;
}

} // namespace stress
