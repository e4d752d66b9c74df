#include "CancelFixture.h"
#include "ModalWatch.h"

#include "NativeStatement.h"
#include "ScriptedPresenter.h"
#include "cancel/frmCancel.h"
#include "common/BasLoan.h"
#include "grid/FlexGrid.h"
#include "ui/Twips.h"

#include <QLineEdit>
#include <QPushButton>

using cancel_test::confirm;
using cancel_test::LiveIssue;

// The reason dialog on its own, over a register grid whose current row is a live issue.
class CancellationDialogTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CancelFixture> db;
    std::unique_ptr<msgbox::ScriptedPresenter> messages;
    std::unique_ptr<FlexGrid> grid;

    void runDialog(std::function<void(frmCancel&)> action)
    {
        ModalWatch<frmCancel> watch(std::move(action));
        frmCancel::showModal();
        QCOMPARE(watch.timesShown(), 1);
    }

private slots:
    void init()
    {
        db = std::make_unique<CancelFixture>();
        messages = std::make_unique<msgbox::ScriptedPresenter>();
        grid = std::make_unique<FlexGrid>();
        grid->setCols(8);
        grid->setTextMatrix(1, 0, QString::number(LiveIssue));
        BasLoan::setFlexMaster(grid.get());
    }
    void cleanup()
    {
        grid.reset();
        messages.reset();
        db.reset();
    }

    // Alt+R reaches the reason box; Enter in it only moves on to OK, and Enter on OK cancels.
    void keyboardReachesTheReasonAndOk()
    {
        runDialog([&](frmCancel& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Reason For Deletion"));
            QCOMPARE(dialog.size(), QSize(Twips::toPixelsX(6360), Twips::toPixelsY(510)));
            QCOMPARE(dialog.txtcanreason->maxLength(), 200);
            QCOMPARE(dialog.txtcanreason->nextInFocusChain(), dialog.cmdOK);
            dialog.cmdOK->setFocus();
            QTest::keyClick(&dialog, Qt::Key_R, Qt::AltModifier);
            QVERIFY(dialog.txtcanreason->hasFocus());
            QTest::keyClicks(dialog.txtcanreason, QStringLiteral("wrong employee"));
            QTest::keyClick(dialog.txtcanreason, Qt::Key_Return);
            QVERIFY(dialog.cmdOK->hasFocus());
            QCOMPARE(db->issueField(LiveIssue, "licancelled").toInt(), 0);
            QTest::keyClick(dialog.cmdOK, Qt::Key_Return);
        });
        QCOMPARE(db->issueField(LiveIssue, "liCancelledRemarks").toString(),
                 QStringLiteral("clerk:wrong employee "));
    }

    void remarkStoredExactlyAsTyped_data()
    {
        QTest::addColumn<QString>("userName"); // null: the user has no row in this company
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("remark");
        const auto row = [](const char* name, const QString& user, const QString& reason,
                            const QString& remark) {
            QTest::newRow(name) << user << reason << remark;
        };
        // Quotes, statement fragments, other scripts and long texts: BadInputTest's random texts.
        const QString x200(200, u'x');
        const QString n50(50, u'n');
        row("blanks around, a quote", u"  clerk "_qs, u"   O'Neil's duplicate  "_qs,
            u"clerk:O'Neil's duplicate "_qs);
        row("user without a row: named by id", QString(), u"duplicate"_qs,
            u"user 99:duplicate "_qs);
        row("longest name and reason", n50, x200, n50 + u':' + x200 + u' ');
    }
    void remarkStoredExactlyAsTyped()
    {
        QFETCH(QString, userName);
        QFETCH(QString, reason);
        QFETCH(QString, remark);
        // Company 2 has a user 99 and an issue 13 too: neither may be taken for company 1's.
        db->otherClerk().Execute(
            u"insert into pusers (companyid, userid, username) values (2, 99, 'branch')"_qs);
        db->otherClerk().Execute(
            u"update pLoansIssueData set liID = 13 where liCompanyID = 2 and liID = 6"_qs);
        if (userName.isNull())
            BasLoan::intUserID = 99;
        else
            payroll::NativeStatement(db->otherClerk(), u"update pusers set username = ? where "
                                                       u"companyid = 1 and userid = 2"_qs)
                .run({userName});
        const QList<QVariantList> untouched = db->everythingBut(LiveIssue);

        runDialog([&](frmCancel& dialog) { confirm(dialog, reason); });

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
        const QString users = u"pusers"_qs;
        const QString issues = u"pLoansIssueData"_qs;
        const QString blank = u"Enter reason for deletion"_qs;
        QTest::newRow("empty reason") << QString() << users << issues << blank;
        QTest::newRow("only blanks") << u"     "_qs << users << issues << blank;
        QTest::newRow("user look-up fails")
            << u"duplicate"_qs << u"pusersGone"_qs << issues << u"no such table"_qs;
        QTest::newRow("cancellation fails")
            << u"duplicate"_qs << users << u"pLoansIssueGone"_qs << u"no such table"_qs;
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
            confirm(dialog, reason);
            QCOMPARE(messages->shown().size(), 1);
            QVERIFY(messages->shown()[0].prompt.startsWith(prompt));
            QCOMPARE(messages->shown()[0].flags, 64);
            QCOMPARE(messages->shown()[0].title, CancelFixture::Title);
            // A blank reason sends the clerk back to the box.
            QCOMPARE(dialog.txtcanreason->hasFocus(), reason.trimmed().isEmpty());
            QVERIFY(dialog.isVisible());
            dialog.close();
        });
        QVERIFY(!db->module().inTransaction());
        QCOMPARE(db->issueField(LiveIssue, "licancelled").toInt(), 0);
    }
};

QTEST_MAIN(CancellationDialogTest)

#include "CancellationDialogTest.moc"
