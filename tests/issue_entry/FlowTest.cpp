#include "EntryFixture.h"
#include "EntryTests.h"
#include "EntryWindowDriver.h"

#include "common/BasLoan.h"
#include "common/GuardedHandler.h"
#include "issue_entry/frmLoan.h"
#include "platform/grid/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "register/FrmMaster.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace EntryFixture;

class FlowTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        frmLoan::Unload();
        FrmMaster::Unload();
    }

    void newIssueFromTheRegister_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("application");
        QTest::addColumn<QString>("number");
        QTest::newRow("loan") << "L"
                              << "Loans Issue"
                              << "LA-10"
                              << "LN1";
        QTest::newRow("advance") << "A"
                                 << "Advance Issue"
                                 << "AA-20"
                                 << "ADV1";
    }
    void newIssueFromTheRegister()
    {
        QFETCH(QString, type);
        QFETCH(QString, caption);
        QFETCH(QString, application);
        QFETCH(QString, number);
        useRegister(openPayroll(), 1, type);
        FrmMaster& reg = FrmMaster::instance();
        msgbox::ScriptedPresenter messages;
        EntryWindowDriver driver([&](frmLoan& entry) {
            QCOMPARE(entry.windowTitle(), caption);
            QTest::keyClick(entry.cboEmployee, Qt::Key_Down);
            QCOMPARE(entry.cboEmployee->currentText(), QStringLiteral("Asha"));
            QTest::keyClick(entry.cboloanapplication, Qt::Key_Down);
            QCOMPARE(entry.cboloanapplication->currentText(), application);
            QTest::keyClicks(entry.txtRemarks, QStringLiteral("paid in cash"));
            QTest::mouseClick(entry.cmdOK, Qt::LeftButton);
        });
        reg.cmdnew_Click();
        QVERIFY(driver.ran());
        QVERIFY(!frmLoan::isLoaded());
        QCOMPARE(messages.prompts(), QStringList());
        const int row = reg.flexMaster->Row();
        QCOMPARE(reg.flexMaster->TextMatrix(row, 0), QStringLiteral("1"));
        QCOMPARE(reg.flexMaster->TextMatrix(row, 1), number);
    }

    void changingTheEmployeeAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("employee");
        QTest::addColumn<QStringList>("applications");
        QTest::addColumn<QStringList>("boxes"); // application, amount, payments, instalment
        QTest::newRow("No keeps every detail")
            << int(msgbox::vbNo) << "Asha" << QStringList{"LA-10", "LA-11"}
            << QStringList{"LA-10", "12000", "12", "1055.63"};
        QTest::newRow("Yes drops the details")
            << int(msgbox::vbYes) << "Bala" << QStringList{"LA-12", "LA-15"}
            << QStringList{"", "", "", ""};
    }
    void changingTheEmployeeAsksFirst()
    {
        QFETCH(int, answer);
        QFETCH(QString, employee);
        QFETCH(QStringList, applications);
        QFETCH(QStringList, boxes);
        useRegister(openPayroll(), 1, QStringLiteral("L"));
        msgbox::ScriptedPresenter messages;
        frmLoan& entry = newEntry(1, 10);
        messages.queueAnswer(answer);
        choose(entry.cboEmployee, 2);
        QCOMPARE(
            messages.prompts(),
            QStringList{QStringLiteral("Related details will be lost, Do you want to continue ")});
        QCOMPARE(messages.shown().first().flags, 68);
        QCOMPARE(entry.cboEmployee->currentText(), employee);
        QStringList listed;
        for (int i = 0; i < entry.cboloanapplication->count(); ++i)
            listed << entry.cboloanapplication->itemText(i);
        QCOMPARE(listed, applications);
        QCOMPARE((QStringList{entry.cboloanapplication->currentText(), entry.txtLoanAmount->text(),
                              entry.txtNoOfPayments->text(), entry.txtInstallmentAmount->text()}),
                 boxes);
    }

    void typingTheApplicationNumber()
    {
        useRegister(openPayroll(), 1, QStringLiteral("L"));
        frmLoan& entry = newEntry(1, 10);
        entry.txtRemarks->setText(QStringLiteral("note"));
        QTest::keyClicks(entry.cboloanapplication, QStringLiteral("x"));
        QCOMPARE(entry.cboloanapplication->currentIndex(), -1);
        QCOMPARE((QStringList{entry.cboloanapplication->currentText(), entry.txtLoanAmount->text(),
                              entry.txtInstallmentAmount->text(), entry.txtRemarks->text(),
                              entry.lblloanAmt->text(), entry.lblInstAmt->text()}),
                 (QStringList{"LA-10x", "", "", "", "Loan Amount:", "Installment Amount:"}));
        QCOMPARE(entry.cboLoanType->count(), 0);
        QTest::keyClick(entry.cboloanapplication, Qt::Key_Backspace);
        QCOMPARE(entry.cboloanapplication->currentIndex(), -1);
        QTest::keyClick(entry.cboloanapplication, Qt::Key_Return);
        QCOMPARE(entry.cboloanapplication->currentText(), QStringLiteral("LA-10"));
        QCOMPARE(entry.txtLoanAmount->text(), QStringLiteral("12000"));
    }

    void closingAsksOnlyAfterChanges_data()
    {
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QString>("remarks");
        QTest::addColumn<QString>("closeBy");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("prompts");
        QTest::addColumn<bool>("staysOpen");
        const QStringList question{QStringLiteral("Save Changes?")};
        QTest::newRow("nothing changed") << false << ""
                                         << "Close" << int(msgbox::vbYes) << QStringList() << false;
        QTest::newRow("changed, Esc, No") << false << "note"
                                          << "Esc" << int(msgbox::vbNo) << question << false;
        QTest::newRow("changed, close box, Yes, incomplete")
            << false << "note"
            << "close box" << int(msgbox::vbYes)
            << (question + QStringList{QStringLiteral("Select employee")}) << true;
        QTest::newRow("complete, Close, Yes saves")
            << true << ""
            << "Close" << int(msgbox::vbYes) << question << false;
    }
    void closingAsksOnlyAfterChanges()
    {
        QFETCH(bool, complete);
        QFETCH(QString, remarks);
        QFETCH(QString, closeBy);
        QFETCH(int, answer);
        QFETCH(QStringList, prompts);
        QFETCH(bool, staysOpen);
        useRegister(openPayroll(), 1, QStringLiteral("L"));
        msgbox::ScriptedPresenter messages;
        frmLoan& entry = complete ? newEntry(1, 10) : newEntry(0, 0);
        QTest::keyClicks(entry.txtRemarks, remarks);
        messages.queueAnswer(answer);
        if (closeBy == u"Esc")
            QTest::keyClick(&entry, Qt::Key_Escape);
        else if (closeBy == u"close box")
            entry.close();
        else
            QTest::mouseClick(entry.cmdCancel, Qt::LeftButton);
        QCOMPARE(messages.prompts(), prompts);
        QCOMPARE(entry.isVisible(), staysOpen);
        QCOMPARE(scalar(QStringLiteral("select count(*) from pLoansIssueData")).toInt(),
                 complete ? 1 : 0);
    }

    void editOpensAsTheIssueAllows_data()
    {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<bool>("editable");
        QTest::addColumn<QStringList>("prompts");
        const QString entry =
            QStringLiteral("insert into pempMonthlyEntryHeader values (1, 3, 1, '2024-02-01', %1)");
        const QString line = QStringLiteral("insert into pEmployeeDeductionDetail (eddCompanyID, "
                                            "eddID, eddLoanIssueID) values (1, 3, 7)");
        QTest::newRow("live") << QStringList() << true << QStringList();
        QTest::newRow("cancelled")
            << QStringList{"update pLoansIssueData set licancelled = 1"} << false << QStringList();
        QTest::newRow("used by payroll")
            << QStringList{"update pLoansIssueData set liUsed = 1"} << false << QStringList();
        QTest::newRow("live, of an employee who has left")
            << QStringList{"update pemployee set eActive = 0 where eEmpID = 1"} << true
            << QStringList();
        QTest::newRow("deducted in a monthly entry")
            << QStringList{entry.arg(0), line} << false
            << QStringList{"Monthly Entry Done. Can't Edit."};
        QTest::newRow("deduction line of a cancelled monthly entry")
            << QStringList{entry.arg(1), line} << true << QStringList();
    }
    void editOpensAsTheIssueAllows()
    {
        QFETCH(QStringList, setup);
        QFETCH(bool, editable);
        QFETCH(QStringList, prompts);
        useRegister(openPayroll(), 1, QStringLiteral("L"), QStringLiteral("E"));
        addLiveIssue();
        for (const QString& statement : setup)
            run(statement);
        FrmMaster& reg = FrmMaster::instance();
        selectIssueRow(7);
        msgbox::ScriptedPresenter messages;
        EntryWindowDriver driver([&](frmLoan& entry) {
            QCOMPARE(entry.cmdOK->isEnabled(), editable);
            QCOMPARE(entry.fraloan->isEnabled(), editable);
            QCOMPARE(
                (QStringList{entry.txtLoanNo->text(), entry.cboEmployee->currentText(),
                             entry.cboloanapplication->currentText(), entry.txtLoanAmount->text(),
                             entry.txtInstallmentAmount->text(), entry.txtRemarks->text()}),
                (QStringList{"LN7", "Asha", "LA-10", "12000", "1055.63", "old"}));
            QVERIFY(!entry.cboEmployee->isEnabled());
            QTest::mouseClick(entry.cmdCancel, Qt::LeftButton);
            QVERIFY(!entry.isVisible());
        });
        reg.CmdEdit_Click();
        QVERIFY(driver.ran());
        QCOMPARE(messages.prompts(), prompts);
        if (!prompts.isEmpty()) {
            QCOMPARE(messages.shown().first().flags, 0);
            QCOMPARE(messages.shown().first().title, msgbox::defaultTitle());
        }
    }

    void editThatCannotOpen_data()
    {
        QTest::addColumn<int>("issue");
        QTest::addColumn<int>("failAt");
        QTest::addColumn<QString>("message");
        QTest::newRow("issue no longer exists") << 99 << 0 << "This issue no longer exists";
        QTest::newRow("database fails reading the issue") << 7 << 1 << "injected";
        QTest::newRow("database fails filling the window") << 7 << 5 << "injected";
    }
    void editThatCannotOpen()
    {
        QFETCH(int, issue);
        QFETCH(int, failAt);
        QFETCH(QString, message);
        useRegister(openPayroll(), 1, QStringLiteral("L"), QStringLiteral("E"));
        addLiveIssue();
        FrmMaster& reg = FrmMaster::instance();
        selectIssueRow(issue);
        msgbox::ScriptedPresenter messages;
        BasLoan::adocon().failStatementAt(failAt);
        guarded([&] { reg.CmdEdit_Click(); });
        BasLoan::adocon().failStatementAt(0);
        QVERIFY(!frmLoan::isLoaded());
        QCOMPARE(messages.shown().size(), 1);
        QVERIFY2(messages.shown().first().prompt.contains(message, Qt::CaseInsensitive),
                 qPrintable(messages.prompts()[0]));
        QCOMPARE(firstRow(QStringLiteral("select liRemarks, licancelled from pLoansIssueData")),
                 (QStringList{"old", "0"}));
    }

    void twoClerksSavingAtOnce()
    {
        constexpr int Rounds = 30;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("payroll.db"));
        useRegister(openPayroll(path), 1, QStringLiteral("L"));
        for (int i = 0; i < 2 * Rounds; ++i)
            run(QStringLiteral(
                    "insert into ploanapplication (laLoanAppID, laCompanyID, laloanappno, "
                    "laAppType, laEmployeeID, laLoanID, laPaymentPeriod, laSanctionAmount, "
                    "laInstalmentAmount, laDeductMonthly) values (%1, 1, 'C-%1', 'L', %2, "
                    "1, 10, 5000, 500, 1)")
                    .arg(1000 + i)
                    .arg(i % 2 + 1));
        QProcess clerks[2];
        for (int c = 0; c < 2; ++c) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            clerks[c].setProcessEnvironment(environment);
            clerks[c].start(QCoreApplication::applicationDirPath() +
                                QStringLiteral("/issue_saving_clerk"),
                            {path, QString::number(c + 1), QString::number(Rounds)});
        }
        QSet<QString> ids;
        QSet<QString> numbers;
        int saved = 0;
        for (QProcess& clerk : clerks) {
            QVERIFY(clerk.waitForFinished(120000));
            QCOMPARE(clerk.exitCode(), 0);
            const QList<QByteArray> lines = clerk.readAllStandardOutput().trimmed().split('\n');
            QCOMPARE(lines.size(), Rounds);
            for (const QByteArray& line : lines) {
                const QStringList part = QString::fromUtf8(line).split(u' ');
                if (part[0] == u"failed") {
                    QVERIFY2(part.size() > 1, "a failed save tells why");
                    continue;
                }
                QCOMPARE(part[0], QStringLiteral("saved"));
                ++saved;
                ids << part[1];
                numbers << part[2];
                QCOMPARE(
                    scalar("select liNo from pLoansIssueData where liCompanyID = 1 and liID = " +
                           part[1])
                        .toString(),
                    part[2]);
            }
        }
        // The save waits for the other clerk's write lock instead of failing.
        QCOMPARE(saved, 2 * Rounds);
        QCOMPARE(ids.size(), saved);
        QCOMPARE(numbers.size(), saved);
        QCOMPARE(scalar(QStringLiteral("select count(*) from pLoansIssueData")).toInt(), saved);
        QCOMPARE(scalar(QStringLiteral("select count(distinct liLoanAppID) from pLoansIssueData"))
                     .toInt(),
                 saved);
    }
};

int runFlowTests(int argc, char** argv)
{
    FlowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "FlowTest.moc"
