#include "IssueStatement.h"

#include "RepaymentPlanProvider.h"
#include "report/ReportEngine.h"

using namespace Qt::StringLiterals;

namespace IssueStatement {

QString reportFile(const QString& moduleFolder)
{
    return moduleFolder + u"\\reports\\rptLoanorAdvanceIssue.rpt"_s;
}

QString reportName(const QString& issueType)
{
    if (issueType == u"L")
        return u"Loan Issue Statement"_s;
    if (issueType == u"A")
        return u"Advance Issue Statement"_s;
    return {};
}

void offerSchedules(rpt::ReportEngine& engine)
{
    engine.addScheduleProvider(loan::RepaymentPlanProvider::name,
                               std::make_shared<loan::RepaymentPlanProvider>());
}

} // namespace IssueStatement
