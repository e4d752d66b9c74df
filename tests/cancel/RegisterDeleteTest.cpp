#include "CancelFixture.h"
#include "ModalWatch.h"

#include "ScriptedPresenter.h"
#include "cancel/frmCancel.h"
#include "data/BasLoanVariables.h"
#include "grid/FlexGrid.h"
#include "register/FrmMaster.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>

using cancel_test::confirm;
using cancel_test::LiveIssue;

// Delete in the real register over the demo payroll, signed in as the clerk ("NEDP").
class RegisterDeleteTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CancelFixture> db;
    std::unique_ptr<msgbox::ScriptedPresenter> messages;
    FrmMaster* reg = nullptr;
    FlexGrid* grid = nullptr;

    // Makes the issue's row current and answers its row number.
    int select(const QString& number)
    {
        for (int r = 1; r < grid->Rows(); ++r) {
            if (grid->TextMatrix(r, 1) == number) {
                grid->setRow(r);
                return r;
            }
        }
        return -1;
    }

    QList<quint32> rowColours(int row)
    {
        QList<quint32> colours;
        for (int c = 0; c < 8; ++c) {
            grid->setRow(row);
            grid->setCol(c);
            colours.append(grid->CellForeColor());
        }
        return colours;
    }

private slots:
    void init()
    {
        db = std::make_unique<CancelFixture>();
        messages = std::make_unique<msgbox::ScriptedPresenter>();
        reg = &FrmMaster::instance();
        reg->show();
        grid = reg->flexMaster;
    }
    void cleanup()
    {
        FrmMaster::Unload();
        messages.reset();
        db.reset();
    }

    // Delete asks, then the reason dialog cancels the issue; answering No or closing the dialog
    // cancels nothing. Either way the row is repainted as it now stands and selected again.
    void cancelsOnlyWhenAskedAndConfirmed_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("reason"); // null: the dialog is closed with its close box
        QTest::newRow("Delete button") << false << int(msgbox::vbYes) << u"duplicate entry"_qs;
        QTest::newRow("Delete key in the grid")
            << true << int(msgbox::vbYes) << u"duplicate entry"_qs;
        QTest::newRow("question answered No") << false << int(msgbox::vbNo) << QString();
        QTest::newRow("dialog closed with the close box")
            << false << int(msgbox::vbYes) << QString();
    }
    void cancelsOnlyWhenAskedAndConfirmed()
    {
        QFETCH(bool, byKey);
        QFETCH(int, answer);
        QFETCH(QString, reason);
        const bool cancelled = !reason.isNull();
        const int row = select(u"LN10"_qs);
        const QList<quint32> colours = rowColours(row);
        grid->setCol(3);
        reg->CmdEdit->setEnabled(false);
        messages->queueAnswer(answer);
        ModalWatch<frmCancel> watch([&](frmCancel& dialog) {
            if (cancelled)
                confirm(dialog, reason);
            else
                dialog.close();
        });

        if (byKey)
            QTest::keyClick(grid->view(), Qt::Key_Delete);
        else
            QTest::mouseClick(reg->CmdDelete, Qt::LeftButton);

        QCOMPARE(watch.timesShown(), answer == msgbox::vbYes ? 1 : 0);
        QCOMPARE(messages->prompts(),
                 QStringList{u"Are you sure you want to delete the entry - LN10"_qs});
        QCOMPARE(messages->shown()[0].flags, 20);
        QCOMPARE(messages->shown()[0].title, CancelFixture::Title);
        QCOMPARE(db->issueField(LiveIssue, "liCancelledRemarks").toString(),
                 cancelled ? u"clerk:duplicate entry "_qs : QString());
        QCOMPARE(grid->TextMatrix(row, 7), cancelled ? u"Yes"_qs : u"No"_qs);
        // The row is selected across again, and Edit and Delete follow the rights again.
        QCOMPARE((QList<int>{grid->Row(), grid->Col(), grid->ColSel()}), (QList<int>{row, 0, 7}));
        QVERIFY(reg->CmdEdit->isEnabled());
        QCOMPARE(reg->CmdDelete->isEnabled(), !cancelled);
        QCOMPARE(reg->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(rowColours(row), cancelled ? QList<quint32>(8, 255) : colours);
        const QAbstractItemModel* shown = grid->view()->model();
        const auto marked = shown->match(shown->index(0, 7), Qt::DisplayRole, u"Yes"_qs, -1).size();
        QVERIFY(reg->lblListContext->text().contains(u", %1 of them cancelled"_qs.arg(marked)));
    }

    void refusedWithoutAQuestion_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QStringList>("prompts");
        QTest::newRow("used by payroll") << "LN5" << QStringList{u"Record can not be deleted"_qs};
        QTest::newRow("deducted in a monthly entry")
            << "LN6" << QStringList{u"Record can not be deleted"_qs};
        QTest::newRow("already cancelled: Delete key idle") << "LN8" << QStringList();
    }
    void refusedWithoutAQuestion()
    {
        QFETCH(QString, number);
        QFETCH(QStringList, prompts);
        select(number);
        const QList<QVariantList> before = db->everythingBut(0);
        ModalWatch<frmCancel> watch([](frmCancel& dialog) { dialog.close(); });

        QTest::keyClick(grid->view(), Qt::Key_Delete);

        QCOMPARE(messages->prompts(), prompts);
        QCOMPARE(watch.timesShown(), 0);
        QCOMPARE(db->everythingBut(0), before);
    }

    void raceBetweenTheCheckAndOk_data()
    {
        QTest::addColumn<QString>("meanwhile"); // statements separated by ";"
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QVariant>("remark");
        const QString issue =
            u"update pLoansIssueData set %1 where liCompanyID = 1 and liID = 13"_qs;
        const QString refused = u"Record can not be deleted"_qs;
        QTest::newRow("another clerk cancelled it")
            << issue.arg(u"licancelled = 1, liCancelledRemarks = 'viewer:first '"_qs)
            << "This entry has already been cancelled"
            << "Yes" << QVariant(u"viewer:first "_qs);
        QTest::newRow("payroll used it")
            << issue.arg(u"liUsed = 1"_qs) << refused << "No" << QVariant();
        QTest::newRow("a monthly entry deducted it")
            << u"insert into pempMonthlyEntryHeader values (1, 90, 9, '2024-03-01', 0); "
               u"insert into pEmployeeDeductionDetail (eddCompanyID, eddID, eddLoanIssueID) "
               u"values (1, 90, 13)"_qs
            << refused << "No" << QVariant();
    }
    void raceBetweenTheCheckAndOk()
    {
        QFETCH(QString, meanwhile);
        QFETCH(QString, message);
        QFETCH(QString, mark);
        QFETCH(QVariant, remark);
        const int row = select(u"LN10"_qs);
        messages->queueAnswer(msgbox::vbYes);
        ModalWatch<frmCancel> watch([&](frmCancel& dialog) {
            for (const QString& statement : meanwhile.split(u';'))
                db->otherClerk().Execute(statement);
            confirm(dialog, QStringLiteral("second thoughts"));
        });

        QTest::mouseClick(reg->CmdDelete, Qt::LeftButton);

        QCOMPARE(messages->prompts().mid(1), QStringList{message});
        QCOMPARE(db->issueField(LiveIssue, "liCancelledRemarks"), remark);
        QCOMPARE(grid->TextMatrix(row, 7), mark);
    }

    void failureLeavesTheRegisterUsable()
    {
        select(u"LN10"_qs);
        BasLoan::strTblLoansIssue = QStringLiteral("pLoansIssueGone");

        QTest::mouseClick(reg->CmdDelete, Qt::LeftButton);

        QCOMPARE(messages->shown().size(), 1);
        QVERIFY(messages->shown()[0].prompt.startsWith(u"no such table"));
        QVERIFY(reg->isEnabled());
        QCOMPARE(reg->cursor().shape(), Qt::ArrowCursor);
    }
};

QTEST_MAIN(RegisterDeleteTest)

#include "RegisterDeleteTest.moc"
