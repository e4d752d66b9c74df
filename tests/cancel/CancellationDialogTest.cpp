#include "CancelFixture.h"
#include "ModalWatch.h"

#include "NativeStatement.h"
#include "ScriptedPresenter.h"
#include "cancel/CancellationStatements.h"
#include "cancel/frmCancel.h"
#include "common/BasLoan.h"
#include "grid/FlexGrid.h"
#include "ui/Twips.h"

#include <QLabel>
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

    void windowAsTheClerkSeesIt()
    {
        runDialog([](frmCancel& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Reason For Deletion"));
            QCOMPARE(dialog.size(), QSize(Twips::toPixelsX(6360), Twips::toPixelsY(510)));
            QCOMPARE(dialog.txtcanreason->maxLength(), 200);
            QCOMPARE(dialog.txtcanreason->nextInFocusChain(), dialog.cmdOK);
            dialog.cmdOK->setFocus();
            QTest::keyClick(&dialog, Qt::Key_R, Qt::AltModifier);
            QVERIFY(dialog.txtcanreason->hasFocus());
            dialog.close();
        });
        QVERIFY(db->issueField(LiveIssue, "liCancelledRemarks").isNull());
    }

    void blankReasonRefused_data()
    {
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QString();
        QTest::newRow("only blanks") << QStringLiteral("     ");
    }
    void blankReasonRefused()
    {
        QFETCH(QString, reason);
        runDialog([&](frmCancel& dialog) {
            confirm(dialog, reason);
            QCOMPARE(messages->prompts(), QStringList{u"Enter reason for deletion"_qs});
            QCOMPARE(messages->shown()[0].flags, 64);
            QCOMPARE(messages->shown()[0].title, CancelFixture::Title);
            QVERIFY(dialog.txtcanreason->hasFocus());
            dialog.close();
        });
        QCOMPARE(db->issueField(LiveIssue, "licancelled").toInt(), 0);
    }

    void remarkStoredExactlyAsTyped_data()
    {
        QTest::addColumn<QString>("userName"); // null: the user has no row
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("remark");
        const auto row = [](const char* name, const QString& user, const QString& reason,
                            const QString& remark) {
            QTest::newRow(name) << user << reason << remark;
        };
        // Quotes, statement fragments, other scripts and long texts: BadInputTest's random texts.
        const QString x200(200, u'x');
        const QString n50(50, u'n');
        row("blanks around", u"  clerk "_qs, u"   duplicate entry  "_qs,
            u"clerk:duplicate entry "_qs);
        row("user without a row: named by id", QString(), u"duplicate"_qs,
            u"user 99:duplicate "_qs);
        row("longest name and reason", n50, x200, n50 + u':' + x200 + u' ');
    }
    void remarkStoredExactlyAsTyped()
    {
        QFETCH(QString, userName);
        QFETCH(QString, reason);
        QFETCH(QString, remark);
        if (userName.isNull())
            BasLoan::intUserID = 99;
        payroll::NativeStatement(db->otherClerk(),
                                 u"update pusers set username = ? where userid = 2"_qs)
            .run({userName.isNull() ? u"clerk"_qs : userName});
        const QList<QVariantList> untouched = db->everythingBut(LiveIssue);

        runDialog([&](frmCancel& dialog) { confirm(dialog, reason); });

        QCOMPARE(messages->prompts(), QStringList());
        QCOMPARE(db->issueField(LiveIssue, "liCancelledRemarks").toString(), remark);
        QCOMPARE(db->issueField(LiveIssue, "licancelled").toInt(), 1);
        QCOMPARE(db->everythingBut(LiveIssue), untouched);
    }

    void enterMovesToOkWithoutPressingIt()
    {
        runDialog([&](frmCancel& dialog) {
            QTest::keyClicks(dialog.txtcanreason, QStringLiteral("wrong employee"));
            QTest::keyClick(dialog.txtcanreason, Qt::Key_Return);
            QVERIFY(dialog.cmdOK->hasFocus());
            QCOMPARE(db->issueField(LiveIssue, "licancelled").toInt(), 0);
            QTest::keyClick(dialog.cmdOK, Qt::Key_Return);
        });
        QCOMPARE(db->issueField(LiveIssue, "liCancelledRemarks").toString(),
                 QStringLiteral("clerk:wrong employee "));
    }

    void statementsKeepTheirShape()
    {
        QCOMPARE(CancellationStatements::userNameLookup(),
                 QStringLiteral("select username from pusers where companyid=1 and userid=2"));
        QCOMPARE(CancellationStatements::cancelIssue(u"O'Neil:it's"_qs, u"13"_qs),
                 QStringLiteral("update pLoansIssueData set liCancelled=1, "
                                "liCancelledRemarks='O''Neil:it''s ' where liID ='13' and "
                                "liCompanyID =1"));
    }

    void failureReachesTheClerk_data()
    {
        QTest::addColumn<QString>("usersTable");
        QTest::addColumn<QString>("issueTable");
        QTest::newRow("user look-up fails") << "pusersGone"
                                            << "pLoansIssueData";
        QTest::newRow("cancellation fails") << "pusers"
                                            << "pLoansIssueGone";
    }
    void failureReachesTheClerk()
    {
        QFETCH(QString, usersTable);
        QFETCH(QString, issueTable);
        BasLoan::strTblUsers = usersTable;
        BasLoan::strTblLoansIssue = issueTable;
        runDialog([&](frmCancel& dialog) {
            confirm(dialog, QStringLiteral("duplicate"));
            CancelFixture::checkNoSuchTableShown(*messages);
            QVERIFY(dialog.isVisible());
            dialog.close();
        });
        QVERIFY(!db->module().inTransaction());
        QCOMPARE(db->issueField(LiveIssue, "licancelled").toInt(), 0);
    }
};

QTEST_MAIN(CancellationDialogTest)

#include "CancellationDialogTest.moc"
