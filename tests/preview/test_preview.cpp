#include "RecordingPreviewPresenter.h"
#include "RegisterFixture.h"
#include "common/BasLoanVariables.h"
#include "grid/FlexGrid.h"
#include "register/FrmMaster.h"

#include <QDir>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

// Preview hands the selected issue to the report engine with the register's parameters.
class TestPreview : public QObject
{
    Q_OBJECT

private slots:
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
        RegisterFixture db(RegisterFixture::Demo{});
        rpt::RecordingPreviewPresenter preview;
        FrmMaster& frm = db.open(title.left(1));
        QVERIFY(selectIssue(*frm.flexMaster, number) > 0);
        BasLoan::intUserID = qint16(user);
        // The report file is found beside the module, not in the host's working folder.
        const QString saved = QDir::currentPath();
        QDir::setCurrent(QDir::tempPath());
        frm.cmdPreview->click();
        QDir::setCurrent(saved);
        QCOMPARE(db.messages().prompts().join(u'|'), QString());
        QCOMPARE(preview.shown().size(), 1);
        const rpt::PreviewOptions& options = preview.shown().first().options;
        QVERIFY(options.title == title && options.state == rpt::PreviewOptions::Maximized &&
                !options.progressDialog);
        const QString text = preview.shown().first().pages.value(0).join(u'\n');
        QVERIFY2(text.contains(title + u" Statement"_s), qPrintable(text));
        QVERIFY2(text.contains(number), qPrintable(text));
        QCOMPARE(text.contains(QLatin1String("admin")), user == 1);
    }

    // Without a selected issue Preview does nothing; an issue deleted meanwhile is reported.
    void noIssueToPreview_data()
    {
        QTest::addColumn<QString>("idCell");
        QTest::addColumn<int>("flags");
        QTest::newRow("empty id") << "" << 0;
        QTest::newRow("issue gone meanwhile") << "9999" << 64;
    }
    void noIssueToPreview()
    {
        QFETCH(QString, idCell);
        QFETCH(int, flags);
        RegisterFixture db(RegisterFixture::Demo{});
        const msgbox::ScriptedPresenter& boxes = db.messages();
        rpt::RecordingPreviewPresenter preview;
        FrmMaster& frm = db.open();
        frm.flexMaster->setTextMatrix(frm.flexMaster->Row(), 0, idCell);
        frm.cmdPreview_Click();
        QCOMPARE(preview.shown().size(), 0);
        QCOMPARE(boxes.shown().size(), flags ? 1 : 0);
        QCOMPARE(boxes.shown().value(0).flags, flags);
        QCOMPARE(boxes.shown().value(0).title, flags ? u"Payroll"_s : QString());
    }
};

QTEST_MAIN(TestPreview)
#include "test_preview.moc"
