// Over ODBC the statements reach the company's SQL Server as the module writes them. New, Edit,
// Delete and Preview run once on the embedded engine, where every statement of the module is
// checked by its own test, and once through the SQLite ODBC driver; every statement is
// recorded. What only the ODBC run sends must be in the README's table of statements this
// project added, and everything that table lists must really be sent.

#include "MachineRequirement.h"
#include "ModalWatch.h"
#include "db/ConnectionTestSeam.h"

#include "DemoData.h"
#include "PayrollSchema.h"
#include "RecordingPreviewPresenter.h"
#include "SupersedingPresenter.h"
#include "cancel/frmCancel.h"
#include "common/BasLoan.h"
#include "grid/FlexGrid.h"
#include "issue_entry/frmLoan.h"
#include "register/FrmMaster.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// Statements with their values taken out (each literal '?', each number #), so that those
// built from the same fragments compare equal.
QSet<QString> shapesOf(const QStringList& statements)
{
    static const QRegularExpression literal(u"'(?:[^']|'')*'"_s);
    static const QRegularExpression number(u"(?<![\\w.])\\d+(?:\\.\\d+)?"_s);
    QSet<QString> shapes;
    for (QString statement : statements)
        shapes << statement.replace(literal, u"'?'"_s).replace(number, u"#"_s);
    return shapes;
}

// The statements in the first column of the README's table of those this project added.
QSet<QString> addedStatements()
{
    QFile readme(QStringLiteral(PROJECT_README));
    static_cast<void>(readme.open(QIODevice::ReadOnly));
    const QString table = QString::fromUtf8(readme.readAll())
                              .section(u"### Statements this project added"_s, 1, 1)
                              .section(u"\n\n"_s, 1, 1);
    static const QRegularExpression cell(u"^\\| `([^`]+)`"_s, QRegularExpression::MultilineOption);
    QStringList statements;
    for (const QRegularExpressionMatch& m : cell.globalMatch(table))
        statements << m.captured(1);
    return shapesOf(statements);
}

// The last row is the issue New added.
FrmMaster& lastRow()
{
    FrmMaster& reg = FrmMaster::instance();
    reg.flexMaster->setRow(reg.flexMaster->Rows() - 1);
    return reg;
}

} // namespace

class ServerStatementsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ado::Connection m_adapter;

    // New on Aarav Sharma's first open application, Edit and Delete of it, and Preview, on a new
    // demo payroll file in company 1's loan register; the statements sent, each as the engine
    // gets it from `toEngine`.
    QStringList recordFlows(const QString& connectionText, const QString& file,
                            const std::function<QString(const QString&)>& toEngine)
    {
        {
            ado::Connection seeded;
            seeded.Open(m_dir.filePath(file));
            payroll::createDemoDatabase(seeded, QDate(2024, 3, 15));
        }
        auto connection = std::make_shared<ado::Connection>();
        connection->Open(connectionText.arg(m_dir.filePath(file)));
        BasLoan::ProcessDate = QDate(2024, 3, 15);
        BasLoan::intUserID = 1;
        BasLoan::intCompanyID = 1;
        BasLoan::strtype = u"L"_s;
        QStringList sent;
        ado::ConnectionTestSeam::setStatementHook(*connection, [&](const QString& sql) {
            sent << sql;
            return toEngine(sql);
        });
        BasLoan::setAdocon(connection);
        msgbox::SupersedingPresenter messages;
        rpt::RecordingPreviewPresenter preview;
        FrmMaster::instance().show();
        {
            ModalWatch<frmLoan> newIssue([](frmLoan& entry) {
                entry.cboEmployee->setCurrentIndex(entry.cboEmployee->findText(u"Aarav Sharma"_s));
                entry.cboloanapplication->setCurrentIndex(0);
                entry.cmdOK->click();
            });
            FrmMaster::instance().cmdnew->click();
        }
        {
            ModalWatch<frmLoan> edit([](frmLoan& entry) {
                entry.txtRemarks->setText(u"checked"_s);
                entry.cmdOK->click();
            });
            lastRow().CmdEdit->click();
        }
        messages.queueAnswer(msgbox::vbYes);
        {
            ModalWatch<frmCancel> cancel([](frmCancel& dialog) {
                dialog.txtcanreason->setText(u"duplicate"_s);
                dialog.cmdOK->click();
            });
            lastRow().CmdDelete->click();
        }
        // The flows ran to their end: the issue was cancelled. (Preview sends the module's own
        // statements; the report's data source is not configured here.)
        const FlexGrid& grid = *lastRow().flexMaster;
        [&] { QCOMPARE(grid.TextMatrix(grid.Rows() - 1, 7), u"Yes"_s); }();
        lastRow().cmdPreview->click();
        FrmMaster::Unload();
        ado::ConnectionTestSeam::setStatementHook(*connection, nullptr);
        return sent;
    }

private slots:
    void initTestCase()
    {
        QFile drivers(u"/etc/odbcinst.ini"_s);
        OSTREL_REQUIRE(QSqlDatabase::isDriverAvailable(u"QODBC"_s) &&
                           drivers.open(QIODevice::ReadOnly) &&
                           drivers.readAll().contains("[SQLite3]"),
                       "Qt's ODBC driver or the SQLite3 ODBC driver is not installed");
        m_adapter.Open(u":memory:"_s);
        payroll::createSchema(m_adapter);
        BasLoan::MsgboxTitle = u"Payroll"_s;
    }
    void cleanupTestCase() { BasLoan::resetForNewProcess(); }

    void odbcSendsTheModulesStatementsAndTheListedOnes()
    {
        const QSet<QString> own = shapesOf(
            recordFlows(u"%1"_s, u"embedded.db"_s, [](const QString& sql) { return sql; }));
        QVERIFY(!QTest::currentTestFailed());
        // The SQLite driver gets each statement as the embedded engine would, with the engine's
        // functions and collation loaded into it, so that the flows can run to their end.
        const QSet<QString> server = shapesOf(recordFlows(
            u"odbc:DRIVER=SQLite3;Database=%1;LoadExt="_s + QStringLiteral(SQLITE_EXTENSION),
            u"server.db"_s, [this](const QString& sql) { return m_adapter.adapt(sql); }));
        QVERIFY(!QTest::currentTestFailed());

        const QSet<QString> added = addedStatements();
        QCOMPARE(QSet<QString>(server).subtract(own).subtract(added).values().join(u'\n'),
                 QString());
        QCOMPARE(QSet<QString>(added).subtract(server).values().join(u'\n'), QString());
    }
};

QTEST_MAIN(ServerStatementsTest)

#include "ServerStatementsTest.moc"
