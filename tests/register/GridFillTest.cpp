#include "RegisterFixture.h"
#include "db/ConnectionTestSeam.h"

#include "LargeRegister.h"
#include "common/BasLoan.h"
#include "grid/FlexGrid.h"
#include "register/FrmMaster.h"
#include "register/MoneyText.h"
#include "register/RegisterListReader.h"
#include "register/RegisterRowWriter.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "runtime/ShortDate.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QThread>

#include <random>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

QList<int> widths(const FlexGrid& grid)
{
    QList<int> twips;
    for (int c = 0; c < grid.Cols(); ++c)
        twips << grid.ColWidth(c);
    return twips;
}

QString date(int day)
{
    return ShortDate::format(QDate(2003, 3, day));
}

// What the load's progress window showed when it appeared, and under which pointer.
struct ProgressWatch : QObject
{
    ProgressWatch() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == u"frmLoadProgress") {
            window = watched;
            shown << watched->findChild<QLabel*>(u"lblIssuesRead"_s)->text() +
                         (QApplication::overrideCursor()->shape() == Qt::WaitCursor ? ", busy"
                                                                                    : "");
        }
        return false;
    }
    QStringList shown;
    QPointer<QObject> window;
};

} // namespace

class GridFillTest : public QObject
{
    Q_OBJECT

private slots:
    // The issue type and the date window choose the list statement, and with it what is listed;
    // the type also chooses the caption, the rights screen and the heading set.
    void typeAndWindowChooseListAndHeadings_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("ending"); // of the list statement
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("context"); // the line below the grid
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("interfaceId");
        QTest::addColumn<QString>("firstHeading");
        QTest::newRow("loans of the 30 days back from 15 March 2003")
            << "L" << 30 << " and licompanyid = 1 and litype= 'L' and liDate >='20030213'"
            << QStringList{"LN2", "LN3"}
            << "2 issues listed, 1 of them cancelled; only issues of the last 30 days are shown"
            << "Loans Issue" << 91001 << "Loan No";
        QTest::newRow("loans, no window")
            << "L" << 0 << " and licompanyid = 1 and litype= 'L'"
            << QStringList{"LN1", "LN2", "LN3"} << "3 issues listed, 1 of them cancelled"
            << "Loans Issue" << 91001 << "Loan No";
        QTest::newRow("advances") << "A" << 0 << " and licompanyid = 1 and litype= 'A'"
                                  << QStringList{"A1"} << "1 issue listed, 0 of them cancelled"
                                  << "Advance Issue" << 91035 << "Advance No";
        // It lists the loans all the same, as the engine compares types regardless of case.
        QTest::newRow("lower-case l is no known type")
            << "l" << 0 << " and licompanyid = 1 and litype= 'l'"
            << QStringList{"LN1", "LN2", "LN3"} << "3 issues listed, 1 of them cancelled"
            << "Loans Issue" << 4242 << "Advance No";
        QTest::newRow("a quote in the type stays inside its text")
            << "L'" << 0 << " and licompanyid = 1 and litype= 'L'''" << QStringList{""}
            << "No issues listed"
            << "Loans Issue" << 4242 << "Advance No";
    }
    void typeAndWindowChooseListAndHeadings()
    {
        QFETCH(QString, type);
        QFETCH(int, days);
        QFETCH(QString, ending);
        QFETCH(QStringList, listed);
        QFETCH(QString, context);
        QFETCH(QString, caption);
        QFETCH(int, interfaceId);
        QFETCH(QString, firstHeading);
        RegisterFixture db(days);
        db.addIssue(1, "LN1", QDate(2003, 2, 12), 1, 100, 100);
        db.addIssue(2, "LN2", QDate(2003, 2, 13), 1, 100, 100, true);
        db.addIssue(3, "LN3", QDate(2003, 3, 14), 2, 100, 100);
        db.addIssue(4, "LN4", QDate(2003, 3, 14), 2, 100, 100);
        db.exec("update pLoansIssueData set liactive = 0 where liID = 4");
        db.addIssue(5, "A1", QDate(2003, 3, 1), 1, 100, 100, false, "A");
        BasLoan::lngInterfaceID = 4242;
        FrmMaster& register_ = db.open(type);
        QCOMPARE(BasLoan::strMasterSQL,
                 "select liid, lino, lidate, eName, lDescription, liopeningbalance, "
                 "licurrentbalance, case licancelled when 1 then 'Yes' when 0 then 'No' end From "
                 "pLoansIssueData, pemployee, pLoans  Where liActive = 1 and ecompanyid = "
                 "licompanyid And eEmpid = liempid and  lcompanyid = licompanyid and  lloanid = "
                 "liloanid" +
                     ending);
        QCOMPARE(columnTexts(*register_.flexMaster, 1), listed);
        QCOMPARE(register_.lblListContext->text(), context);
        QCOMPARE(register_.windowTitle(), caption);
        QCOMPARE(BasLoan::lngInterfaceID, interfaceId);
        QCOMPARE(register_.flexMaster->TextMatrix(0, 1), firstHeading);
        // The id column's heading is never shown, in the grid or in either list.
        QCOMPARE(register_.flexMaster->TextMatrix(0, 0), QString());
        for (const QComboBox* list : {register_.cboColNames, register_.cboSearch}) {
            QCOMPARE(list->itemText(0), firstHeading);
            QCOMPARE(list->currentIndex(), -1);
        }
    }

    void cellsFormatsAlignmentsAndWidths()
    {
        RegisterFixture db;
        // Measured as stored, blanks and all, an emoji as two units: 24 characters.
        const int blanks = db.addEmployee(u"  Ivo Tan \U0001F600"_s + QString(12, u' '));
        db.addIssue(7, "LN7", QDate(2003, 3, 1), 2, 1234.5, 0);
        db.addIssue(8, "LN8", QDate(2003, 3, 2), blanks, -5, 1500000, true);
        db.addIssue(9, "LN9", QDate(2003, 3, 3), 1, 0.125, 99999.995, false, "L", 2);
        const FlexGrid& grid = *db.open().flexMaster;
        QCOMPARE(grid.Rows(), 4);
        QCOMPARE(rowTexts(grid, 1), (QStringList{"7", "LN7", date(1), "Zoe Park", "Housing",
                                                 "1,234.50", "0.00", "No"}));
        QCOMPARE(rowTexts(grid, 2), (QStringList{"8", "LN8", date(2), u"Ivo Tan \U0001F600"_s,
                                                 "Housing", "-5.00", "1,500,000.00", "Yes"}));
        QCOMPARE(rowTexts(grid, 3), (QStringList{"9", "LN9", date(3), "Adam Reyes", "Car", "0.13",
                                                 "100,000.00", "No"}));

        QList<int> alignments; // of each column's cells, then of the two balance headings
        for (int c = 0; c < grid.Cols(); ++c)
            alignments << grid.ColAlignment(c);
        alignments << grid.FixedAlignment(5) << grid.FixedAlignment(6);
        // One line per row, centred in its height; amounts and their headings to the right.
        QCOMPARE(alignments, (QList<int>{1, 1, 1, 1, 1, 7, 7, 1, 7, 7}));

        // Longest text or heading at 130 twips a character, balances 1500; these columns need
        // more than the grid has, so no room is shared out.
        QCOMPARE(widths(grid), (QList<int>{0, 960, 1170, 3120, 2080, 1500, 1500, 1170}));

        // Copy gives the headings and the selected rows as shown, without the id column; the
        // current issue stays.
        QTest::keyClick(grid.view(), Qt::Key_Up);
        QTest::keyClick(grid.view(), Qt::Key_Up, Qt::ShiftModifier); // rows 1 and 2
        QTest::keyClick(grid.view(), Qt::Key_C, Qt::ControlModifier);
        QString shown;
        for (int row : {0, 1, 2})
            shown += rowTexts(grid, row).mid(1).join(u'\t') + u'\n';
        QCOMPARE(QApplication::clipboard()->text(), shown);
        QCOMPARE(grid.Row(), 2);
    }

    void spareRoomIsSharedAmongTheColumns()
    {
        RegisterFixture db;
        db.exec("update ptablecolumns set columnheader = 'H'");
        db.addIssue(1, "L1", QDate(2003, 3, 1), db.addEmployee("Al"), 5, 1, false, "L", 2);
        const FlexGrid& grid = *db.open().flexMaster;
        QCOMPARE(grid.Width(), 7125);
        // Every column keeps its 960; the 90 twips left over go 13 to each text column.
        QCOMPARE(widths(grid), (QList<int>{0, 973, 973, 973, 973, 1500, 1500, 973}));
    }

    // A search on it changes nothing either.
    void emptyListShowsOneBlankRow()
    {
        RegisterFixture db;
        db.addIssue(1, "A1", QDate(2003, 3, 1), 1, 100, 100, false, "A");
        FrmMaster& register_ = db.open("L");
        register_.cboSearch->setCurrentIndex(2);
        QTest::keyClicks(register_.txtsearch, "ad");
        QCOMPARE(rowTexts(*register_.flexMaster, 1), QStringList(8, QString()));
        QCOMPARE(register_.flexMaster->Rows(), 2);
        QCOMPARE(register_.flexMaster->Row(), 1);
        QCOMPARE(enabledCommands(register_), u"N"_s);
        QCOMPARE(register_.lblListContext->text(), u"No issues listed"_s);
        // The blank row is kept but not painted as if it were an issue.
        QVERIFY(register_.flexMaster->view()->isRowHidden(0));
    }

    void registerFitsItsColumnsAndFollowsTheWindowsEdges()
    {
        RegisterFixture db;
        db.addIssue(1, "LN1", QDate(2003, 3, 1), 1, 10, 10);
        FrmMaster& register_ = db.open();
        register_.show();
        const FlexGrid& grid = *register_.flexMaster;
        QVERIFY(register_.width() > register_.minimumWidth());
        QCOMPARE(grid.wholeColumnsWidth(), grid.width()); // every column whole, none cut
        QVERIFY(register_.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        const QList<int> columns = widths(grid);
        const QSize gridSize = grid.size();
        const QWidgetList below{register_.lblListContext, register_.fraBrowse, register_.cmdnew,
                                register_.CmdClose};
        const QList<QPoint> moves{{0, 200}, {0, 200}, {0, 200}, {300, 200}};
        QList<QRect> places;
        for (int i = 0; i < below.size(); ++i)
            places << below[i]->geometry().translated(moves[i]);
        places[0].setWidth(places[0].width() + 300);
        places[1].setWidth(places[1].width() + 300);
        register_.resize(register_.size() + QSize(300, 200));
        QCOMPARE(grid.size(), gridSize + QSize(300, 200));
        QCOMPARE(widths(grid), columns);
        for (int i = 0; i < below.size(); ++i)
            QCOMPARE(below[i]->geometry(), places[i]);
    }

    // Keyboard first: the grid has the focus, on the selected (last) row, and arrows move it.
    void opensWithTheGridFocusedOnTheSelectedRow()
    {
        RegisterFixture db;
        db.addIssue(1, "LN1", QDate(2003, 3, 1), 1, 10, 10);
        db.addIssue(2, "LN2", QDate(2003, 3, 2), 2, 10, 10);
        FrmMaster& register_ = db.open();
        register_.show();
        QVERIFY(QTest::qWaitForWindowActive(&register_));
        QVERIFY(register_.flexMaster->view()->hasFocus());
        QTest::keyClick(register_.flexMaster->view(), Qt::Key_Up);
        QCOMPARE(register_.flexMaster->TextMatrix(register_.flexMaster->Row(), 1), u"LN1"_s);
    }

    // The clerk's arrangement comes back at the next opening, onto a screen that still exists.
    void registerComesBackAsTheClerkLeftIt_data()
    {
        QTest::addColumn<QPoint>("leftAt");
        QTest::newRow("where it was left") << QPoint(40, 30);
        QTest::newRow("on a screen that is gone") << QPoint(-5000, 3000);
    }
    void registerComesBackAsTheClerkLeftIt()
    {
        QFETCH(QPoint, leftAt);
        RegisterFixture db;
        db.addIssue(1, "LN2", QDate(2003, 3, 1), 1, 10, 10);
        db.addIssue(2, "LN10", QDate(2003, 3, 2), 2, 10, 10);
        FrmMaster& first = db.open();
        first.show();
        first.flexMaster->view()->horizontalHeader()->resizeSection(3, 150); // dragged wider
        first.flexMaster_HeadingClick(1);
        first.flexMaster_HeadingClick(1); // issue numbers, descending
        first.setGeometry(QRect(leftAt, QSize(700, 450)));
        const QList<int> columns = widths(*first.flexMaster);
        first.CmdClose->click();

        FrmMaster& second = db.open();
        QCOMPARE(widths(*second.flexMaster), columns);
        QCOMPARE(columnTexts(*second.flexMaster, 1), (QStringList{"LN10", "LN2"}));
        QCOMPARE(second.size(), QSize(700, 450));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(second.pos() == leftAt, screen.contains(leftAt));
        QVERIFY(screen.contains(second.geometry().center()));
    }

    // Driven by the engine waiting once, as a loaded server would, never by timing the load.
    void slowOpeningShowsTheIssuesReadSoFar_data()
    {
        QTest::addColumn<bool>("slow");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("slow") << true << QStringList{"1,024 issues so far, busy"};
        QTest::newRow("quick") << false << QStringList();
    }
    void slowOpeningShowsTheIssuesReadSoFar()
    {
        QFETCH(bool, slow);
        QFETCH(QStringList, shown);
        RegisterFixture db;
        payroll::seedLargeRegister(db.connection(), 1, "L", 3000);
        static bool waited;
        waited = !slow;
        sqlite3_progress_handler(
            ado::ConnectionTestSeam::sqliteHandle(db.connection()), 1000,
            [](void*) {
                if (!waited)
                    QThread::msleep(700);
                waited = true;
                return 0;
            },
            nullptr);
        ProgressWatch watch;
        db.open();
        QCOMPARE(watch.shown, shown);
        QVERIFY(!watch.window && !QApplication::overrideCursor()); // gone with the load
    }

    // The engine steps on a thread of its own: a failure midway still reaches the caller, and
    // the stepping ends with it.
    void failureMidwayReachesTheCaller()
    {
        RegisterFixture db;
        payroll::seedLargeRegister(db.connection(), 1, "L", 5000);
        db.open();
        static int calls;
        calls = 0;
        sqlite3_progress_handler(
            ado::ConnectionTestSeam::sqliteHandle(db.connection()), 1000,
            [](void*) { return int(++calls > 50); }, nullptr);
        FlexGrid grid;
        RegisterRowWriter writer(grid);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, register_list::readWithSqlite(
                                                   db.connection(), BasLoan::strMasterSQL, writer));
        QVERIFY(calls > 50);
        sqlite3_progress_handler(ado::ConnectionTestSeam::sqliteHandle(db.connection()), 0, nullptr,
                                 nullptr);
    }

    void cancelledRowsAreRedAndTheLastRowIsSelected()
    {
        RegisterFixture db;
        for (int id = 1; id <= 40; ++id)
            db.addIssue(id, u"LN%1"_s.arg(id), QDate(2003, 3, 1), 1, 10, 10,
                        id % 3 == 0 || id == 40);
        FrmMaster& register_ = db.open();
        FlexGrid& grid = *register_.flexMaster;
        QCOMPARE((QList<int>{grid.Row(), grid.TopRow(), grid.Col(), grid.ColSel()}),
                 (QList<int>{40, 40, 0, 7}));
        QCOMPARE(enabledCommands(register_), u"NEP"_s); // the last one is cancelled
        for (int row : {3, 4, 39, 40}) {
            grid.setRow(row);
            for (int c : {0, 3, 7}) {
                grid.setCol(c);
                QCOMPARE(grid.CellForeColor(), row % 3 == 0 || row == 40 ? 255u : 0u);
            }
        }
    }

    void bothReadersFillTheSameGrid()
    {
        RegisterFixture db;
        const int accented = db.addEmployee(QString::fromUtf8("  Zo\u00eb \u00dcnal "));
        db.addIssue(1, "  LN1", QDate(2003, 3, 1), accented, 0.005, 2.675);
        db.addIssue(2, "LN2", QDate(2003, 3, 2), 2, 1e12 + 0.5, -0.004, true);
        payroll::seedLargeRegister(db.connection(), 1, "L", 3000);
        db.open();
        FlexGrid grids[2];
        QList<QVector<double>> lengths;
        for (auto read : {register_list::readWithSqlite, register_list::readWithRecordset}) {
            FlexGrid& grid = grids[lengths.size()];
            grid.setFixedCols(0);
            RegisterRowWriter writer(grid);
            read(db.connection(), BasLoan::strMasterSQL, writer);
            lengths << writer.finish();
        }
        QCOMPARE(grids[0].Rows(), 3003);
        QCOMPARE(lengths[0], lengths[1]);
        for (int r = 1; r < grids[0].Rows(); ++r)
            QCOMPARE(rowTexts(grids[0], r), rowTexts(grids[1], r));
    }

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
            db.addIssue(id, u"LN%1"_s.arg(id), QDate(2003, 3, 1), 1, 10, 10);
        FlexGrid& grid = *db.open().flexMaster;
        grid.setRow(1);
        if (listStatementChange == u"WHERE")
            BasLoan::strMasterSQL.replace(u" Where "_s, u" WHERE "_s);
        else
            BasLoan::strMasterSQL += listStatementChange;
        db.addIssue(5, "LN5", QDate(2003, 3, 15), 2, 12000, 500.5);
        BasLoan::strMode = u"N"_s;
        BasLoan::RefreshGridRow(u"liID =5"_s, 5);
        QCOMPARE(db.messages().prompts(), QStringList());
        QCOMPARE(grid.Rows(), listed + 2);
        const int row = listed + 1;
        QCOMPARE(rowTexts(grid, row), (QStringList{"5", "LN5", date(15), "Zoe Park", "Housing",
                                                   "12000", "500.5", "No"}));
        QCOMPARE((QList<int>{grid.Row(), grid.TopRow(), grid.Col(), grid.ColSel()}),
                 (QList<int>{row, row, 0, 7}));
    }

    // An edit rewrites the current row only while the issue is still listed; a failing refresh
    // is shown and leaves the grid as it was.
    void editRewritesTheCurrentRowOnlyWhenTheIssueIsStillListed()
    {
        RegisterFixture db;
        db.addIssue(1, "LN1", QDate(2003, 3, 1), 1, 10, 10);
        db.addIssue(2, "LN2", QDate(2003, 3, 1), 1, 10, 10);
        FlexGrid& grid = *db.open().flexMaster;
        grid.setRow(1);
        BasLoan::strMode = u"E"_s;
        db.exec("update pLoansIssueData set liempid = 2, liCurrentBalance = 7 where liID = 1");
        BasLoan::RefreshGridRow(u"liID =1"_s, 1);
        QCOMPARE(rowTexts(grid, 1).mid(3, 4), (QStringList{"Zoe Park", "Housing", "10", "7"}));

        const QStringList before = rowTexts(grid, 1);
        db.exec("update pLoansIssueData set liactive = 0 where liID = 1");
        BasLoan::RefreshGridRow(u"liID =1"_s, 1);
        QCOMPARE(db.messages().prompts(), QStringList());
        BasLoan::strMasterSQL = u"select liid from missing_table"_s;
        BasLoan::RefreshGridRow(u"liID =2"_s, 2);
        QCOMPARE(db.messages().prompts(), QStringList{u"no such table: missing_table"_s});
        QCOMPARE(db.messages().shown()[0].flags, 64);
        QCOMPARE(rowTexts(grid, 1), before);
        QCOMPARE(grid.Rows(), 3);
    }

    // Edge amounts first (halves of a cent, negative zero, huge, not a number), then many
    // random ones.
    void moneyTextIsTheGeneralFormat()
    {
        QList<double> amounts{0.0,  -0.0, 1234.5,      0.015,           999.995, -0.005,
                              1e-7, 1e11, -1e11 - 0.5, 99999999999.995, 1e300,   std::nan("")};
        std::mt19937_64 random(20030315);
        std::uniform_int_distribution<qint64> cents(-1'000'000'000, 10'000'000'000);
        std::uniform_real_distribution<double> share(0.0, 1.0);
        for (int i = 0; i < 100000; ++i)
            amounts << (i % 2 ? double(cents(random)) / (i % 4 == 1 ? 100 : 1000)
                              : share(random) * std::pow(10.0, i % 13 - 2));
        for (double amount : amounts) {
            std::string text;
            const int plainLength = money_text::appendMoney(text, amount);
            QCOMPARE(QString::fromStdString(text), vb::Format(amount, u"###,###,##0.00"));
            QCOMPARE(plainLength, int(vb::NumberToText(amount).size()));
        }
    }
};

QTEST_MAIN(GridFillTest)

#include "GridFillTest.moc"
