#include "RaisedError.h"

#include "grid/FlexGrid.h"
#include "runtime/Conversions.h"
#include "runtime/ShortDate.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <string>

using namespace Qt::StringLiterals;

namespace {

QStringList column(const FlexGrid& grid, int col)
{
    QStringList texts;
    for (int r = 1; r < grid.Rows(); ++r)
        texts << grid.TextMatrix(r, col);
    return texts;
}

QString displayed(const FlexGrid& grid, int row, int col, int role = Qt::DisplayRole)
{
    const QAbstractItemModel* model = grid.view()->model();
    return model->data(model->index(row - 1, col), role).toString();
}

QPoint cellCentre(const FlexGrid& grid, int row, int col)
{
    const QTableView* view = grid.view();
    return view->visualRect(view->model()->index(row - 1, col)).center();
}

} // namespace

class TestGrid : public QObject
{
    Q_OBJECT

private slots:
    void shapeAndCells()
    {
        FlexGrid grid;
        grid.setFixedCols(0);
        grid.setCols(3);
        grid.setRows(4);
        grid.setTextMatrix(0, 1, u"Issue No"_s);
        grid.setTextMatrix(2, 2, u"Ahmed Khan"_s);
        QCOMPARE(grid.TextMatrix(2, 2), u"Ahmed Khan"_s);
        QCOMPARE(grid.view()->model()->headerData(1, Qt::Horizontal).toString(), u"Issue No"_s);

        grid.setCols(4); // a column added keeps every text
        grid.setRows(3); // rows are dropped from the end
        QCOMPARE(grid.TextMatrix(2, 2), u"Ahmed Khan"_s);
        QCOMPARE(grid.Row(), 1);

        grid.Clear(); // texts go, the shape stays
        QCOMPARE(QList<int>({grid.Rows(), grid.Cols()}), QList<int>({3, 4}));
        QCOMPARE(grid.TextMatrix(2, 2), QString());

        QCOMPARE(errorNumberOf([&] { grid.TextMatrix(3, 0); }), FlexGrid::InvalidRowValue);
        QCOMPARE(errorNumberOf([&] { grid.setCol(4); }), FlexGrid::InvalidColValue);
    }

    void widthsInTwips()
    {
        FlexGrid grid;
        grid.setCols(4);
        const double pixelsPerTwip = grid.logicalDpiX() / 1440.0;
        grid.setColWidth(3, 2600);
        grid.setColWidth(1, 0);
        QCOMPARE(grid.view()->horizontalHeader()->sectionSize(3), qRound(2600 * pixelsPerTwip));
        QVERIFY(grid.view()->isColumnHidden(1));
        grid.beginFill(5); // a fill keeps widths and hidden columns, and widens the new one
        grid.endFill();
        QCOMPARE(grid.view()->horizontalHeader()->sectionSize(3), qRound(2600 * pixelsPerTwip));
        QCOMPARE(grid.view()->horizontalHeader()->sectionSize(4),
                 qRound(FlexGrid::DefaultColWidth * pixelsPerTwip));
        QVERIFY(grid.view()->isColumnHidden(1));
    }

    // The codes the register sets, in its cells and headings; the general one is the number
    // test's.
    void alignments()
    {
        FlexGrid grid;
        grid.setCols(3);
        grid.setTextMatrix(1, 1, u"1.00"_s);
        grid.setTextMatrix(1, 2, u"a"_s);
        for (const auto& [col, code] : {std::pair{1, 1}, std::pair{2, 7}}) {
            grid.setColAlignment(col, code);
            grid.setFixedAlignment(col, code);
        }
        const QAbstractItemModel* model = grid.view()->model();
        const QList<int> found{model->data(model->index(0, 1), Qt::TextAlignmentRole).toInt(),
                               model->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                               model->data(model->index(0, 2), Qt::TextAlignmentRole).toInt(),
                               model->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).toInt()};
        const int left = Qt::AlignLeft | Qt::AlignVCenter;
        const int right = Qt::AlignRight | Qt::AlignVCenter;
        QCOMPARE(found, (QList<int>{left, left, right, right}));
    }

    // Which texts are numbers, and the grid decides it (general alignment, generic sort) as
    // the search does, with vb::IsNumeric.
    void numberTest_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        for (const char* text : {"1,234.50", " 12 ", "-0.5", "-5.00", "+.5", "1.", "17", "1e5",
                                 "2E-3", "1,2,3", "1e400"})
            QTest::addRow("'%s'", text) << QString::fromUtf8(text) << true;
        for (const char* text : {"1e", "1e+", ".", "-", ",", "12a", "", "1.2.3", "1 2", "0x1F",
                                 "\t5", "١٢", "LN17", "3/15/03"})
            QTest::addRow("'%s'", text) << QString::fromUtf8(text) << false;
    }
    void numberTest()
    {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QCOMPARE(vb::IsNumeric(text), numeric);
        FlexGrid grid;
        grid.setTextMatrix(1, 1, text);
        const QAbstractItemModel* model = grid.view()->model();
        const int alignment = model->data(model->index(0, 1), Qt::TextAlignmentRole).toInt();
        QCOMPARE(bool(alignment & Qt::AlignRight), numeric);
    }

    // Moves made in code notify as the register's rights test shows; here the clerk's keys
    // and clicks, and a click on the current cell, which tells nothing.
    void enterCellOnKeysAndClicks()
    {
        FlexGrid grid;
        grid.setFixedCols(0);
        grid.setCols(3);
        grid.setRows(6);
        grid.resize(400, 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QSignalSpy enterCell(&grid, &FlexGrid::EnterCell);
        grid.setFocus();
        QTest::keyClick(grid.view(), Qt::Key_Down);
        QTest::keyClick(grid.view(), Qt::Key_Right);
        QCOMPARE(QList<int>({grid.Row(), grid.Col(), int(enterCell.count())}),
                 QList<int>({2, 2, 2}));
        for (int click = 0; click < 2; ++click)
            QTest::mouseClick(grid.view()->viewport(), Qt::LeftButton, {}, cellCentre(grid, 4, 0));
        QCOMPARE(QList<int>({grid.Row(), grid.Col(), int(enterCell.count())}),
                 QList<int>({4, 0, 3}));
    }

    void sortByMeaning_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<int>("meaning");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("expected");
        const int generic = int(SortMeaning::Generic);
        QTest::newRow("numbers before texts") << QStringList{"x", "5", "", "-1", "12a"} << generic
                                              << 1 << QStringList{"-1", "5", "", "12a", "x"};
        QTest::newRow("amounts with grouping")
            << QStringList{"12,000.00", "999.99", "1,234.50", "-2.5"} << generic << 1
            << QStringList{"-2.5", "999.99", "1,234.50", "12,000.00"};
        QTest::newRow("descending")
            << QStringList{"x", "5", "Y", "12"} << generic << 2 << QStringList{"Y", "x", "12", "5"};
        QTest::newRow("accented letters upper-cased")
            << QStringList{"é", "F", "e"} << generic << 1 << QStringList{"e", "F", "é"};
        QTest::newRow("issue numbers by letters, then number, then the rest")
            << QStringList{"ADV10", "LN1", "ADV2A", "adv02", "7", "ADVX", "ADV", "ADV1"}
            << int(SortMeaning::PrefixNumber) << 1
            << QStringList{"7", "ADV", "ADV1", "adv02", "ADV2A", "ADV10", "ADVX", "LN1"};
        const QString y2016 = ShortDate::format(QDate(2016, 12, 1));
        const QString y2024 = ShortDate::format(QDate(2024, 1, 5));
        QTest::newRow("dates by date, the others after")
            << QStringList{y2024, "", y2016} << int(SortMeaning::Date) << 1
            << QStringList{y2016, y2024, ""};
    }
    void sortByMeaning()
    {
        QFETCH(QStringList, keys);
        QFETCH(int, meaning);
        QFETCH(int, code);
        QFETCH(QStringList, expected);
        FlexGrid grid;
        grid.setRows(1);
        grid.setFixedCols(0);
        for (const QString& key : keys)
            grid.AddItem(u"tag\t"_s + key);
        grid.setColSortMeaning(1, SortMeaning(meaning));
        grid.setCol(1);
        grid.setSort(code);
        QCOMPARE(column(grid, 1), expected);
    }

    // The search's order prepared on another core never outlives a change of the cells; rows
    // that tie stay in the order they were stored.
    void searchOrderFollowsChangedCells()
    {
        FlexGrid grid;
        grid.setRows(1);
        grid.setFixedCols(0);
        for (const char* row : {"b\t1", "a\t2", "c\t3", "a\t4"})
            grid.AddItem(QString::fromLatin1(row));
        grid.prepareSearchOrders({0});
        grid.waitForSearchOrders();
        grid.sortForSearch(0);
        QCOMPARE(column(grid, 1), (QStringList{"2", "4", "1", "3"}));
        grid.setTextMatrix(1, 0, u"d"_s); // "a 2" becomes "d 2"
        QCoreApplication::processEvents(); // prepared again
        grid.waitForSearchOrders();
        grid.sortForSearch(0);
        QCOMPARE(column(grid, 1), (QStringList{"4", "1", "3", "2"}));
    }

    // A cancelled row's red, and a single cell's colour, travel with their rows.
    void sortKeepsTiesAndColoursWithTheirRows()
    {
        FlexGrid grid;
        grid.setRows(1);
        grid.setFixedCols(0);
        for (const char* row : {"B\t1", "a\t2", "b\t3", "A\t4", "b\t5"})
            grid.AddItem(QString::fromLatin1(row));
        grid.setRowForeColor(3, 255); // "b 3", red
        grid.setRow(5);
        grid.setCol(1);
        grid.setCellForeColor(0xFF0000); // "b 5", blue
        grid.setCol(0);
        grid.setSort(1);
        QCOMPARE(column(grid, 1), (QStringList{"2", "4", "1", "3", "5"}));
        QCOMPARE(grid.Row(), 5);
        const QStringList colours{displayed(grid, 4, 0, Qt::ForegroundRole),
                                  displayed(grid, 5, 0, Qt::ForegroundRole),
                                  displayed(grid, 5, 1, Qt::ForegroundRole)};
        QCOMPARE(colours, (QStringList{"#ff0000", "", "#0000ff"}));

        grid.setSort(2);
        QCOMPARE(column(grid, 1), (QStringList{"1", "3", "5", "2", "4"}));
        // Sorting again sees a changed text and an added row.
        grid.setTextMatrix(5, 0, u"Z"_s); // was "A 4"
        grid.AddItem(u"C\t6"_s);
        grid.setSort(2);
        QCOMPARE(column(grid, 1), (QStringList{"4", "6", "1", "3", "5", "2"}));
    }

    // Cells rewritten after a bulk fill, in no particular order, read back as written (the
    // side table of rewritten cells is folded back into the byte store on the way).
    void cellsRewrittenAfterAFill()
    {
        FlexGrid grid;
        grid.setTextMatrix(1, 1, u"left over"_s);
        grid.beginFill(3);
        for (int r = 0; r < 2000; ++r) {
            const std::string id = std::to_string(r);
            const std::string_view cells[] = {id, r % 7 ? "Şahin Ödül" : "", "x"};
            grid.appendRowUtf8(cells);
        }
        grid.endFill();
        QCOMPARE(grid.view()->model()->rowCount(), 2000);
        QCOMPARE(grid.TextMatrix(1, 1), QString());
        QCOMPARE(grid.TextMatrix(2, 1), u"Şahin Ödül"_s);
        for (int c = 2; c >= 0; --c)
            for (int r = grid.Rows() - 1; r >= 0; --r)
                grid.setTextMatrix(r, c, u"%1,%2"_s.arg(r).arg(c));
        for (int r = 0; r < grid.Rows(); ++r)
            for (int c = 0; c < 3; ++c)
                QCOMPARE(grid.TextMatrix(r, c), u"%1,%2"_s.arg(r).arg(c));
    }

    // The register asks for its last row before the grid is shown.
    void topRowAskedBeforeLayoutScrolls()
    {
        FlexGrid grid;
        grid.setRows(201);
        grid.setTopRow(150);
        grid.resize(300, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QCOMPARE(grid.TopRow(), 150);
        QCOMPARE(grid.view()->rowAt(1), 149);
    }
};

QTEST_MAIN(TestGrid)
#include "test_grid.moc"
