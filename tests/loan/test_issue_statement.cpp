#include "IssueStatement.h"
#include "PayrollSchema.h"
#include "RaisedError.h"
#include "RecordingPreviewPresenter.h"
#include "db/Connection.h"
#include "report/PreviewWindow.h"
#include "report/ReportEngine.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString password = u"tarnbelqowd"_s;

// A payroll database with one company, one employee and five issues: a loan, a cancelled
// advance, a live advance, a long loan and a loan of the company's other interest method.
struct Payroll
{
    QTemporaryDir dir;
    ado::Connection host;

    explicit Payroll(bool inMemory = false)
    {
        host.Open(inMemory ? u":memory:"_s : dir.filePath(u"payroll.db"_s));
        payroll::createSchema(host);
        for (const char* sql : {
                 "insert into pCompanyMaster values (1, 'Harbour Mills Ltd')",
                 "insert into pCompanyMaster values (2, 'Harbour Mills Branch')",
                 "insert into psettings values (1, 1, 30)",
                 "insert into psettings values (2, 0, 0)",
                 "insert into pCurrencyMaster values (1, 1, 'Indian Rupee', ' Rs ')",
                 "insert into pCurrencyMaster values (2, 1, 'US Dollar', '$')",
                 "insert into pemployee values (1, 7, 'E007', 'Karthik Reddy', '2018-11-26', 1)",
                 "insert into pemployee values (2, 7, 'B007', 'Maria Lopez', '2019-01-02', 1)",
                 "insert into pLoans values (1, 3, 'Personal Loan', 1, 12, 5000, 300000)",
                 "insert into pLoans values (1, 5, 'Salary Advance', 1, 0, 1000, 50000)",
                 "insert into pLoans values (2, 1, 'Staff Loan', 1, 10, 1000, 50000)",
                 // Company, id, type, number, loan, amount, payments, instalment, cancelled,
                 // who and why, remarks; all issued 2024-03-15 to employee 7.
                 "insert into pLoansIssueData select column1, column2, column3, column4, "
                 "'2024-03-15', 7, column5, 1, column6, column6, column7, column8, 1, 1, column9, "
                 "column10, 0, column11 from (values "
                 "(1, 5, 'L', 'LN7', 3, 12000, 12, 1055.63, 0, NULL, 'Medical expenses'), "
                 "(1, 6, 'A', 'ADV2', 5, 3000, 3, 1000, 1, "
                 "'clerk:Employee withdrew the request ', NULL), "
                 "(2, 5, 'L', '7', 1, 10000, 3, 3388.89, 0, NULL, NULL), "
                 "(1, 7, 'L', 'LN9', 3, 240000, 120, 3409.62, 0, NULL, NULL), "
                 "(1, 8, 'A', 'ADV3', 5, 3000, 3, 1000, 0, NULL, NULL))",
             })
            host.Execute(QString::fromLatin1(sql));
    }
};

QString installedReport()
{
    // As the register names it: the module's folder and a Windows-style tail.
    return QCoreApplication::applicationDirPath() + u"\\reports\\rptLoanorAdvanceIssue.rpt"_s;
}

// The register's preview steps, in its order.
void preview(rpt::ReportEngine& engine, int company, const QString& issueId, const QString& type,
             const QString& userName, const QString& reportFile = installedReport())
{
    IssueStatement::offerSchedules(engine);
    engine.setProgressDialog(false);
    engine.setWindowState(2); // maximized; the other window options stay at their defaults, shown
    const bool loan = type == u"L";
    engine.setParameterField(2,
                             u"strReportName;%1;true"_s.arg(loan ? u"Loan Issue Statement"_s
                                                                 : u"Advance Issue Statement"_s));
    engine.LogOnServer(u"pdsodbc.dll"_s, u"payrolldsn"_s, u"payroll"_s, password, password);
    engine.setReportFileName(reportFile);
    engine.setParameterField(0, u"@intCompanyID;%1;true"_s.arg(company));
    engine.setParameterField(1, u"@intAdvanceorLoanIssueID;%1;true"_s.arg(issueId));
    if (!userName.isNull())
        engine.setParameterField(3, u"strUserName;%1;true"_s.arg(userName));
    engine.setParameterField(4, u"@type;%1;true"_s.arg(type));
    engine.setAction(1);
}

// Shows the preview window offscreen and saves the PDF from it, as the clerk's button does.
class PdfSavingPresenter : public rpt::PreviewPresenter
{
public:
    explicit PdfSavingPresenter(QString path) : m_path(std::move(path))
    {
        rpt::setPreviewPresenter(this);
    }
    ~PdfSavingPresenter() override { rpt::setPreviewPresenter(nullptr); }

    void present(const rpt::PreparedReport& report, const rpt::PreviewOptions& options,
                 QWidget* parent) override
    {
        rpt::PreviewWindow window(report, options, parent);
        window.show();
        saved = window.saveAsPdf(m_path);
        suggested = window.suggestedFileName();
        maximized = window.isMaximized();
        for (const char* name : {"actPrint", "actSavePdf", "spnPage", "cboZoom"}) {
            if (window.findChild<QObject*>(QString::fromLatin1(name)))
                offered << QString::fromLatin1(name);
        }
        if (window.windowFlags() & Qt::WindowMaximizeButtonHint)
            offered << u"max"_s;
        if (window.windowFlags() & Qt::WindowMinimizeButtonHint)
            offered << u"min"_s;
    }

    bool saved = false;
    bool maximized = false;
    QString suggested;
    QStringList offered; // the tool bar's controls and title bar buttons the window shows

private:
    QString m_path;
};

} // namespace

class TestIssueStatement : public QObject
{
    Q_OBJECT

private slots:
    void statement_data()
    {
        QTest::addColumn<bool>("inMemory");
        QTest::addColumn<int>("company");
        QTest::addColumn<QString>("issueId");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("userName"); // quoted into the footer, or left out when unset
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("absent"); // parts of texts that must not be shown
        // The texts, separated by "|". The totals are what payroll deducts: payments x the
        // stored instalment.
        const auto row = [](const char* name, bool inMemory, int company, const char* id,
                            const char* type, const char* setup, const QString& userName,
                            const QString& shown, const char* absent) {
            QTest::newRow(name) << inMemory << company << QString::fromLatin1(id)
                                << QString::fromLatin1(type) << QString::fromLatin1(setup)
                                << userName << shown.split(u'|')
                                << QString::fromLatin1(absent).split(u'|');
        };
        const QString level =
            u"Harbour Mills Ltd|Loan Issue Statement|LN7|Karthik Reddy (E007)|Loan type|Personal "
            "Loan|12,000.00|Indian Rupee (Rs)|1,055.63|Implied interest|12.0002 % a year, implied "
            "by "
            "the stored amount, payments and instalment|Issued|Medical expenses|Mar 2024|Feb "
            "2025|12,667.56|667.56"_s;
        row("level-payment loan", false, 1, "5", "L", "", u"O'Brien"_s, level, "Rounding|Advance");
        row("the same after its rate and the company's method changed", false, 1, "5", "L",
            "update pLoans set lPercentageofInterest = 20; update psettings set "
            "FlatLoanInterest = 0",
            u"Admin"_s, level, "Rounding|Advance");
        // A declining-balance company's instalment (10 % a year) falls under the same rule: as
        // the first payment carries no interest, the figures imply twice the rate.
        row("declining-balance loan, in-memory database", true, 2, "5", "L", "", u"Admin"_s,
            u"Harbour Mills Branch|20.1128 % a year, implied by the stored amount, payments and "
            "instalment|3,388.89|110.81|10,166.67|166.67"_s,
            "Rounding|Advance");
        row("advance: no interest, no loan", false, 1, "8", "A", "", QString(),
            u"Advance Issue Statement|ADV3|Advance type|Salary Advance|1,000.00|3,000.00"_s,
            "nterest|Loan|Rounding");
        row("cancelled advance: who and why, nothing due", false, 1, "6", "A", "", u"Admin"_s,
            u"CANCELLED|Advance Issue Statement|ADV2|Cancelled|Cancelled by|clerk|Reason|Employee "
            "withdrew the request|1,000.00"_s,
            "Repayment schedule|Total|nterest");
    }
    void statement()
    {
        QFETCH(bool, inMemory);
        QFETCH(int, company);
        QFETCH(QString, issueId);
        QFETCH(QString, type);
        QFETCH(QString, setup);
        QFETCH(QString, userName);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, absent);

        Payroll payroll(inMemory);
        for (const QString& statement : setup.split(u';', Qt::SkipEmptyParts))
            payroll.host.Execute(statement);
        rpt::RecordingPreviewPresenter presenter;
        rpt::ReportEngine engine(payroll.host);
        preview(engine, company, issueId, type, userName);

        QCOMPARE(presenter.shown().size(), 1);
        const auto& report = presenter.shown().front();
        QCOMPARE(report.pages.size(), 1);
        for (const QString& text : shown)
            QVERIFY2(report.pages[0].contains(text), qPrintable(text));
        for (const QString& part : absent) {
            for (const QString& text : report.pages[0])
                QVERIFY2(!text.contains(part), qPrintable(text));
        }
        const QString footer =
            userName.isNull() ? u"Printed on "_s : u"Printed by %1 on "_s.arg(userName);
        QVERIFY2(std::any_of(report.pages[0].cbegin(), report.pages[0].cend(),
                             [&](const QString& t) { return t.startsWith(footer); }),
                 qPrintable(footer));
    }

    // Every page names the issue and its employee; a long remark typed without blanks wraps whole.
    void longScheduleRunsOverPages()
    {
        Payroll payroll;
        const QString remark = QString(180, u'x') + u"END"_s;
        payroll.host.Execute(u"update pLoansIssueData set liRemarks = '"_s + remark +
                             u"' where liID = 7"_s);
        rpt::RecordingPreviewPresenter presenter;
        rpt::ReportEngine engine(payroll.host);
        preview(engine, 1, u"7"_s, u"L"_s, u"Admin"_s);

        const QList<QStringList>& pages = presenter.shown().front().pages;
        QVERIFY(pages.size() > 2);
        for (int page = 0; page < pages.size(); ++page) {
            QCOMPARE(pages[page].back(), u"Page %1 of %2"_s.arg(page + 1).arg(pages.size()));
            QVERIFY(pages[page].contains(u"LN9, Karthik Reddy (E007)"_s));
            if (page > 0 && pages[page].contains(u"Instalment"_s))
                QCOMPARE(pages[page].front(), u"Repayment schedule (continued)"_s);
        }
        QVERIFY(pages.back().contains(u"240,000.00"_s));
        QVERIFY(pages.back().contains(u"409,154.40"_s)); // 120 x 3,409.62
        QVERIFY(std::any_of(pages.front().cbegin(), pages.front().cend(),
                            [&](QString text) { return text.remove(QChar(0x200B)) == remark; }));
        QVERIFY(pages.back().contains(u"Received by the employee"_s));
    }

    void failuresShowNothing_data()
    {
        QTest::addColumn<QString>("issueId");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("reportFile");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const char* id, const char* type, const char* file,
                            const char* message) {
            QTest::newRow(name) << QString::fromLatin1(id) << QString::fromLatin1(type)
                                << QString::fromLatin1(file) << QString::fromLatin1(message);
        };
        row("issue no longer exists", "99", "L", "",
            "Issue 99 no longer exists. Refresh the list and try again.");
        row("quote in a text parameter stays a value", "5", "L' or 'a'='a", "",
            "Issue 5 no longer exists.");
        row("number parameter that is no number", "5 or 1=1", "L", "",
            "The report parameter @intAdvanceorLoanIssueID must be a number, not \"5 or 1=1\".");
        row("missing report file", "5", "L", "missing.rpt",
            "The report file \"missing.rpt\" cannot be found.");
        row("failing statement", "5", "L", "broken.rpt",
            "The report statement [query issue] failed: ");
        row("schedule from a provider not offered", "5", "L", "provider.rpt",
            "The schedule plan names the provider \"interest only\", which this program does "
            "not offer.");
    }
    void failuresShowNothing()
    {
        QFETCH(QString, issueId);
        QFETCH(QString, type);
        QFETCH(QString, reportFile);
        QFETCH(QString, message);

        Payroll payroll;
        QFile broken(payroll.dir.filePath(u"broken.rpt"_s));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("[parameters]\n@intCompanyID = number\n@intAdvanceorLoanIssueID = number\n"
                     "strReportName = text\nstrUserName = text\n@type = text\n"
                     "[query issue]\nrows = one\nsql = select nosuchcolumn from pLoansIssueData\n"
                     "[title]\nheading = {issue.nosuchcolumn}\n");
        broken.close();
        QFile provider(payroll.dir.filePath(u"provider.rpt"_s));
        QVERIFY(provider.open(QIODevice::WriteOnly));
        provider.write("[parameters]\n@intCompanyID = number\n@intAdvanceorLoanIssueID = number\n"
                       "strReportName = text\nstrUserName = text\n@type = text\n"
                       "[query issue]\nrows = one\nsql = select 1 as n\n"
                       "[schedule plan]\nprovider = interest only\nn = {issue.n}\n"
                       "[title]\nheading = {issue.n}\n");
        provider.close();
        const bool written = reportFile == u"broken.rpt" || reportFile == u"provider.rpt";
        const QString file = reportFile.isEmpty() ? installedReport()
                             : written            ? payroll.dir.filePath(reportFile)
                                                  : reportFile;

        rpt::RecordingPreviewPresenter presenter;
        rpt::ReportEngine engine(payroll.host);
        const QString failure =
            failureOf([&] { preview(engine, 1, issueId, type, u"Admin"_s, file); });
        QVERIFY2(failure.startsWith(message), qPrintable(failure));
        QVERIFY(presenter.shown().isEmpty());
    }

    // The window offers what the engine's options say, opens maximized and saves the PDF.
    void previewWindowSavesThePdf()
    {
        Payroll payroll;
        const QString pdf = payroll.dir.filePath(u"statement.pdf"_s);
        PdfSavingPresenter presenter(pdf);
        rpt::ReportEngine engine(payroll.host);
        engine.setWindowShowPrintBtn(false);
        engine.setWindowMaxButton(false);
        engine.setWindowShowNavigationCtls(false);
        preview(engine, 1, u"5"_s, u"L"_s, u"Admin"_s);

        QCOMPARE(presenter.offered, (QStringList{"actSavePdf", "cboZoom", "min"}));
        QVERIFY(presenter.saved);
        QVERIFY(presenter.maximized);
        QCOMPARE(presenter.suggested, u"Loan Issue Statement LN7.pdf"_s);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(5), QByteArray("%PDF-"));
    }
};

QTEST_MAIN(TestIssueStatement)
#include "test_issue_statement.moc"
