#include "RegisterFixture.h"

#include "common/BasLoan.h"
#include "grid/FlexGrid.h"
#include "register/FrmMaster.h"
#include "runtime/ShortDate.h"

#include <QTest>

class RefreshGridRowTest : public QObject
{
    Q_OBJECT

private slots:
    // A new issue takes the blank row of an empty register, or a row of its own after the rest;
    // its amounts are written as read, not formatted.
    void newIssueIsAppendedSelectedAndScrolledUp_data()
    {
        QTest::addColumn<int>("listed"); // issues in the register before
        QTest::addColumn<QString>("listStatementChange");
        QTest::newRow("first issue of an empty register") << 0 << "";
        QTest::newRow("as loaded") << 2 << "";
        QTest::newRow("ORDER BY in capitals is cut off") << 2 << " ORDER BY liNo";
        QTest::newRow("WHERE in capitals is joined with and") << 2 << "WHERE";
    }
    void newIssueIsAppendedSelectedAndScrolledUp()
    {
        QFETCH(int, listed);
        QFETCH(QString, listStatementChange);
        RegisterFixture db;
        for (int id = 1; id <= listed; ++id)
            db.addIssue(id, QStringLiteral("LN%1").arg(id), QDate(2003, 3, 1), 1, 10, 10);
        FlexGrid& grid = *db.open().flexMaster;
        grid.setRow(1);
        if (listStatementChange == u"WHERE")
            BasLoan::strMasterSQL.replace(QStringLiteral(" Where "), QStringLiteral(" WHERE "));
        else
            BasLoan::strMasterSQL += listStatementChange;
        db.addIssue(5, "LN5", QDate(2003, 3, 15), 2, 12000, 500.5);
        BasLoan::strMode = QStringLiteral("N");
        BasLoan::RefreshGridRow(QStringLiteral("liID =5"), 5);
        QCOMPARE(db.messages().prompts(), QStringList());
        QCOMPARE(grid.Rows(), listed + 2);
        const int row = listed + 1;
        QCOMPARE(rowTexts(grid, row),
                 (QStringList{"5", "LN5", ShortDate::format(QDate(2003, 3, 15)), "Zoe Park",
                              "Housing", "12000", "500.5", "No"}));
        QCOMPARE((QList<int>{grid.Row(), grid.TopRow(), grid.Col(), grid.ColSel()}),
                 (QList<int>{row, row, 0, 7}));
    }

    void editRewritesTheCurrentRowOnlyWhenTheIssueIsStillListed()
    {
        RegisterFixture db;
        db.addIssue(1, "LN1", QDate(2003, 3, 1), 1, 10, 10);
        db.addIssue(2, "LN2", QDate(2003, 3, 1), 1, 10, 10);
        FlexGrid& grid = *db.open().flexMaster;
        grid.setRow(1);
        BasLoan::strMode = QStringLiteral("E");
        db.exec("update pLoansIssueData set liempid = 2, liCurrentBalance = 7 where liID = 1");
        BasLoan::RefreshGridRow(QStringLiteral("liID =1"), 1);
        QCOMPARE(grid.TextMatrix(1, 3), QStringLiteral("Zoe Park"));
        QCOMPARE(grid.TextMatrix(1, 6), QStringLiteral("7"));

        const QStringList before = rowTexts(grid, 1);
        db.exec("update pLoansIssueData set liactive = 0 where liID = 1");
        BasLoan::RefreshGridRow(QStringLiteral("liID =1"), 1);
        QCOMPARE(rowTexts(grid, 1), before);
        QCOMPARE(grid.Rows(), 3);
        QCOMPARE(db.messages().prompts(), QStringList());
    }

    void failureIsShownAndLeavesTheGrid()
    {
        RegisterFixture db;
        db.addIssue(1, "LN1", QDate(2003, 3, 1), 1, 10, 10);
        const FlexGrid& grid = *db.open().flexMaster;
        BasLoan::strMasterSQL = QStringLiteral("select liid from missing_table");
        BasLoan::strMode = QStringLiteral("N");
        BasLoan::RefreshGridRow(QStringLiteral("liID =1"), 1);
        QCOMPARE(db.messages().prompts(), QStringList{u"no such table: missing_table"_qs});
        QCOMPARE(db.messages().shown()[0].flags, 64);
        QCOMPARE(grid.Rows(), 2);
    }
};

QTEST_MAIN(RefreshGridRowTest)

#include "RefreshGridRowTest.moc"
