#include "DemoData.h"
#include "RecordingPreviewPresenter.h"
#include "ScriptedPresenter.h"
#include "data/BasLoanVariables.h"
#include "grid/FlexGrid.h"
#include "register/FrmMaster.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// Preview hands the selected issue to the report engine with the register's parameters.
class TestPreview : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    ado::ConnectionPtr con;

    FrmMaster& openRegister(const QString& type, qint16 user)
    {
        FrmMaster::Unload();
        BasLoan::setAdocon(con);
        BasLoan::MsgboxTitle = QStringLiteral("Payroll");
        BasLoan::ProcessDate = QDate(2024, 3, 15);
        BasLoan::intCompanyID = 1;
        BasLoan::intUserID = user;
        BasLoan::strtype = type;
        return FrmMaster::instance();
    }

    // Selects the row of the issue with the given number.
    static void selectIssue(FrmMaster& frm, const QString& number)
    {
        for (int r = 1; r < frm.flexMaster->Rows(); ++r) {
            if (frm.flexMaster->TextMatrix(r, 1) == number) {
                frm.flexMaster->setRow(r);
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("no row for ") + number));
    }

    static QString pageText(const rpt::RecordingPreviewPresenter& preview)
    {
        return preview.shown().value(0).pages.value(0).join(u'\n');
    }

private slots:
    void initTestCase()
    {
        con = std::make_shared<ado::Connection>();
        con->Open(dir.filePath(QStringLiteral("payroll.db")));
        payroll::createDemoDatabase(*con, QDate(2024, 3, 15));
    }
    void cleanup() { FrmMaster::Unload(); }

    void statementForTheRegistersType_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("reportName");
        QTest::newRow("loan") << "L"
                              << "LN12"
                              << "Loan Issue"
                              << "Loan Issue Statement";
        QTest::newRow("advance") << "A"
                                 << "ADV5"
                                 << "Advance Issue"
                                 << "Advance Issue Statement";
    }
    void statementForTheRegistersType()
    {
        QFETCH(QString, type);
        QFETCH(QString, number);
        QFETCH(QString, title);
        QFETCH(QString, reportName);
        msgbox::ScriptedPresenter boxes;
        rpt::RecordingPreviewPresenter preview;
        FrmMaster& frm = openRegister(type, 1);
        selectIssue(frm, number);
        // The report file is found beside the module, not in the host's working folder.
        const QString saved = QDir::currentPath();
        QDir::setCurrent(dir.path());
        frm.cmdPreview->click();
        QDir::setCurrent(saved);
        QCOMPARE(boxes.prompts().join(u'|'), QString());
        QCOMPARE(preview.shown().size(), 1);
        QCOMPARE(preview.shown().first().options.title, title);
        QCOMPARE(preview.shown().first().options.state, rpt::PreviewOptions::Maximized);
        QVERIFY(!preview.shown().first().options.progressDialog);
        const QString text = pageText(preview);
        QVERIFY2(text.contains(reportName), qPrintable(text));
        QVERIFY2(text.contains(number), qPrintable(text));
        QVERIFY2(text.contains(QLatin1String("admin")), qPrintable(text));
    }

    void userWithoutARowPrintsNoName()
    {
        msgbox::ScriptedPresenter boxes;
        rpt::RecordingPreviewPresenter preview;
        FrmMaster& frm = openRegister(QStringLiteral("L"), 1);
        selectIssue(frm, QStringLiteral("LN12"));
        BasLoan::intUserID = 77;
        frm.cmdPreview->click();
        QCOMPARE(preview.shown().size(), 1);
        QVERIFY(!pageText(preview).contains(QLatin1String("admin")));
    }

    void noIssueSelectedDoesNothing_data()
    {
        QTest::addColumn<QString>("idCell");
        QTest::newRow("empty id") << "";
        QTest::newRow("zero id") << "0";
    }
    void noIssueSelectedDoesNothing()
    {
        QFETCH(QString, idCell);
        msgbox::ScriptedPresenter boxes;
        rpt::RecordingPreviewPresenter preview;
        FrmMaster& frm = openRegister(QStringLiteral("L"), 1);
        frm.flexMaster->setTextMatrix(frm.flexMaster->Row(), 0, idCell);
        frm.cmdPreview_Click();
        QCOMPARE(preview.shown().size(), 0);
        QCOMPARE(boxes.shown().size(), 0);
    }

    void issueGoneMeanwhileIsReported()
    {
        msgbox::ScriptedPresenter boxes;
        rpt::RecordingPreviewPresenter preview;
        FrmMaster& frm = openRegister(QStringLiteral("L"), 1);
        frm.flexMaster->setTextMatrix(frm.flexMaster->Row(), 0, QStringLiteral("9999"));
        frm.cmdPreview_Click();
        QCOMPARE(preview.shown().size(), 0);
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown().first().flags, 64);
        QCOMPARE(boxes.shown().first().title, QStringLiteral("Payroll"));
    }
};

QTEST_MAIN(TestPreview)
#include "test_preview.moc"
