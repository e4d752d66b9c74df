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

private slots:
    void initTestCase()
    {
        con = std::make_shared<ado::Connection>();
        con->Open(dir.filePath(QStringLiteral("payroll.db")));
        payroll::createDemoDatabase(*con, QDate(2024, 3, 15));
    }
    void cleanup() { FrmMaster::Unload(); }

    // The statement names the issue, and the clerk who previews it if the clerk has a user row.
    void statementForTheRegistersType_data()
    {
        QTest::addColumn<QString>("title"); // its first letter is the register's type
        QTest::addColumn<int>("user");
        QTest::addColumn<QString>("number");
        QTest::newRow("loan") << "Loan Issue" << 1 << "LN12";
        QTest::newRow("advance") << "Advance Issue" << 1 << "ADV5";
        QTest::newRow("user without a row") << "Loan Issue" << 77 << "LN12";
    }
    void statementForTheRegistersType()
    {
        QFETCH(QString, title);
        QFETCH(int, user);
        QFETCH(QString, number);
        msgbox::ScriptedPresenter boxes;
        rpt::RecordingPreviewPresenter preview;
        FrmMaster& frm = openRegister(title.left(1), 1);
        selectIssue(frm, number);
        BasLoan::intUserID = qint16(user);
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
        const QString text = preview.shown().first().pages.value(0).join(u'\n');
        QVERIFY2(text.contains(title + QStringLiteral(" Statement")), qPrintable(text));
        QVERIFY2(text.contains(number), qPrintable(text));
        QCOMPARE(text.contains(QLatin1String("admin")), user == 1);
    }

    // Without a selected issue Preview does nothing; an issue deleted meanwhile is reported.
    void noIssueToPreview_data()
    {
        QTest::addColumn<QString>("idCell");
        QTest::addColumn<int>("flags");
        QTest::newRow("empty id") << "" << 0;
        QTest::newRow("zero id") << "0" << 0;
        QTest::newRow("issue gone meanwhile") << "9999" << 64;
    }
    void noIssueToPreview()
    {
        QFETCH(QString, idCell);
        QFETCH(int, flags);
        msgbox::ScriptedPresenter boxes;
        rpt::RecordingPreviewPresenter preview;
        FrmMaster& frm = openRegister(QStringLiteral("L"), 1);
        frm.flexMaster->setTextMatrix(frm.flexMaster->Row(), 0, idCell);
        frm.cmdPreview_Click();
        QCOMPARE(preview.shown().size(), 0);
        QCOMPARE(boxes.shown().size(), flags ? 1 : 0);
        QCOMPARE(boxes.shown().value(0).flags, flags);
        QCOMPARE(boxes.shown().value(0).title, flags ? QStringLiteral("Payroll") : QString());
    }
};

QTEST_MAIN(TestPreview)
#include "test_preview.moc"
