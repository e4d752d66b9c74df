// Over ODBC the statements reach the company's SQL Server as the module writes them. Working a
// demo payroll through the SQLite ODBC driver, every statement New, Edit, Delete and Preview
// send is recorded and must be one of the module's own or one of those the README lists as
// added by this project.
#include "ProofTests.h"

#include "../cancel/ModalWatch.h"

#include "cancel/frmCancel.h"
#include "common/BasLoan.h"
#include "data/DemoData.h"
#include "data/PayrollSchema.h"
#include "issue_entry/frmLoan.h"
#include "platform/grid/FlexGrid.h"
#include "platform/report/RecordingPreviewPresenter.h"
#include "platform/ui/MessageBox.h"
#include "register/FrmMaster.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QTemporaryDir>

namespace {

// A statement with its values taken out: each literal becomes '?' and each number #, so that
// statements built from the same fragments compare equal.
QString shapeOf(const QString& statement)
{
    static const QRegularExpression literal(QStringLiteral("'(?:[^']|'')*'"));
    static const QRegularExpression number(QStringLiteral("(?<![\\w.])\\d+(?:\\.\\d+)?"));
    return QString(statement).replace(literal, QStringLiteral("'?'")).replace(number, u"#"_qs);
}

// The module's own statements as these flows send them on company 1's loan register.
const char* const ModuleStatements[] = {
    " select tablename, linktablename from linktable where tablename in ( 'pusers', "
    "'pLoansIssue', 'pLoans', 'ploanrepaymentdetails ', 'ptables', 'ptablecolumns', "
    "'puserrights', 'psettings', 'pemployee', 'ploanapplication', 'pPrefix', 'pCurrencyMaster')",
};

// The first column of the README's table of added statements, in backticks.
QStringList addedStatements()
{
    QFile readme(QStringLiteral(PROJECT_README));
    if (!readme.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(readme.readAll());
    const QString table = text.section(QStringLiteral("### Statements this project added"), 1, 1)
                              .section(QStringLiteral("\n\n"), 1, 1);
    static const QRegularExpression cell(QStringLiteral("^\\| `([^`]+)`"),
                                         QRegularExpression::MultilineOption);
    QStringList statements;
    for (const QRegularExpressionMatch& m : cell.globalMatch(table))
        statements << m.captured(1);
    return statements;
}

} // namespace

class ServerStatementsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ado::Connection m_adapter;
    QStringList m_sent;

    FrmMaster& selectLastRow()
    {
        FrmMaster& reg = FrmMaster::instance();
        reg.flexMaster->setRow(reg.flexMaster->Rows() - 1);
        return reg;
    }

private slots:
    void initTestCase()
    {
        QFile drivers(QStringLiteral("/etc/odbcinst.ini"));
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")) ||
            !drivers.open(QIODevice::ReadOnly) || !drivers.readAll().contains("[SQLite3]"))
            QSKIP("Qt's ODBC driver or the SQLite3 ODBC driver is not installed");
        const QString file = m_dir.filePath(QStringLiteral("payroll.db"));
        {
            ado::Connection embedded;
            embedded.Open(file);
            payroll::createDemoDatabase(embedded, QDate(2024, 3, 15));
        }
        // The statements are recorded as the server would get them; the SQLite driver gets
        // them as the embedded engine would, so that the flows can run to their end.
        m_adapter.Open(QStringLiteral(":memory:"));
        payroll::createSchema(m_adapter);
        const QString odbc = QStringLiteral("DRIVER=SQLite3;Database=%1;LoadExt=%2")
                                 .arg(file, QStringLiteral(SQLITE_EXTENSION));
        auto connection = std::make_shared<ado::Connection>();
        connection->Open(QStringLiteral("odbc:") + odbc);
        QVERIFY(!connection->isSqlite());
        connection->setStatementHook([this](const QString& sql) {
            m_sent << sql;
            return m_adapter.adapt(sql);
        });
        // The report logs on to its own data source.
        QFile ini(m_dir.filePath(QStringLiteral("odbc.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[payrolldsn]\n" + odbc.section(u';', 0, 0).toUtf8() +
                  "\nDatabase=" + file.toUtf8() + "\nLoadExt=" + SQLITE_EXTENSION + "\n");
        ini.close();
        qputenv("ODBCINI", ini.fileName().toLocal8Bit());

        BasLoan::setAdocon(connection);
        BasLoan::MsgboxTitle = QStringLiteral("Payroll");
        BasLoan::ProcessDate = QDate(2024, 3, 15);
        BasLoan::intUserID = 1;
        BasLoan::intCompanyID = 1;
        BasLoan::strtype = QStringLiteral("L");
    }
    void cleanupTestCase()
    {
        FrmMaster::Unload();
        BasLoan::resetForNewProcess();
    }

    void flowsSendOnlyKnownStatements()
    {
        msgbox::ScriptedPresenter messages;
        rpt::RecordingPreviewPresenter preview;
        FrmMaster& reg = FrmMaster::instance();
        reg.show();
        const int rows = reg.flexMaster->Rows();
        {
            ModalWatch<frmLoan> newIssue([](frmLoan& entry) {
                entry.cboEmployee->setCurrentIndex(entry.cboEmployee->findText(u"Aarav Sharma"_qs));
                entry.cboloanapplication->setCurrentIndex(0);
                entry.cmdOK->click();
            });
            reg.cmdnew->click();
        }
        QCOMPARE(reg.flexMaster->Rows(), rows + 1);
        {
            ModalWatch<frmLoan> edit([](frmLoan& entry) {
                entry.txtRemarks->setText(u"checked"_qs);
                entry.cmdOK->click();
            });
            selectLastRow().CmdEdit->click();
        }
        messages.queueAnswer(msgbox::vbYes);
        {
            ModalWatch<frmCancel> cancel([](frmCancel& dialog) {
                dialog.txtcanreason->setText(u"duplicate"_qs);
                dialog.cmdOK->click();
            });
            selectLastRow().CmdDelete->click();
        }
        QCOMPARE(reg.flexMaster->TextMatrix(reg.flexMaster->Rows() - 1, 7), u"Yes"_qs);
        selectLastRow().cmdPreview->click();
        QCOMPARE(preview.shown().size(), 1);
        QCOMPARE(messages.prompts(),
                 QStringList{u"Are you sure you want to delete the entry - LN13"_qs});

        QSet<QString> known;
        for (const char* statement : ModuleStatements)
            known << shapeOf(QString::fromUtf8(statement));
        const QStringList added = addedStatements();
        QVERIFY(added.size() >= 4);
        for (const QString& statement : added)
            known << shapeOf(statement);
        QStringList unknown;
        for (const QString& statement : std::as_const(m_sent)) {
            if (!known.contains(shapeOf(statement)))
                unknown << statement;
        }
        unknown.removeDuplicates();
        QCOMPARE(unknown.join(u'\n'), QString());
    }
};

int runServerStatementsTests(int argc, char** argv)
{
    ServerStatementsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ServerStatementsTest.moc"
