#include "CancelFixture.h"
#include "CancelTests.h"
#include "ModalWatch.h"

#include "cancel/CancellationStatements.h"
#include "cancel/frmCancel.h"
#include "common/BasLoan.h"
#include "data/NativeStatement.h"
#include "platform/grid/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

constexpr int LiveIssue = 13; // LN10: live, not used by payroll

} // namespace

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

    static void confirm(frmCancel& dialog, const QString& reason)
    {
        dialog.txtcanreason->setText(reason);
        QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
    }

private slots:
    void init()
    {
        db = std::make_unique<CancelFixture>();
        messages = std::make_unique<msgbox::ScriptedPresenter>();
        grid = std::make_unique<FlexGrid>();
        grid->setCols(8);
        grid->setTextMatrix(1, 0, QString::number(LiveIssue));
        grid->setTextMatrix(1, 1, QStringLiteral("LN10"));
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
            QCOMPARE(dialog.txtcanreason->text(), QString());
            QCOMPARE(dialog.cmdOK->text(), QStringLiteral("&OK"));
            QCOMPARE(dialog.Label1->text(), QStringLiteral("&Reason :"));
            QCOMPARE(dialog.txtcanreason->nextInFocusChain(), dialog.cmdOK);

            dialog.cmdOK->setFocus();
            QTest::keyClick(&dialog, Qt::Key_R, Qt::AltModifier);
            QVERIFY(dialog.txtcanreason->hasFocus());
            dialog.grab().save(QStringLiteral("/tmp/frmCancel.png"));
            dialog.close();
        });
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
            dialog.cmdOK->setFocus();
            confirm(dialog, reason);
            QCOMPARE(messages->shown().size(), 1);
            QCOMPARE(messages->shown()[0].prompt, QStringLiteral("Enter reason for deletion"));
            QCOMPARE(messages->shown()[0].flags, 64);
            QCOMPARE(messages->shown()[0].title, CancelFixture::Title);
            QVERIFY(dialog.isVisible());
            QVERIFY(dialog.txtcanreason->hasFocus());
            dialog.close();
        });
        QCOMPARE(db->issueField(LiveIssue, "licancelled").toInt(), 0);
    }

    void remarkStoredExactlyAsTyped_data()
    {
        QTest::addColumn<QString>("userName");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("remark");
        const QString clerk = QStringLiteral("clerk");
        const QString twoHundred(200, u'x');
        QTest::newRow("blanks around the reason") << clerk << "   duplicate entry  "
                                                  << "clerk:duplicate entry ";
        QTest::newRow("blanks around the user name") << "  clerk  "
                                                     << "duplicate entry"
                                                     << "clerk:duplicate entry ";
        QTest::newRow("apostrophes") << clerk << "employee's 'own' request"
                                     << "clerk:employee's 'own' request ";
        QTest::newRow("apostrophe in the user name") << "D'Souza"
                                                     << "late entry"
                                                     << "D'Souza:late entry ";
        QTest::newRow("double quotes") << clerk << "said \"no\""
                                       << "clerk:said \"no\" ";
        QTest::newRow("semicolons") << clerk << "a; b;; c"
                                    << "clerk:a; b;; c ";
        QTest::newRow("statement fragment")
            << clerk << "x', liUsed=1 where 1=1; delete from pusers --"
            << "clerk:x', liUsed=1 where 1=1; delete from pusers -- ";
        QTest::newRow("comment opener") << clerk << "/* typo"
                                        << "clerk:/* typo ";
        QTest::newRow("200 characters") << clerk << twoHundred << "clerk:" + twoHundred + " ";
        QTest::newRow("more than the box takes") << clerk << twoHundred + "yyyy"
                                                 << "clerk:" + twoHundred + " ";
        QTest::newRow("longest name with the longest reason")
            << QString(50, u'n') << twoHundred << QString(50, u'n') + ":" + twoHundred + " ";
        QTest::newRow("non-Latin letters")
            << QStringLiteral("Jürgen") << QStringLiteral("Ошибка ввода — 重复 ‘x’")
            << QStringLiteral("Jürgen:Ошибка ввода — 重复 ‘x’ ");
    }
    void remarkStoredExactlyAsTyped()
    {
        QFETCH(QString, userName);
        QFETCH(QString, reason);
        QFETCH(QString, remark);
        payroll::NativeStatement(db->otherClerk(),
                                 QStringLiteral("update pusers set username = ? where "
                                                "companyid = 1 and userid = 2"))
            .run({userName});
        const QString others = db->companySummary();

        runDialog([&](frmCancel& dialog) { confirm(dialog, reason); });

        QCOMPARE(messages->prompts(), QStringList());
        QCOMPARE(db->issueField(LiveIssue, "liCancelledRemarks").toString(), remark);
        QCOMPARE(db->issueField(LiveIssue, "licancelled").toInt(), 1);
        // Only this issue changed: one more cancelled and one more remark, nothing used.
        const QStringList before = others.split(u'/');
        QCOMPARE(db->companySummary(), QStringLiteral("%1/%2/%3")
                                           .arg(before[0].toInt() + 1)
                                           .arg(before[1])
                                           .arg(before[2].toInt() + 1));
        QCOMPARE(
            db->otherClerk().ExecuteScalar(QStringLiteral("select count(*) from pusers")).toInt(),
            12);
    }

    void unknownUserLeavesASingleBlank()
    {
        BasLoan::intUserID = 99;
        runDialog([](frmCancel& dialog) { confirm(dialog, QStringLiteral("duplicate")); });
        QCOMPARE(db->issueField(LiveIssue, "licancelled").toInt(), 1);
        QCOMPARE(db->issueField(LiveIssue, "liCancelledRemarks").toString(), QStringLiteral(" "));
    }

    void closeBoxWritesNothing()
    {
        runDialog([](frmCancel& dialog) {
            dialog.txtcanreason->setText(QStringLiteral("typed, then thought better of it"));
            dialog.close();
        });
        QCOMPARE(db->issueField(LiveIssue, "licancelled").toInt(), 0);
        QVERIFY(db->issueField(LiveIssue, "liCancelledRemarks").isNull());
        QVERIFY(!frmCancel::isLoaded());
    }

    void enterMovesToOkWithoutPressingIt()
    {
        runDialog([&](frmCancel& dialog) {
            dialog.txtcanreason->setFocus();
            QTest::keyClicks(dialog.txtcanreason, QStringLiteral("wrong employee"));
            QTest::keyClick(dialog.txtcanreason, Qt::Key_Return);
            QVERIFY(dialog.cmdOK->hasFocus());
            QVERIFY(dialog.isVisible());
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
        QCOMPARE(CancellationStatements::cancelIssue(QStringLiteral("O'Neil:it's"),
                                                     QStringLiteral("13")),
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
            QCOMPARE(messages->shown().size(), 1);
            QCOMPARE(messages->shown()[0].flags, 64);
            QVERIFY2(messages->shown()[0].prompt.contains(u"no such table"),
                     qPrintable(messages->shown()[0].prompt));
            QVERIFY(dialog.isVisible());
            dialog.close();
        });
        QVERIFY(!db->module().inTransaction());
        QCOMPARE(db->issueField(LiveIssue, "licancelled").toInt(), 0);
    }
};

int runCancellationDialogTests(int argc, char** argv)
{
    CancellationDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CancellationDialogTest.moc"
