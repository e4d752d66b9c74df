#include "CancelFixture.h"
#include "CancelTests.h"
#include "ModalWatch.h"

#include "cancel/frmCancel.h"
#include "data/BasLoanVariables.h"
#include "platform/grid/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "register/FrmMaster.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

constexpr quint32 Red = 255;
const QString LiveNumber = QStringLiteral("LN10"); // issue 13: live, not used by payroll
constexpr int LiveIssue = 13;

void confirm(frmCancel& dialog, const QString& reason)
{
    dialog.txtcanreason->setText(reason);
    QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
}

} // namespace

// Delete in the real register over the demo payroll, signed in as the clerk ("NEDP").
class RegisterDeleteTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CancelFixture> db;
    std::unique_ptr<msgbox::ScriptedPresenter> messages;
    FrmMaster* reg = nullptr;
    FlexGrid* grid = nullptr;

    int rowOf(const QString& number) const
    {
        for (int r = 1; r < grid->Rows(); ++r) {
            if (grid->TextMatrix(r, 1) == number)
                return r;
        }
        return -1;
    }

    int select(const QString& number)
    {
        const int row = rowOf(number);
        if (row > 0)
            grid->setRow(row);
        return row;
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

    void pressDelete(bool byKey)
    {
        if (byKey)
            QTest::keyClick(grid->view(), Qt::Key_Delete);
        else
            QTest::mouseClick(reg->CmdDelete, Qt::LeftButton);
    }

private slots:
    void init()
    {
        db = std::make_unique<CancelFixture>();
        messages = std::make_unique<msgbox::ScriptedPresenter>();
        reg = &FrmMaster::instance();
        reg->show();
        grid = reg->flexMaster;
        QVERIFY2(rowOf(LiveNumber) > 0, "the register lists the demo's live loan");
    }
    void cleanup()
    {
        FrmMaster::Unload();
        messages.reset();
        db.reset();
    }

    void cancelsAndRepaintsTheRow_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("Delete button") << false;
        QTest::newRow("Delete key in the grid") << true;
    }
    void cancelsAndRepaintsTheRow()
    {
        QFETCH(bool, byKey);
        const int row = select(LiveNumber);
        QVERIFY(reg->CmdDelete->isEnabled());
        reg->CmdEdit->setEnabled(false); // Edit comes back from the rights once the row is redone
        messages->queueAnswer(msgbox::vbYes);
        ModalWatch<frmCancel> watch(
            [](frmCancel& dialog) { confirm(dialog, QStringLiteral("duplicate entry")); });

        pressDelete(byKey);

        QCOMPARE(watch.timesShown(), 1);
        QCOMPARE(messages->shown().size(), 1);
        QCOMPARE(messages->shown()[0].prompt,
                 QStringLiteral("Are you sure you want to delete the entry - LN10"));
        QCOMPARE(messages->shown()[0].flags, 20);
        QCOMPARE(messages->shown()[0].title, CancelFixture::Title);
        QCOMPARE(db->issueField(LiveIssue, "liCancelledRemarks").toString(),
                 QStringLiteral("clerk:duplicate entry "));
        QCOMPARE(grid->TextMatrix(row, 7), QStringLiteral("Yes"));
        QCOMPARE(grid->Row(), row);
        QCOMPARE(grid->Col(), 0);
        QCOMPARE(grid->ColSel(), grid->Cols() - 1);
        QVERIFY(!reg->CmdDelete->isEnabled());
        QVERIFY(reg->CmdEdit->isEnabled());
        QCOMPARE(BasLoan::strMode, QStringLiteral("E"));
        QCOMPARE(reg->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(rowColours(row), QList<quint32>(8, Red));
    }

    void answeringNoChangesNothingButReselects()
    {
        const int row = select(LiveNumber);
        const QList<quint32> colours = rowColours(row);
        grid->setCol(3);
        reg->CmdEdit->setEnabled(false);
        ModalWatch<frmCancel> watch([](frmCancel& dialog) { dialog.close(); });

        QTest::mouseClick(reg->CmdDelete, Qt::LeftButton); // unanswered questions answer No

        QCOMPARE(watch.timesShown(), 0);
        QCOMPARE(db->issueField(LiveIssue, "licancelled").toInt(), 0);
        QCOMPARE(grid->TextMatrix(row, 7), QStringLiteral("No"));
        QVERIFY(reg->CmdEdit->isEnabled());
        QVERIFY(reg->CmdDelete->isEnabled());
        QCOMPARE(grid->Row(), row);
        QCOMPARE(grid->Col(), 0);
        QCOMPARE(grid->ColSel(), grid->Cols() - 1);
        QCOMPARE(rowColours(row), colours);
    }

    void closeBoxLeavesTheRowLive()
    {
        const int row = select(LiveNumber);
        const QList<quint32> colours = rowColours(row);
        messages->queueAnswer(msgbox::vbYes);
        ModalWatch<frmCancel> watch([](frmCancel& dialog) { dialog.close(); });

        QTest::mouseClick(reg->CmdDelete, Qt::LeftButton);

        QCOMPARE(watch.timesShown(), 1);
        QCOMPARE(db->issueField(LiveIssue, "licancelled").toInt(), 0);
        QCOMPARE(grid->TextMatrix(row, 7), QStringLiteral("No"));
        QVERIFY(reg->CmdDelete->isEnabled());
        QCOMPARE(rowColours(row), colours);
    }

    void usedIssueIsRefusedBeforeAnyQuestion()
    {
        select(QStringLiteral("LN5")); // taken into the payroll run
        ModalWatch<frmCancel> watch([](frmCancel& dialog) { dialog.close(); });

        QTest::mouseClick(reg->CmdDelete, Qt::LeftButton);

        QCOMPARE(messages->prompts(), QStringList{QStringLiteral("Record can not be deleted")});
        QCOMPARE(messages->shown()[0].flags, 64);
        QCOMPARE(watch.timesShown(), 0);
        QCOMPARE(db->issueField(6, "licancelled").toInt(), 0);
    }

    void deleteKeyIdleOnACancelledRow()
    {
        select(QStringLiteral("LN8"));
        QVERIFY(!reg->CmdDelete->isEnabled());
        ModalWatch<frmCancel> watch([](frmCancel& dialog) { dialog.close(); });

        QTest::keyClick(grid->view(), Qt::Key_Delete);

        QCOMPARE(messages->prompts(), QStringList());
        QCOMPARE(watch.timesShown(), 0);
    }

    void raceBetweenTheCheckAndOk_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QVariant>("remark");
        QTest::newRow("another clerk cancelled it")
            << "set licancelled = 1, liCancelledRemarks = 'viewer:first ' "
            << "This entry has already been cancelled"
            << "Yes" << QVariant(u"viewer:first "_qs);
        QTest::newRow("payroll used it") << "set liUsed = 1 "
                                         << "Record can not be deleted"
                                         << "No" << QVariant();
    }
    void raceBetweenTheCheckAndOk()
    {
        QFETCH(QString, meanwhile);
        QFETCH(QString, message);
        QFETCH(QString, mark);
        QFETCH(QVariant, remark);
        const int row = select(LiveNumber);
        messages->queueAnswer(msgbox::vbYes);
        ModalWatch<frmCancel> watch([&](frmCancel& dialog) {
            db->otherClerk().Execute(u"update pLoansIssueData "_qs + meanwhile +
                                     u"where liCompanyID = 1 and liID = 13"_qs);
            confirm(dialog, QStringLiteral("second thoughts"));
        });

        QTest::mouseClick(reg->CmdDelete, Qt::LeftButton);

        QCOMPARE(messages->prompts().mid(1), QStringList{message});
        QCOMPARE(db->issueField(LiveIssue, "liCancelledRemarks"), remark);
        QCOMPARE(grid->TextMatrix(row, 7), mark);
    }

    void failureLeavesTheRegisterUsable()
    {
        select(LiveNumber);
        BasLoan::strTblLoansIssue = QStringLiteral("pLoansIssueGone");

        QTest::mouseClick(reg->CmdDelete, Qt::LeftButton);

        QCOMPARE(messages->shown().size(), 1);
        QCOMPARE(messages->shown()[0].flags, 64);
        QVERIFY2(messages->shown()[0].prompt.contains(u"no such table"),
                 qPrintable(messages->shown()[0].prompt));
        QVERIFY(reg->isEnabled());
        QCOMPARE(reg->cursor().shape(), Qt::ArrowCursor);
    }
};

int runRegisterDeleteTests(int argc, char** argv)
{
    RegisterDeleteTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "RegisterDeleteTest.moc"
