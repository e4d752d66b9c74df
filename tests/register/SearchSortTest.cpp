#include "RegisterFixture.h"

#include "grid/FlexGrid.h"
#include "register/FrmMaster.h"
#include "register/GridPrefixSearch.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <string>

using namespace Qt::StringLiterals;

namespace {

constexpr int NameEntry = 2;    // "Employee Name", grid column 3
constexpr int OpeningEntry = 4; // "Opening Balance", grid column 5

// Six issues entered in one order, dated in the opposite one.
void addSixIssues(RegisterFixture& db)
{
    const char* names[] = {"Zoe Park",   "Abel Cruz", "Bea Lindqvist",
                           "abby Stone", "Ab",        "Adam Reyes"};
    const double openings[] = {12000, 120, 5, 1250, 7, 300};
    for (int i = 0; i < 6; ++i)
        db.addIssue(i + 1, u"LN%1"_s.arg(i + 1), QDate(2003, 3, 7 - i), db.addEmployee(names[i]),
                    openings[i], 0);
}

} // namespace

class SearchSortTest : public QObject
{
    Q_OBJECT

private slots:
    void typingSelectsTheFirstRowThatBeginsWithIt_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("selected"); // in the search column; empty: nothing found
        const auto row = [](const char* name, int entry, const char* typed, const char* selected) {
            QTest::newRow(name) << entry << QString(typed) << QString(selected);
        };
        row("two letters", NameEntry, "ad", "Adam Reyes");
        row("either case", NameEntry, "ABB", "abby Stone");
        row("trailing blank asks for the exact text", NameEntry, "ab ", "Ab");
        row("trailing blank, no exact text", NameEntry, "abe ", "");
        row("amounts by leading value", OpeningEntry, "12", "120.00");
        row("no such start", NameEntry, "q", "");
        row("no search column", -1, "ad", "");
    }
    void typingSelectsTheFirstRowThatBeginsWithIt()
    {
        QFETCH(int, entry);
        QFETCH(QString, typed);
        QFETCH(QString, selected);
        RegisterFixture db;
        addSixIssues(db);
        FrmMaster& register_ = db.open();
        FlexGrid& grid = *register_.flexMaster;
        const QString lastLoaded = grid.TextMatrix(grid.Row(), 0);
        register_.optDescend->click(); // a search sorts ascending all the same
        register_.cboSearch->setCurrentIndex(entry);
        register_.txtsearch->setText(typed.chopped(1));
        QTest::keyClick(register_.txtsearch, typed.back().toLatin1()); // one search, on all of it

        const int col = register_.cboSearch->currentData().toInt();
        QStringList sorted = columnTexts(grid, col);
        QCOMPARE(sorted.size(), 6);
        if (selected.isEmpty()) {
            QCOMPARE(grid.TextMatrix(grid.Row(), 0), lastLoaded); // still selected
            return;
        }
        const int row = sorted.indexOf(selected) + 1;
        QCOMPARE((QList<int>{grid.Row(), grid.TopRow(), grid.Col(), grid.ColSel()}),
                 (QList<int>{row, row, 0, 7}));
    }

    void dateHeadingsOrderByIssueId_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<bool>("ascending");
        QTest::addColumn<bool>("clicked"); // the heading rather than the chooser
        QTest::newRow("date heading descending") << "Loan Date" << false << false;
        QTest::newRow("any heading holding DATE") << "MANDATED BY" << true << false;
        QTest::newRow("date heading clicked") << "Loan Date" << true << true;
    }
    void dateHeadingsOrderByIssueId()
    {
        QFETCH(QString, heading);
        QFETCH(bool, ascending);
        QFETCH(bool, clicked);
        RegisterFixture db;
        addSixIssues(db);
        db.exec("update ptablecolumns set columnheader = '" + heading +
                "' where tableid = 1 and ColumnID = 3");
        FrmMaster& register_ = db.open();
        register_.show();
        register_.cboColNames->setCurrentIndex(NameEntry); // scramble the entry order first
        (ascending ? register_.optAscend : register_.optDescend)->click();
        QHeaderView* headings = register_.flexMaster->view()->horizontalHeader();
        const QPoint dateHeading(headings->sectionViewportPosition(2) + 4, headings->height() / 2);
        if (clicked)
            QTest::mouseClick(headings->viewport(), Qt::LeftButton, {}, dateHeading);
        else
            register_.cboColNames->setCurrentIndex(1);
        QStringList ids{"1", "2", "3", "4", "5", "6"};
        if (!ascending)
            std::reverse(ids.begin(), ids.end());
        QCOMPARE(columnTexts(*register_.flexMaster, 0), ids);
    }

    void searchReachesRowsBeyondSixteenBits()
    {
        constexpr int rows = 70000;
        FlexGrid grid;
        grid.setFixedCols(0);
        grid.beginFill(2, rows);
        for (int i = 1; i <= rows; ++i) {
            const std::string key = u"K%1"_s.arg(i, 6, 10, QChar(u'0')).toStdString();
            const std::string number = std::to_string(i);
            const std::string_view cells[] = {key, number};
            grid.appendRowUtf8(cells);
        }
        grid.endFill();
        QCOMPARE(GridPrefixSearch(grid, 0).firstRowStartingWith("k069999"), 69999);
        QCOMPARE(GridPrefixSearch(grid, 1).firstRowStartingWith("69998"), 69998);
        QCOMPARE(GridPrefixSearch(grid, 0).firstRowStartingWith("K07"), 70000);
        QCOMPARE(GridPrefixSearch(grid, 0).firstRowStartingWith("K08"), 0);
    }
};

QTEST_MAIN(SearchSortTest)

#include "SearchSortTest.moc"
