#include "PrintStatements.h"

#include "HostDatabase.h"
#include "IssueStatement.h"
#include "ModuleLoader.h"
#include "db/Recordset.h"
#include "db/SqlLiteral.h"
#include "report/PreviewPresenter.h"
#include "report/ReportEngine.h"
#include "report/ReportErrors.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

// Keeps each report the engine runs instead of showing it.
class CollectingPresenter : public rpt::PreviewPresenter
{
public:
    CollectingPresenter() { rpt::setPreviewPresenter(this); }
    ~CollectingPresenter() override { rpt::setPreviewPresenter(nullptr); }
    CollectingPresenter(const CollectingPresenter&) = delete;
    CollectingPresenter& operator=(const CollectingPresenter&) = delete;

    void present(const rpt::PreparedReport& report, const rpt::PreviewOptions&, QWidget*) override
    {
        reports.append(report);
    }

    QList<rpt::PreparedReport> reports;
};

QVariant firstValue(ado::Connection& connection, const QString& sql)
{
    ado::Recordset rs;
    rs.Open(sql, connection);
    const QVariant value = rs.isEOF() ? QVariant() : rs.value(0);
    rs.Close();
    return value;
}

// The physical name of a payroll table, as the table map gives it (the last row counts, as in
// the module), else the logical name.
QString physicalName(ado::Connection& connection, const QString& logical)
{
    ado::Recordset rs;
    rs.Open(u"select linktablename from linktable where tablename = '%1'"_s.arg(
                ado::quotedText(logical)),
            connection);
    QString name;
    for (; !rs.isEOF(); rs.MoveNext())
        name = vb::Trim(vb::TextOf(rs.value(0)));
    rs.Close();
    return name.isEmpty() ? logical : name;
}

// The register's Preview, step for step, with the issue given.
void runStatement(rpt::ReportEngine& engine, const HostOptions& options, const QString& issueId,
                  const QVariant& userName, const QString& reportFile)
{
    IssueStatement::offerSchedules(engine);
    engine.setProgressDialog(false);
    engine.setWindowTitle(options.issueType == u"L" ? u"Loan Issue"_s : u"Advance Issue"_s);
    engine.setParameterField(2, u"strReportName;"_s +
                                    IssueStatement::reportName(options.issueType) + u";true"_s);
    engine.LogOnServer(u"pdsodbc.dll"_s, u"payrolldsn"_s, u"payroll"_s, u"tarnbelqowd"_s,
                       u"tarnbelqowd"_s);
    engine.setReportFileName(reportFile);
    engine.setParameterField(0,
                             u"@intCompanyID;"_s + QString::number(options.companyId) + u";true"_s);
    engine.setParameterField(1, u"@intAdvanceorLoanIssueID;"_s + issueId + u";true"_s);
    if (!userName.isNull())
        engine.setParameterField(3,
                                 u"strUserName;"_s + vb::Trim(vb::TextOf(userName)) + u";true"_s);
    engine.setParameterField(4, u"@type;"_s + options.issueType + u";true"_s);
    engine.setAction(1);
}

} // namespace

namespace PrintStatements {

int run(const HostOptions& options, QTextStream& out, QTextStream& err)
{
    // Printing only reads: a backup printed from keeps its journal mode.
    const ado::ConnectionPtr connection =
        HostDatabase::openExisting(options.database, HostDatabase::Access::Read);
    const QString issues = physicalName(*connection, u"pLoansIssue"_s);
    QStringList ids;
    QStringList missing;
    for (const QString& number : options.statementNumbers) {
        const QVariant id = firstValue(
            *connection,
            u"select liID from %1 where liCompanyID = %2 and litype = '%3' and "
            "liNo = '%4'"_s.arg(issues, QString::number(options.companyId),
                                ado::quotedText(options.issueType), ado::quotedText(number)));
        if (id.isNull())
            missing.append(number);
        else
            ids.append(vb::TextOf(id));
    }
    if (!missing.isEmpty()) {
        err << u"payroll-host: company %1 has no %2 numbered %3; nothing was written.\n"_s.arg(
            QString::number(options.companyId),
            options.issueType == u"L" ? u"loan issue"_s : u"advance issue"_s,
            missing.join(u", "_s));
        return 1;
    }
    const QVariant userName = firstValue(
        *connection, u"select username from %1 where userid = %2"_s.arg(
                         physicalName(*connection, u"pusers"_s), QString::number(options.userId)));
    // The report file is looked up beside the module, as the module itself does.
    const QString reportFile = IssueStatement::reportFile(
        QFileInfo(ModuleLoader(options.modulePath).path()).absolutePath());

    CollectingPresenter presenter;
    for (const QString& id : ids) {
        rpt::ReportEngine engine(*connection);
        runStatement(engine, options, id, userName, reportFile);
    }
    QSaveFile file(options.pdfPath);
    if (!file.open(QIODevice::WriteOnly))
        throw RuntimeError(rpt::errors::Output,
                           u"%1 cannot be written: %2"_s.arg(options.pdfPath, file.errorString()));
    rpt::PreparedReport::writePdf(presenter.reports, file);
    if (!file.commit())
        throw RuntimeError(rpt::errors::Output,
                           u"%1 cannot be written: %2"_s.arg(options.pdfPath, file.errorString()));
    out << u"%1 statement(s) written to %2\n"_s.arg(ids.size()).arg(options.pdfPath);
    return 0;
}

} // namespace PrintStatements
