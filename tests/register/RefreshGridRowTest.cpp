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
    void firstIssueOfAnEmptyRegisterFillsTheBlankRow()
    {
        RegisterFixture db;
        const FlexGrid& grid = *db.open().flexMaster;
        db.addIssue(5, "LN5", QDate(2003, 3, 15), 2, 12000, 12600);
        BasLoan::strMode = QStringLiteral("N");
        BasLoan::RefreshGridRow(QStringLiteral("liID =5"), 5);
        QCOMPARE(grid.Rows(), 2);
        QCOMPARE(rowTexts(grid, 1), (QStringList{"5", "LN5", ShortDate::format(QDate(2003, 3, 15)),
                                                 "Zoe Park", "Housing", "12000", "12600", "No"}));
    }

    void newIssueIsAppendedSelectedAndScrolledUp_data()
    {
        QTest::addColumn<QString>("listStatementChange");
        QTest::newRow("as loaded") << "";
        QTest::newRow("ORDER BY in capitals is cut off") << " ORDER BY liNo";
        QTest::newRow("WHERE in capitals is joined with and") << "WHERE";
    }
    void newIssueIsAppendedSelectedAndScrolledUp()
    {
        QFETCH(QString, listStatementChange);
        RegisterFixture db;
        db.addIssue(1, "LN1", QDate(2003, 3, 1), 1, 10, 10);
        db.addIssue(2, "LN2", QDate(2003, 3, 1), 1, 10, 10);
        FlexGrid& grid = *db.open().flexMaster;
        grid.setRow(1);
        if (listStatementChange == u"WHERE")
            BasLoan::strMasterSQL.replace(QStringLiteral(" Where "), QStringLiteral(" WHERE "));
        else
            BasLoan::strMasterSQL += listStatementChange;
        db.addIssue(3, "LN3", QDate(2003, 3, 2), 3, 500.5, 0);
        BasLoan::strMode = QStringLiteral("N");
        BasLoan::RefreshGridRow(QStringLiteral("liID =3"), 3);
        QCOMPARE(db.messages().prompts(), QStringList());
        QCOMPARE(grid.Rows(), 4);
        QCOMPARE(grid.TextMatrix(3, 0), QStringLiteral("3"));
        QCOMPARE(grid.TextMatrix(3, 3), QStringLiteral("Bea Lindqvist"));
        QCOMPARE(grid.TextMatrix(3, 5), QStringLiteral("500.5"));
        QCOMPARE(grid.Row(), 3);
        QCOMPARE(grid.TopRow(), 3);
        QCOMPARE(grid.Col(), 0);
        QCOMPARE(grid.ColSel(), 7);
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
        QCOMPARE(db.messages().shown().size(), 1);
        QCOMPARE(db.messages().shown()[0].flags, 64);
        QCOMPARE(db.messages().shown()[0].title, QStringLiteral("Payroll"));
        QCOMPARE(db.messages().shown()[0].prompt, QStringLiteral("no such table: missing_table"));
        QCOMPARE(grid.Rows(), 2);
    }
};

QTEST_MAIN(RefreshGridRowTest)

#include "RefreshGridRowTest.moc"
