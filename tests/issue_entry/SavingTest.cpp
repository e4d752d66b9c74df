#include "EntryTest.h"
#include "db/ConnectionTestSeam.h"

#include "LargeRegister.h"
#include "ScriptedPresenter.h"
#include "SupersedingPresenter.h"
#include "cancel/IssueCancellation.h"
#include "common/BasLoan.h"
#include "db/PreparedStatement.h"
#include "grid/FlexGrid.h"
#include "issue_entry/frmLoan.h"
#include "register/FrmMaster.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <sqlite3.h>
#include <tuple>

using namespace EntryFixture;
using namespace Qt::StringLiterals;

namespace {

// The engine's own counters of each statement run meanwhile, in order: the statement, its
// full-scan steps and its virtual machine steps.
QList<std::tuple<QString, int, int>> costsOf(const std::function<void()>& work)
{
    QList<std::tuple<QString, int, int>> costs;
    const auto record = [](unsigned, void* costs, void* statement, void*) {
        auto* s = static_cast<sqlite3_stmt*>(statement);
        static_cast<QList<std::tuple<QString, int, int>>*>(costs)->append(
            {QString::fromUtf8(sqlite3_sql(s)),
             sqlite3_stmt_status(s, SQLITE_STMTSTATUS_FULLSCAN_STEP, 1),
             sqlite3_stmt_status(s, SQLITE_STMTSTATUS_VM_STEP, 1)});
        return 0;
    };
    sqlite3_trace_v2(ado::ConnectionTestSeam::sqliteHandle(BasLoan::adocon()), SQLITE_TRACE_PROFILE,
                     record, &costs);
    work();
    sqlite3_trace_v2(ado::ConnectionTestSeam::sqliteHandle(BasLoan::adocon()), 0, nullptr, nullptr);
    return costs;
}

const QString RepaymentsClosed =
    u"select group_concat(lrdProcessed, '') from ploanrepaymentdetails"_s;

} // namespace

class SavingTest : public EntryTest
{
    Q_OBJECT

private slots:
    // A save and a cancellation cost the engine the same on a register ten times larger: no
    // statement of theirs reads the company's history.
    void everyStatementReadsByIndex()
    {
        QList<QList<std::tuple<QString, int, int>>> runs;
        for (const int issues : {500, 5000}) {
            openRegister(1, u"L"_s);
            payroll::seedLargeRegister(BasLoan::adocon(), 1, u"L"_s, issues);
            // Only the company's history grows: the employee saved for has none of it.
            run(u"update pLoansIssueData set liempid = 2 where liempid = 1"_s);
            msgbox::SupersedingPresenter messages;
            frmLoan& entry = newEntry(1, 10);
            runs << costsOf([&] {
                entry.cmdOK_Click();
                QCOMPARE(IssueCancellation::cancelLiveIssue(BasLoan::adocon(), u"x"_s,
                                                            QString::number(issues + 1)),
                         IssueCancellation::Outcome::Cancelled);
            });
            closeWindows();
        }
        QCOMPARE(runs[1].size(), runs[0].size());
        for (qsizetype i = 0; i < runs[0].size(); ++i) {
            const auto& [sql, fullScanSteps, steps] = runs[1][i];
            QVERIFY2(fullScanSteps == 0 && steps <= std::get<2>(runs[0][i]) + 40, qPrintable(sql));
        }
    }

    void savingFromTheRegister_data()
    {
        QTest::addColumn<int>("issue");        // 0: New
        QTest::addColumn<QString>("identity"); // id, type, number, date, loan type, application
        QTest::addColumn<QString>("repaymentsClosed");
        // Only the employee's repayment rows of the issue's loan type are closed, by a new issue.
        QTest::newRow("new loan") << 0 << "1 L LN1 2024-03-15 1 10"
                                  << "11000";
        // A server database may hold Null in the cancelled flag: read as not cancelled.
        QTest::newRow("edit, of an issue whose cancelled flag is Null, keeps its number and date")
            << 7 << "7 L LN7 2024-01-05 1 10"
            << "00000";
    }
    void savingFromTheRegister()
    {
        QFETCH(int, issue);
        QFETCH(QString, identity);
        QFETCH(QString, repaymentsClosed);
        openRegister(1, u"L"_s);
        if (issue) {
            // The embedded schema forbids Null there: the same table without that rule.
            ado::PreparedStatement sql(BasLoan::adocon(), u"select sql from sqlite_master where "
                                                          "name = 'pLoansIssueData'"_s);
            const QString loose = sql.scalar().toString().replace(u"licancelled INTEGER NOT NULL"_s,
                                                                  u"licancelled INTEGER"_s);
            ado::PreparedStatement(BasLoan::adocon(), u"drop table pLoansIssueData"_s).run();
            ado::PreparedStatement(BasLoan::adocon(), loose).run();
            addLiveIssue();
            run(u"update pLoansIssueData set licancelled = NULL"_s);
        }
        addIssue(2, 40, u"L"_s, u"40"_s); // another company's
        run(u"insert into puserrights (userid, interfaceid, functionrights) values "
            "(2, 91001, 'NEDP')"_s);
        msgbox::SupersedingPresenter messages;
        QVERIFY(showEntry(issue, [&](frmLoan& entry) {
            if (!issue) {
                QTest::keyClick(entry.cboEmployee, Qt::Key_Down);
                QTest::keyClick(entry.cboloanapplication, Qt::Key_Down);
            }
            entry.txtLoanAmount->setText(u"10000.00"_s);
            entry.txtNoOfPayments->setText(u"12"_s);
            entry.txtInstallmentAmount->setText(u"1055.63"_s);
            entry.chkDeductMonthly->setChecked(false);
            entry.txtRemarks->setText(u"  paid in cash "_s);
            QTest::mouseClick(entry.cmdOK, Qt::LeftButton);
        }));
        QVERIFY(!frmLoan::isLoaded());
        QCOMPARE(messages.prompts(), QStringList());
        // Only a new issue closes repayment rows, so only it asks.
        QCOMPARE(messages.runningLoansClosed(), issue ? 0 : 1);
        // The balance to the cent, not the binary product 12667.560000000001.
        const QStringList entered{"12", "1055.63",      "0", "10000", "12667.56", "1", "0",
                                  "0",  "paid in cash", "1", "1"};
        QCOMPARE(
            stored(u"select liID, litype, liNo, lidate, liLoanID, liLoanAppID, liNoofPayments, "
                   "liInstallmentAmount, liDeductionMode, liOpeningBalance, liCurrentBalance, "
                   "liactive, licancelled, liUsed, liRemarks, liempid, liCompanyID "
                   "from pLoansIssueData where liCompanyID = 1"_s),
            identity.split(u' ') + entered);
        QCOMPARE(storedValue(RepaymentsClosed), repaymentsClosed);
        const FlexGrid* grid = FrmMaster::instance().flexMaster;
        QCOMPARE((QStringList{grid->TextMatrix(grid->Row(), 0), grid->TextMatrix(grid->Row(), 1)}),
                 (QStringList{identity.section(u' ', 0, 0), identity.section(u' ', 2, 2)}));
        // The first issue of the empty register brings Preview back, and is counted.
        QVERIFY(issue || (FrmMaster::instance().cmdPreview->isEnabled() &&
                          FrmMaster::instance().lblListContext->text().startsWith(u"1 issue ")));
    }

    // Asha's two unpaid instalments of LN7 (1,500.25 each) close only on the clerk's Yes; rows
    // that change while the question waits are put to the clerk again.
    void runningLoanClosesOnlyOnYes_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("meanwhile"); // run by another clerk at the first question
        QTest::addColumn<QString>("lastQuestion");
        QTest::addColumn<QString>("repaymentsClosed");
        const QString two = u"2 unpaid Personal Loan instalments of Asha, 3,000.50 in all (issue "
                            "LN7).\n\nSave the issue and close them?"_s;
        QTest::newRow("no") << QList<int>{msgbox::vbNo} << "" << false << two << "00000";
        QTest::newRow("an instalment added meanwhile: asked again")
            << QList<int>{msgbox::vbYes, msgbox::vbYes}
            << "insert into ploanrepaymentdetails (lrdcompanyid, lrdEmpID, lrdLoanID, lrdMonth, "
               "lrdAmount) values (1, 1, 1, '2024-03-01', 999.5)"
            << true
            << u"3 unpaid Personal Loan instalments of Asha, 4,000.00 in all (issue LN7).\n\nSave "
               "the issue and close them?"_s
            << "110001";
        QTest::newRow("a site's table with no amounts nor issues")
            << QList<int>{msgbox::vbYes}
            << "alter table ploanrepaymentdetails drop column lrdAmount; alter table "
               "ploanrepaymentdetails drop column lrdLoanIssueID"
            << false
            << u"2 unpaid Personal Loan instalments of Asha (issue LN7).\n\nSave the issue and "
               "close them?"_s
            << "11000";
    }
    void runningLoanClosesOnlyOnYes()
    {
        QFETCH(QList<int>, answers);
        QFETCH(QString, sql);
        QFETCH(bool, meanwhile);
        QFETCH(QString, lastQuestion);
        QFETCH(QString, repaymentsClosed);
        openRegister(1, u"L"_s);
        addLiveIssue();
        run(u"update ploanrepaymentdetails set lrdAmount = 1500.25, lrdLoanIssueID = 7"_s);
        if (!meanwhile && !sql.isEmpty())
            run(sql);
        struct : msgbox::ScriptedPresenter
        {
            int present(const msgbox::Shown& m) override
            {
                if (shown().isEmpty() && !sql.isEmpty())
                    run(sql);
                return ScriptedPresenter::present(m);
            }
            QString sql;
        } messages;
        messages.sql = meanwhile ? sql : QString();
        for (int answer : answers)
            messages.queueAnswer(answer);
        frmLoan& entry = newEntry(1, 11);
        entry.txtRemarks->setText(u"second loan"_s);
        entry.cmdOK_Click();
        QCOMPARE(messages.shown().size(), answers.size());
        QCOMPARE(messages.shown().last().flags, int(msgbox::RunningLoanQuestion));
        QCOMPARE(messages.prompts().last(),
                 u"Saving this issue stops payroll recovering "_s + lastQuestion);
        QCOMPARE(storedValue(RepaymentsClosed), repaymentsClosed);
        const bool saved = answers.last() == msgbox::vbYes;
        QCOMPARE(storedValue(u"select count(*) from pLoansIssueData"_s), saved ? "2" : "1");
        // No keeps the window as it was.
        QVERIFY(saved || (frmLoan::isLoaded() && entry.txtRemarks->text() == u"second loan"));
    }

    void issueDateSurvivesTheShortDateForm_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QDate>("processDate");
        QTest::newRow("two-digit year, day first") << "de_DE" << QDate(2024, 12, 1);
        QTest::newRow("two-digit year, process date far ahead") << "en_US" << QDate(2050, 1, 31);
    }
    void issueDateSurvivesTheShortDateForm()
    {
        QFETCH(QString, locale);
        QFETCH(QDate, processDate);
        const QLocale original;
        QLocale::setDefault(QLocale(locale));
        openRegister(1, u"L"_s);
        BasLoan::ProcessDate = processDate;
        msgbox::SupersedingPresenter messages;
        newEntry(1, 10).cmdOK_Click();
        QLocale::setDefault(original);
        QCOMPARE(storedValue(u"select lidate from pLoansIssueData"_s),
                 processDate.toString(Qt::ISODate));
    }
};

QTEST_MAIN(SavingTest)

#include "SavingTest.moc"
