#include "EntryTest.h"

#include "SupersedingPresenter.h"
#include "issue_entry/frmLoan.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace EntryFixture;
using namespace Qt::StringLiterals;

class FlowTest : public EntryTest
{
    Q_OBJECT

private slots:
    void changingTheEmployeeAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("shown"); // employee, applications listed, details kept
        QTest::newRow("No keeps every detail")
            << int(msgbox::vbNo)
            << QStringList{"Asha", "LA-10 LA-11", "LA-10", "12000", "12", "1055.63"};
        QTest::newRow("Yes drops the details")
            << int(msgbox::vbYes) << QStringList{"Bala", "LA-12 LA-15", "", "", "", ""};
    }
    void changingTheEmployeeAsksFirst()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, shown);
        openRegister(1, u"L"_s);
        msgbox::SupersedingPresenter messages;
        frmLoan& entry = newEntry(1, 10);
        messages.queueAnswer(answer);
        choose(entry.cboEmployee, 2);
        QCOMPARE(messages.prompts(),
                 QStringList{"Related details will be lost, Do you want to continue "});
        QCOMPARE(messages.shown().first().flags, 68);
        QStringList listed;
        for (int i = 0; i < entry.cboloanapplication->count(); ++i)
            listed << entry.cboloanapplication->itemText(i);
        QCOMPARE((QStringList{entry.cboEmployee->currentText(), listed.join(u' '),
                              entry.cboloanapplication->currentText(), entry.txtLoanAmount->text(),
                              entry.txtNoOfPayments->text(), entry.txtInstallmentAmount->text()}),
                 shown);
    }

    void closingAsksOnlyAfterChanges_data()
    {
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QString>("remarks");
        QTest::addColumn<QString>("closeBy");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("prompts");
        const QStringList ask{u"Save Changes?"_s};
        QTest::newRow("nothing changed")
            << false << QString() << "Close" << int(msgbox::vbYes) << QStringList();
        QTest::newRow("changed, Esc, No") << false << "note"
                                          << "Esc" << int(msgbox::vbNo) << ask;
        QTest::newRow("changed, close box, Yes, incomplete: stays open")
            << false << "note"
            << "close box" << int(msgbox::vbYes) << (ask + QStringList{u"Select employee"_s});
        QTest::newRow("complete, Close, Yes saves")
            << true << QString() << "Close" << int(msgbox::vbYes) << ask;
    }
    void closingAsksOnlyAfterChanges()
    {
        QFETCH(bool, complete);
        QFETCH(QString, remarks);
        QFETCH(QString, closeBy);
        QFETCH(int, answer);
        QFETCH(QStringList, prompts);
        openRegister(1, u"L"_s);
        msgbox::SupersedingPresenter messages;
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
        QCOMPARE(entry.isVisible(), prompts.size() > 1);
        QCOMPARE(storedValue(u"select count(*) from pLoansIssueData"_s).toInt(), int(complete));
    }

    void editFollowsTheIssue_data()
    {
        QTest::addColumn<QStringList>("change");
        QTest::addColumn<bool>("meanwhile"); // made by another user while the window is open
        QTest::addColumn<QString>("opens");  // editable, the reason it is view only, or not at all
        QTest::addColumn<QString>("message");
        const QString monthlyEntry =
            u"insert into pempMonthlyEntryHeader values (1, 3, 1, '2024-02-01', %1)"_s;
        const QString deduction = u"insert into pEmployeeDeductionDetail "
                                  "(eddCompanyID, eddID, eddLoanIssueID) values (1, 3, 7)"_s;
        const QStringList cancelled{
            "update pLoansIssueData set licancelled = 1, liCancelledRemarks = 'clerk:dup '"};
        const QStringList used{"update pLoansIssueData set liUsed = 1"};
        const QStringList deducted{monthlyEntry.arg(0), deduction};
        const QString refused = u"can no longer be changed; nothing was saved"_s;
        QTest::newRow("live, of an employee who has left")
            << QStringList{"update pemployee set eActive = 0 where eEmpID = 1"} << false
            << "editable" << QString();
        QTest::newRow("deduction line of a cancelled monthly entry")
            << QStringList{monthlyEntry.arg(1), deduction} << false << "editable" << QString();
        QTest::newRow("cancelled")
            << cancelled << false << "LN7 was cancelled by clerk: dup." << QString();
        QTest::newRow("used") << used << false
                              << "Payroll has used LN7, so money may already have been "
                                 "recovered on it."
                              << QString();
        QTest::newRow("deducted in a monthly entry")
            << deducted << false
            << "A monthly payroll entry has deducted the instalment of LN7, so money has been "
               "recovered on it."
            << "Monthly Entry Done. Can't Edit.";
        QTest::newRow("removed by another user")
            << QStringList{"delete from pLoansIssueData"} << false << QString()
            << "This issue no longer exists";
        QTest::newRow("cancelled meanwhile") << cancelled << true << "editable" << refused;
        QTest::newRow("used meanwhile") << used << true << "editable" << refused;
        QTest::newRow("deducted meanwhile") << deducted << true << "editable" << refused;
    }
    void editFollowsTheIssue()
    {
        QFETCH(QStringList, change);
        QFETCH(bool, meanwhile);
        QFETCH(QString, opens);
        QFETCH(QString, message);
        openRegister(1, u"L"_s, u"E"_s);
        addLiveIssue();
        const auto makeChange = [&] {
            for (const QString& statement : change)
                run(statement);
        };
        if (!meanwhile)
            makeChange();
        const QString issue = u"select * from pLoansIssueData"_s;
        QStringList before;
        msgbox::SupersedingPresenter messages;
        const bool shown = showEntry(7, [&](frmLoan& entry) {
            const bool editable = opens == u"editable";
            QCOMPARE(entry.cmdOK->isEnabled(), editable);
            QCOMPARE(entry.cmdOK->toolTip(), editable ? QString() : opens);
            QCOMPARE(entry.fraloan->isEnabled(), editable);
            QCOMPARE(entry.lblReadOnly ? entry.lblReadOnly->text() : QString(),
                     editable ? QString() : u"View only. "_s + opens);
            // The reason stands above the fields, not over them.
            QVERIFY(editable || entry.lblReadOnly->geometry().bottom() < entry.fraloan->y());
            QVERIFY(!entry.cboEmployee->isEnabled());
            QCOMPARE(
                (QStringList{entry.txtLoanNo->text(), entry.cboEmployee->currentText(),
                             entry.cboloanapplication->currentText(), entry.txtLoanAmount->text(),
                             entry.txtInstallmentAmount->text(), entry.txtRemarks->text()}),
                (QStringList{"LN7", "Asha", "LA-10", "12000", "1000", "old"}));
            if (meanwhile) {
                makeChange();
                before = stored(issue);
                entry.txtRemarks->setText(u"mine"_s);
                QTest::mouseClick(entry.cmdOK, Qt::LeftButton);
                QVERIFY(!entry.cmdOK->isEnabled() && entry.lblReadOnly->text().contains(message));
            }
            QTest::mouseClick(entry.cmdCancel, Qt::LeftButton);
            QVERIFY(!entry.isVisible());
        });
        QCOMPARE(shown, !opens.isEmpty());
        QCOMPARE(messages.shown().size(), int(!message.isEmpty()));
        QVERIFY(messages.prompts().value(0).contains(message));
        if (meanwhile)
            QCOMPARE(stored(issue), before);
    }
};

QTEST_MAIN(FlowTest)

#include "FlowTest.moc"
