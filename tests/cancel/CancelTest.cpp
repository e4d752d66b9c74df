#include "RegisterFixture.h"

#include "ModalWatch.h"
#include "cancel/frmCancel.h"
#include "common/BasLoanVariables.h"
#include "db/PreparedStatement.h"
#include "grid/FlexGrid.h"
#include "register/FrmMaster.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace Qt::StringLiterals;

// Cancelling an issue from the real register over the demo payroll, signed in as the clerk
// ("NEDP"): Delete and its checks, then the reason dialog.
class CancelTest : public QObject
{
    Q_OBJECT

    static constexpr int LiveIssue = RegisterFixture::LiveIssue;
    std::unique_ptr<RegisterFixture> db;
    msgbox::ScriptedPresenter* messages = nullptr;
    FrmMaster* reg = nullptr;
    FlexGrid* grid = nullptr;

    // Types the reason for a cancellation and presses OK.
    static void confirmCancellation(frmCancel& dialog, const QString& reason)
    {
        dialog.txtcanreason->setText(reason);
        QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
    }

    // The reason dialog on its own, over the live issue's row.
    void runDialog(std::function<void(frmCancel&)> action)
    {
        selectIssue(*grid, u"LN10"_s);
        ModalWatch<frmCancel> watch(std::move(action));
        frmCancel::showModal();
        QCOMPARE(watch.timesShown(), 1);
    }

private slots:
    void init()
    {
        db = std::make_unique<RegisterFixture>(RegisterFixture::Demo{});
        messages = &db->messages();
        reg = &db->open(u"L"_s, 2);
        reg->show();
        grid = reg->flexMaster;
    }
    void cleanup() { db.reset(); }

    // Delete asks, then the reason dialog cancels the issue; answering No or closing the dialog
    // cancels nothing. Either way the row is repainted as it now stands and selected again.
    void cancelsOnlyWhenAskedAndConfirmed_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("reason"); // null: the dialog is left by its Cancel
        QTest::newRow("confirmed") << int(msgbox::vbYes) << u"duplicate entry"_s;
        QTest::newRow("question answered No") << int(msgbox::vbNo) << QString();
        QTest::newRow("dialog cancelled") << int(msgbox::vbYes) << QString();
    }
    void cancelsOnlyWhenAskedAndConfirmed()
    {
        QFETCH(int, answer);
        QFETCH(QString, reason);
        const bool cancelled = !reason.isNull();
        const int row = selectIssue(*grid, u"LN10"_s);
        grid->setCol(3);
        reg->CmdEdit->setEnabled(false);
        messages->queueAnswer(answer);
        ModalWatch<frmCancel> watch([&](frmCancel& dialog) {
            if (cancelled)
                confirmCancellation(dialog, reason);
            else
                QTest::mouseClick(dialog.cmdCancel, Qt::LeftButton);
        });

        QTest::mouseClick(reg->CmdDelete, Qt::LeftButton);

        QCOMPARE(watch.timesShown(), answer == msgbox::vbYes ? 1 : 0);
        QCOMPARE(messages->prompts(),
                 QStringList{u"Are you sure you want to delete the entry - LN10"_s});
        // No is the default answer.
        QCOMPARE(messages->shown()[0].flags, 20 + msgbox::vbDefaultButton2);
        QCOMPARE(messages->shown()[0].title, RegisterFixture::Title);
        QCOMPARE(db->issueField(LiveIssue, "liCancelledRemarks").toString(),
                 cancelled ? u"clerk:duplicate entry "_s : QString());
        QCOMPARE(grid->TextMatrix(row, 7), cancelled ? u"Yes"_s : u"No"_s);
        // The row is selected across again, and Edit and Delete follow the rights again.
        QCOMPARE((QList<int>{grid->Row(), grid->Col(), grid->ColSel()}), (QList<int>{row, 0, 7}));
        QVERIFY(reg->CmdEdit->isEnabled());
        QCOMPARE(reg->CmdDelete->isEnabled(), !cancelled);
        QCOMPARE(reg->cursor().shape(), Qt::ArrowCursor);
        for (int c = 0; c < 8; ++c) {
            grid->setCol(c);
            QCOMPARE(grid->CellForeColor(), cancelled ? 255u : 0u);
        }
        const auto marked = columnTexts(*grid, 7).count(u"Yes"_s);
        QVERIFY(reg->lblListContext->text().contains(u", %1 of them cancelled"_s.arg(marked)));
    }

    // The Delete key in the grid goes the same way as the button, and is idle on a cancelled row;
    // a failing check is reported and leaves the register usable.
    void refusedWithoutAQuestion_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("issueTable");
        QTest::addColumn<QStringList>("prompts");
        const QString issues = u"pLoansIssueData"_s;
        const QString refused = u"Record can not be deleted\n\n"_s;
        QTest::newRow("used by payroll")
            << "LN5" << issues
            << QStringList{refused + u"Payroll has used LN5, so money may already have been "
                                     "recovered on it."_s};
        QTest::newRow("deducted in a monthly entry")
            << "LN6" << issues
            << QStringList{refused + u"A monthly payroll entry has deducted the instalment of "
                                     "LN6, so money has been recovered on it."_s};
        QTest::newRow("already cancelled: Delete key idle") << "LN8" << issues << QStringList();
        QTest::newRow("check fails")
            << "LN10" << u"pLoansIssueGone"_s << QStringList{u"no such table: pLoansIssueGone"_s};
    }
    void refusedWithoutAQuestion()
    {
        QFETCH(QString, number);
        QFETCH(QString, issueTable);
        QFETCH(QStringList, prompts);
        selectIssue(*grid, number);
        BasLoan::strTblLoansIssue = issueTable;
        const QList<QVariantList> before = db->everythingBut(0);
        ModalWatch<frmCancel> watch([](frmCancel& dialog) { dialog.close(); });

        QTest::keyClick(grid->view(), Qt::Key_Delete);

        QCOMPARE(messages->prompts(), prompts);
        QCOMPARE(watch.timesShown(), 0);
        QCOMPARE(db->everythingBut(0), before);
        QVERIFY(reg->isEnabled());
    }

    void raceBetweenTheCheckAndOk_data()
    {
        QTest::addColumn<QString>("meanwhile"); // statements separated by ";"
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QVariant>("remark");
        const QString issue =
            u"update pLoansIssueData set %1 where liCompanyID = 1 and liID = 13"_s;
        const QString refused = u"Record can not be deleted\n\n"_s;
        QTest::newRow("another clerk cancelled it")
            << issue.arg(u"licancelled = 1, liCancelledRemarks = 'viewer:first '"_s)
            << "This entry has already been cancelled"
            << "Yes" << QVariant(u"viewer:first "_s);
        QTest::newRow("payroll used it")
            << issue.arg(u"liUsed = 1"_s)
            << refused + u"Payroll has used LN10, so money may already have been recovered on it."_s
            << "No" << QVariant();
        QTest::newRow("a monthly entry deducted it")
            << u"insert into pempMonthlyEntryHeader values (1, 90, 9, '2024-03-01', 0); "
               u"insert into pEmployeeDeductionDetail (eddCompanyID, eddID, eddLoanIssueID) "
               u"values (1, 90, 13)"_s
            << refused + u"A monthly payroll entry has deducted the instalment of LN10, so money "
                         "has been recovered on it."_s
            << "No" << QVariant();
    }
    void raceBetweenTheCheckAndOk()
    {
        QFETCH(QString, meanwhile);
        QFETCH(QString, message);
        QFETCH(QString, mark);
        QFETCH(QVariant, remark);
        const int row = selectIssue(*grid, u"LN10"_s);
        messages->queueAnswer(msgbox::vbYes);
        ModalWatch<frmCancel> watch([&](frmCancel& dialog) {
            for (const QString& statement : meanwhile.split(u';'))
                db->otherClerk().Execute(statement);
            confirmCancellation(dialog, u"second thoughts"_s);
        });

        QTest::mouseClick(reg->CmdDelete, Qt::LeftButton);

        QCOMPARE(messages->prompts().mid(1), QStringList{message});
        QCOMPARE(db->issueField(LiveIssue, "liCancelledRemarks"), remark);
        QCOMPARE(grid->TextMatrix(row, 7), mark);
    }

    // Alt+R reaches the reason box, which tells the room left; Enter in it only moves on to OK,
    // and Enter on OK cancels.
    void keyboardReachesTheReasonAndOk()
    {
        runDialog([&](frmCancel& dialog) {
            QCOMPARE(dialog.windowTitle(), u"Reason For Deletion"_s);
            QCOMPARE(dialog.size(), QSize(Twips::toPixelsX(7470), Twips::toPixelsY(780)));
            QCOMPARE(dialog.txtcanreason->maxLength(), 200);
            QCOMPARE(dialog.txtcanreason->nextInFocusChain(), dialog.cmdOK);
            dialog.cmdOK->setFocus();
            QTest::keyClick(&dialog, Qt::Key_R, Qt::AltModifier);
            QVERIFY(dialog.txtcanreason->hasFocus());
            QTest::keyClicks(dialog.txtcanreason, u"wrong employee"_s);
            QCOMPARE(dialog.lblRoomLeft->text(), u"186 of 200 characters left"_s);
            QTest::keyClick(dialog.txtcanreason, Qt::Key_Return);
            QVERIFY(dialog.cmdOK->hasFocus());
            QCOMPARE(db->issueField(LiveIssue, "licancelled").toInt(), 0);
            QTest::keyClick(dialog.cmdOK, Qt::Key_Return);
        });
        QCOMPARE(db->issueField(LiveIssue, "liCancelledRemarks").toString(),
                 u"clerk:wrong employee "_s);
    }

    void remarkStoredExactlyAsTyped_data()
    {
        QTest::addColumn<QString>("userName"); // null: the user has no row in this company
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("remark");
        // Quotes, statement fragments, other scripts and long texts: BadInputTest's random texts.
        const QString x200(200, u'x');
        const QString n50(50, u'n');
        QTest::newRow("blanks around, a quote")
            << u"  clerk "_s << u"   O'Neil's duplicate  "_s << u"clerk:O'Neil's duplicate "_s;
        QTest::newRow("user without a row: named by id")
            << QString() << u"duplicate"_s << u"user 99:duplicate "_s;
        QTest::newRow("longest name and reason") << n50 << x200 << n50 + u':' + x200 + u' ';
    }
    void remarkStoredExactlyAsTyped()
    {
        QFETCH(QString, userName);
        QFETCH(QString, reason);
        QFETCH(QString, remark);
        // Company 2 has a user 99 and an issue 13 too: neither may be taken for company 1's.
        db->otherClerk().Execute(
            u"insert into pusers (companyid, userid, username) values (2, 99, 'branch')"_s);
        db->otherClerk().Execute(
            u"update pLoansIssueData set liID = 13 where liCompanyID = 2 and liID = 6"_s);
        if (userName.isNull())
            BasLoan::intUserID = 99;
        else
            ado::PreparedStatement(db->otherClerk(), u"update pusers set username = ? where "
                                                     u"companyid = 1 and userid = 2"_s)
                .run({userName});
        const QList<QVariantList> untouched = db->everythingBut(LiveIssue);

        runDialog([&](frmCancel& dialog) { confirmCancellation(dialog, reason); });

        QCOMPARE(messages->prompts(), QStringList());
        QCOMPARE(db->issueField(LiveIssue, "liCancelledRemarks").toString(), remark);
        QCOMPARE(db->issueField(LiveIssue, "licancelled").toInt(), 1);
        QCOMPARE(db->everythingBut(LiveIssue), untouched);
    }

    // A blank reason is refused and a failing statement is reported; either way the dialog stays
    // open for another try and the issue stays live.
    void nothingCancelledOnRefusalOrFailure_data()
    {
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("usersTable");
        QTest::addColumn<QString>("issueTable");
        QTest::addColumn<QString>("prompt"); // how the one message shown begins
        const QString users = u"pusers"_s;
        const QString issues = u"pLoansIssueData"_s;
        QTest::newRow("only blanks")
            << u"     "_s << users << issues << u"Enter reason for deletion"_s;
        QTest::newRow("user look-up fails")
            << u"duplicate"_s << u"pusersGone"_s << issues << u"no such table"_s;
        QTest::newRow("cancellation fails")
            << u"duplicate"_s << users << u"pLoansIssueGone"_s << u"no such table"_s;
    }
    void nothingCancelledOnRefusalOrFailure()
    {
        QFETCH(QString, reason);
        QFETCH(QString, usersTable);
        QFETCH(QString, issueTable);
        QFETCH(QString, prompt);
        BasLoan::strTblUsers = usersTable;
        BasLoan::strTblLoansIssue = issueTable;
        runDialog([&](frmCancel& dialog) {
            confirmCancellation(dialog, reason);
            QCOMPARE(messages->shown().size(), 1);
            QVERIFY(messages->shown()[0].prompt.startsWith(prompt));
            QCOMPARE(messages->shown()[0].flags, 64);
            QCOMPARE(messages->shown()[0].title, RegisterFixture::Title);
            // A blank reason sends the clerk back to the box.
            QCOMPARE(dialog.txtcanreason->hasFocus(), reason.trimmed().isEmpty());
            QVERIFY(dialog.isVisible());
            dialog.close();
        });
        QVERIFY(!db->connection().inTransaction());
        QCOMPARE(db->issueField(LiveIssue, "licancelled").toInt(), 0);
    }
};

QTEST_MAIN(CancelTest)

#include "CancelTest.moc"
