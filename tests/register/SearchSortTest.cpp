#include "RegisterFixture.h"

#include "grid/FlexGrid.h"
#include "register/FrmMaster.h"
#include "register/GridPrefixSearch.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <string>

using namespace Qt::StringLiterals;

namespace {

constexpr int NumberEntry = 0;  // "Issue No", grid column 1
constexpr int DateEntry = 1;    // "Loan Date", grid column 2
constexpr int NameEntry = 2;    // "Employee Name", grid column 3
constexpr int OpeningEntry = 4; // "Opening Balance", grid column 5

// Six issues whose numbers, dates and amounts each order otherwise as texts than by meaning.
void addSixIssues(RegisterFixture& db)
{
    const char* names[] = {"Zoe Park",   "Abel Cruz", "Bea Lindqvist",
                           "abby Stone", "Ab",        "Adam Reyes"};
    const char* numbers[] = {"LN1", "LN10", "LN2", "LN9", "LN100", "LN20"};
    const QDate dates[] = {{2024, 1, 5}, {2016, 12, 1}, {2019, 6, 15},
                           {2003, 3, 7}, {2021, 2, 28}, {2010, 10, 10}};
    const double openings[] = {12000, 120, 5, 1250, 7, 300};
    for (int i = 0; i < 6; ++i)
        db.addIssue(i + 1, QString::fromLatin1(numbers[i]), dates[i], db.addEmployee(names[i]),
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
        row("no such start", NameEntry, "snx", "");
        row("issue number, number for number", NumberEntry, "ln1", "LN1");
        row("issue number, the whole number", NumberEntry, "LN10", "LN10");
        row("issue number not issued", NumberEntry, "LN3", "");
        row("amount typed with grouping", OpeningEntry, "12,000", "12,000.00");
        row("amount typed with cents", OpeningEntry, "1250.00", "1,250.00");
        row("the start of an amount is not the amount", OpeningEntry, "12", "");
        row("date by date", DateEntry, "6/15/2019", "6/15/19");
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
        if (entry >= 0) // the Browse frame shows the order the search left
            QCOMPARE((QList<int>{register_.cboColNames->currentData().toInt(),
                                 register_.optAscend->isChecked()}),
                     (QList<int>{col, 1}));
        if (selected.isEmpty()) {
            // Nothing looks found and nothing acts on a row; the last issue stays current.
            QCOMPARE(grid.TextMatrix(grid.Row(), 0), lastLoaded);
            QCOMPARE((QList<bool>{grid.HighLight(), register_.CmdEdit->isEnabled()}),
                     (QList<bool>{entry < 0, entry < 0}));
            return;
        }
        const int row = columnTexts(grid, col).indexOf(selected) + 1;
        QCOMPARE(
            (QList<int>{grid.Row(), grid.TopRow(), grid.Col(), grid.ColSel(), grid.HighLight()}),
            (QList<int>{row, row, 0, 7, 1}));
    }

    // A search that found nothing holds until the clerk chooses a row or searches again.
    void aRowChosenAfterAMissActsAgain()
    {
        RegisterFixture db;
        addSixIssues(db);
        FrmMaster& register_ = db.open();
        register_.cboSearch->setCurrentIndex(NameEntry);
        QTest::keyClicks(register_.txtsearch, u"snx"_s);
        QVERIFY(!register_.cmdPreview->isEnabled());
        QTest::keyClick(register_.flexMaster->view(), Qt::Key_Up);
        QCOMPARE((QList<bool>{register_.flexMaster->HighLight(), register_.CmdEdit->isEnabled(),
                              register_.cmdPreview->isEnabled(),
                              register_.lblSearchResult->text().isEmpty()}),
                 (QList<bool>{true, true, true, true}));
    }

    void headingsSortByMeaning_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("clicked"); // the heading rather than the chooser
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("dates by date")
            << DateEntry << false << QStringList{"4", "6", "2", "3", "5", "1"};
        QTest::newRow("date heading clicked")
            << DateEntry << true << QStringList{"4", "6", "2", "3", "5", "1"};
        QTest::newRow("issue numbers by letters then number")
            << NumberEntry << false << QStringList{"1", "3", "4", "2", "6", "5"};
    }
    void headingsSortByMeaning()
    {
        QFETCH(int, entry);
        QFETCH(bool, clicked);
        QFETCH(QStringList, ids);
        RegisterFixture db;
        addSixIssues(db);
        FrmMaster& register_ = db.open();
        register_.show();
        register_.cboColNames->setCurrentIndex(NameEntry); // scramble the entry order first
        register_.optAscend->click();
        QHeaderView* headings = register_.flexMaster->view()->horizontalHeader();
        const int col = entry + 1;
        const QPoint heading(headings->sectionViewportPosition(col) + 4, headings->height() / 2);
        if (clicked)
            QTest::mouseClick(headings->viewport(), Qt::LeftButton, {}, heading);
        else
            register_.cboColNames->setCurrentIndex(entry);
        QCOMPARE(columnTexts(*register_.flexMaster, 0), ids);
        QCOMPARE(register_.cboColNames->currentIndex(), entry);
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
