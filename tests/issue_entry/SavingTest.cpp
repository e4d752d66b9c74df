#include "EntryFixture.h"
#include "EntryTests.h"
#include "EntryWindowDriver.h"

#include "common/BasLoan.h"
#include "issue_entry/SaveFailureMessage.h"
#include "issue_entry/frmLoan.h"
#include "platform/grid/FlexGrid.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/MessageBox.h"
#include "register/FrmMaster.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace EntryFixture;

namespace {

const QString StoredColumns = QStringLiteral(
    "select liCompanyID, liID, litype, liNo, lidate, liempid, liLoanID, liLoanAppID, "
    "liNoofPayments, liInstallmentAmount, liDeductionMode, liOpeningBalance, liCurrentBalance, "
    "liactive, licancelled, liUsed, liRemarks from pLoansIssueData where liCompanyID = 1");
const QString RepaymentsProcessed =
    QStringLiteral("select group_concat(lrdProcessed, '') from ploanrepaymentdetails");

void typeAmounts(frmLoan& entry)
{
    entry.txtLoanAmount->setText(QStringLiteral("10000.00"));
    entry.txtNoOfPayments->setText(QStringLiteral("10"));
    entry.txtInstallmentAmount->setText(QStringLiteral("1100.00"));
}

} // namespace

class SavingTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        frmLoan::Unload();
        FrmMaster::Unload();
    }

    void newIssueStoresEveryColumn()
    {
        useRegister(openPayroll(), 1, QStringLiteral("L"));
        run(QStringLiteral("insert into pLoansIssueData (liCompanyID, liID, litype, liNo, lidate, "
                           "liempid, liLoanID, liLoanAppID) values (2, 40, 'L', '40', "
                           "'2024-01-02', 1, 1, 30)"));
        frmLoan& entry = newEntry(1, 11);
        typeAmounts(entry);
        entry.txtRemarks->setText(QStringLiteral("  first issue  "));
        entry.cmdOK_Click();
        QCOMPARE(BasLoan::Tag(entry.cmdOK), QStringLiteral("Success"));
        QVERIFY(!entry.isVisible());
        QCOMPARE(firstRow(StoredColumns),
                 (QStringList{"1", "1", "L", "LN1", "2024-03-15", "1", "1", "11", "10", "1100", "0",
                              "10000", "11000", "1", "0", "0", "first issue"}));
        // Employee 1's rows of loan type 1 are closed; other loan types and employees are not.
        QCOMPARE(scalar(RepaymentsProcessed).toString(), QStringLiteral("11000"));
    }

    void editRewritesTheRowAndKeepsItsIdentity()
    {
        useRegister(openPayroll(), 1, QStringLiteral("L"), QStringLiteral("E"));
        addLiveIssue();
        FrmMaster& reg = FrmMaster::instance();
        selectIssueRow(7);
        EntryWindowDriver driver([](frmLoan& entry) {
            typeAmounts(entry);
            entry.chkDeductMonthly->setChecked(false);
            entry.txtRemarks->setText(QStringLiteral(" edited "));
            QTest::mouseClick(entry.cmdOK, Qt::LeftButton);
        });
        reg.CmdEdit_Click();
        QVERIFY(driver.ran());
        QCOMPARE(firstRow(StoredColumns),
                 (QStringList{"1", "7", "L", "LN7", "2024-01-05", "1", "1", "10", "10", "1100", "0",
                              "10000", "11000", "1", "0", "0", "edited"}));
        QCOMPARE(scalar(RepaymentsProcessed).toString(), QStringLiteral("00000"));
        QCOMPARE(reg.flexMaster->TextMatrix(reg.flexMaster->Row(), 1), QStringLiteral("LN7"));
    }

    void failureAtAnyStatementLeavesNothing()
    {
        useRegister(openPayroll(), 1, QStringLiteral("L"));
        frmLoan& saved = newEntry(1, 10);
        const int before = BasLoan::adocon().statementsSent();
        saved.cmdOK_Click();
        const int statements = BasLoan::adocon().statementsSent() - before;
        QVERIFY(statements > 8);
        for (int n = 1; n <= statements; ++n) {
            cleanup();
            useRegister(openPayroll(), 1, QStringLiteral("L"));
            FrmMaster& reg = FrmMaster::instance();
            msgbox::ScriptedPresenter messages;
            frmLoan& entry = newEntry(1, 10);
            BasLoan::adocon().failStatementAt(n);
            entry.cmdOK_Click();
            BasLoan::adocon().failStatementAt(0);
            const QByteArray at = "failure at statement " + QByteArray::number(n);
            QVERIFY2(entry.isVisible() && messages.shown().size() == 1, at);
            QVERIFY2(reg.flexMaster->TextMatrix(1, 0).isEmpty(),
                     at); // the register shows nothing new
            QVERIFY2(scalar(QStringLiteral("select count(*) from pLoansIssueData")).toInt() == 0,
                     at);
            QVERIFY2(scalar(RepaymentsProcessed).toString() == u"00000", at);
        }
    }

    void failureMessages_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("opening");
        QTest::newRow("unique key clash") << int(RuntimeError::IntegrityViolation)
                                          << "UNIQUE constraint failed: pLoansIssueData.liNo"
                                          << "The issue clashes with one already stored";
        QTest::newRow("lock waited for in vain")
            << int(RuntimeError::DatabaseFailure) << "database is locked"
            << "The database stayed busy";
        QTest::newRow("anything else: as the database says")
            << int(RuntimeError::Overflow) << "Overflow"
            << "Overflow";
    }
    void failureMessages()
    {
        QFETCH(int, number);
        QFETCH(QString, description);
        QFETCH(QString, opening);
        const QString message = saveFailureMessage(RuntimeError(number, description));
        QVERIFY2(message.startsWith(opening), qPrintable(message));
        QVERIFY(message.endsWith(description));
    }

    void editRefusedWhenTheIssueChangedMeanwhile_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("cancelled by another user")
            << "update pLoansIssueData set licancelled = 1, liCancelledRemarks = 'clerk:dup '";
        QTest::newRow("used by payroll") << "update pLoansIssueData set liUsed = 1";
        QTest::newRow("deducted in a monthly entry")
            << "insert into pEmployeeDeductionDetail (eddCompanyID, eddID, eddLoanIssueID) "
               "values (1, 3, 7)";
    }
    void editRefusedWhenTheIssueChangedMeanwhile()
    {
        QFETCH(QString, change);
        useRegister(openPayroll(), 1, QStringLiteral("L"), QStringLiteral("E"));
        addLiveIssue();
        run(QStringLiteral("insert into pempMonthlyEntryHeader values (1, 3, 1, '2024-02-01', 0)"));
        run(change);
        const QStringList stored = firstRow(StoredColumns);
        // Back to the live issue the clerk opens; the change comes while the window is open.
        run(QStringLiteral("delete from pEmployeeDeductionDetail"));
        run(QStringLiteral("update pLoansIssueData set licancelled = 0, liCancelledRemarks = NULL, "
                           "liUsed = NULL"));
        FrmMaster& reg = FrmMaster::instance();
        selectIssueRow(7);
        msgbox::ScriptedPresenter messages;
        EntryWindowDriver driver([&](frmLoan& entry) {
            run(change);
            entry.txtRemarks->setText(QStringLiteral("mine"));
            QTest::mouseClick(entry.cmdOK, Qt::LeftButton);
            QVERIFY(entry.isVisible());
            QVERIFY(!entry.cmdOK->isEnabled());
            QTest::mouseClick(entry.cmdCancel, Qt::LeftButton);
            QVERIFY(!entry.isVisible());
        });
        reg.CmdEdit_Click();
        QVERIFY(driver.ran());
        QCOMPARE(messages.shown().size(), 1);
        QVERIFY(messages.shown().first().prompt.contains(
            u"can no longer be changed; nothing was saved"));
        QCOMPARE(firstRow(StoredColumns), stored);
    }

    void issueDateSurvivesTheShortDateForm_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QDate>("processDate");
        QTest::newRow("two-digit year, month first") << "en_US" << QDate(2024, 3, 15);
        QTest::newRow("two-digit year, day first") << "de_DE" << QDate(2024, 12, 1);
        QTest::newRow("two-digit year, process date far ahead") << "en_US" << QDate(2050, 1, 31);
        QTest::newRow("four-digit year") << "en_GB" << QDate(2024, 2, 29);
    }
    void issueDateSurvivesTheShortDateForm()
    {
        QFETCH(QString, locale);
        QFETCH(QDate, processDate);
        const QLocale original;
        QLocale::setDefault(QLocale(locale));
        useRegister(openPayroll(), 1, QStringLiteral("L"));
        BasLoan::ProcessDate = processDate;
        newEntry(1, 10).cmdOK_Click();
        QLocale::setDefault(original);
        QCOMPARE(scalar(QStringLiteral("select lidate from pLoansIssueData")).toDate(),
                 processDate);
    }
};

int runSavingTests(int argc, char** argv)
{
    SavingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SavingTest.moc"
