#include "RaisedError.h"

#include "grid/FlexGrid.h"
#include "runtime/Conversions.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <string>
#include <vector>

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
        grid.setTextMatrix(0, 1, QStringLiteral("Issue No"));
        grid.setTextMatrix(2, 2, QStringLiteral("Ahmed Khan"));
        grid.setTextMatrix(3, 0, QStringLiteral("Çelik"));
        QCOMPARE(grid.TextMatrix(2, 2), QStringLiteral("Ahmed Khan"));
        QCOMPARE(grid.TextMatrix(3, 0), QStringLiteral("Çelik"));
        QCOMPARE(grid.view()->model()->headerData(1, Qt::Horizontal).toString(),
                 QStringLiteral("Issue No"));

        grid.setCols(4); // a column added keeps every text
        QCOMPARE(grid.TextMatrix(2, 2), QStringLiteral("Ahmed Khan"));
        QCOMPARE(grid.TextMatrix(2, 3), QString());
        grid.setRows(3); // rows are dropped from the end
        QCOMPARE(grid.TextMatrix(2, 2), QStringLiteral("Ahmed Khan"));
        QCOMPARE(grid.Row(), 1);

        grid.Clear();
        QCOMPARE(grid.Rows(), 3);
        QCOMPARE(grid.Cols(), 4);
        QCOMPARE(grid.TextMatrix(2, 2), QString());

        QCOMPARE(errorNumberOf([&] { grid.TextMatrix(3, 0); }), FlexGrid::InvalidRowValue);
        QCOMPARE(errorNumberOf([&] { grid.setCol(4); }), FlexGrid::InvalidColValue);
        QCOMPARE(errorNumberOf([&] { grid.setColAlignment(0, 10); }),
                 FlexGrid::InvalidPropertyValue);
    }

    void addItem_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("every field") << "7\tLN0007\tAhmed" << QStringList{"7", "LN0007", "Ahmed"};
        QTest::newRow("missing fields empty") << "7" << QStringList{"7", "", ""};
        QTest::newRow("empty fields kept") << "\t\tAhmed" << QStringList{"", "", "Ahmed"};
        QTest::newRow("extra fields dropped") << "1\t2\t3\t4" << QStringList{"1", "2", "3"};
        QTest::newRow("empty text") << "" << QStringList{"", "", ""};
    }
    void addItem()
    {
        QFETCH(QString, item);
        QFETCH(QStringList, cells);
        FlexGrid grid;
        grid.setCols(3);
        grid.AddItem(item);
        QCOMPARE(grid.Rows(), 3);
        for (int c = 0; c < 3; ++c)
            QCOMPARE(grid.TextMatrix(2, c), cells[c]);
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
        grid.setColWidth(1, -1);
        QVERIFY(!grid.view()->isColumnHidden(1));
        grid.resize(475, 283);
        QCOMPARE(grid.Width(), qRound(475 / pixelsPerTwip));
    }

    // The codes the register sets, and the general one; the others are a table lookup alike.
    void alignments_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("1 left-centre") << 1 << "a" << int(Qt::AlignLeft | Qt::AlignVCenter);
        QTest::newRow("7 right-centre") << 7 << "a" << int(Qt::AlignRight | Qt::AlignVCenter);
        QTest::newRow("8 right-bottom") << 8 << "1,200.00" << int(Qt::AlignRight | Qt::AlignBottom);
        QTest::newRow("general text") << 9 << "Ahmed" << int(Qt::AlignLeft | Qt::AlignVCenter);
        QTest::newRow("general number")
            << 9 << "1,200.00" << int(Qt::AlignRight | Qt::AlignVCenter);
    }
    void alignments()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        QFETCH(int, expected);
        FlexGrid grid;
        grid.setTextMatrix(0, 1, text);
        grid.setTextMatrix(1, 1, text);
        grid.setColAlignment(1, code);
        grid.setFixedAlignment(1, code);
        const QAbstractItemModel* model = grid.view()->model();
        QCOMPARE(model->data(model->index(0, 1), Qt::TextAlignmentRole).toInt(), expected);
        QCOMPARE(model->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), expected);
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

    void enterCellOnEveryMove()
    {
        FlexGrid grid;
        grid.setFixedCols(0);
        grid.setCols(3);
        for (int r = 0; r < 5; ++r)
            grid.AddItem(QStringLiteral("%1\tx\ty").arg(r));
        grid.resize(400, 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QSignalSpy enterCell(&grid, &FlexGrid::EnterCell);
        int rowSeen = -1;
        connect(&grid, &FlexGrid::EnterCell, this, [&] { rowSeen = grid.Row(); });

        grid.setRow(3);
        QCOMPARE(enterCell.count(), 1);
        QCOMPARE(rowSeen, 3); // the handler sees the new row
        grid.setRow(3);
        QCOMPARE(enterCell.count(), 1);
        grid.setCol(2);
        QCOMPARE(enterCell.count(), 2);

        grid.setFocus();
        QTest::keyClick(grid.view(), Qt::Key_Down);
        QCOMPARE(grid.Row(), 4);
        QCOMPARE(enterCell.count(), 3);
        QTest::keyClick(grid.view(), Qt::Key_Left);
        QCOMPARE(grid.Col(), 1);
        QCOMPARE(enterCell.count(), 4);

        QTest::mouseClick(grid.view()->viewport(), Qt::LeftButton, {}, cellCentre(grid, 2, 0));
        QCOMPARE(grid.Row(), 2);
        QCOMPARE(grid.Col(), 0);
        QCOMPARE(enterCell.count(), 5);
        QTest::mouseClick(grid.view()->viewport(), Qt::LeftButton, {}, cellCentre(grid, 2, 0));
        QCOMPARE(enterCell.count(), 5);
    }

    void genericSort_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("numbers by value")
            << QStringList{"10", "9", "100", "-2.5"} << 1 << QStringList{"-2.5", "9", "10", "100"};
        QTest::newRow("texts in upper case") << QStringList{"beta", "Alpha", "ALPHA", "b"} << 1
                                             << QStringList{"Alpha", "ALPHA", "b", "beta"};
        QTest::newRow("numbers before texts") << QStringList{"x", "5", "", "-1", "12a"} << 1
                                              << QStringList{"-1", "5", "", "12a", "x"};
        QTest::newRow("amounts with grouping")
            << QStringList{"12,000.00", "999.99", "1,234.50", "0.00"} << 1
            << QStringList{"0.00", "999.99", "1,234.50", "12,000.00"};
        QTest::newRow("descending")
            << QStringList{"x", "5", "Y", "12"} << 2 << QStringList{"Y", "x", "12", "5"};
        QTest::newRow("accented letters upper-cased")
            << QStringList{"é", "F", "e"} << 1 << QStringList{"e", "F", "é"};
    }
    void genericSort()
    {
        QFETCH(QStringList, keys);
        QFETCH(int, code);
        QFETCH(QStringList, expected);
        FlexGrid grid;
        grid.setRows(1);
        grid.setFixedCols(0);
        for (const QString& key : keys)
            grid.AddItem(QStringLiteral("tag\t") + key);
        grid.setCol(1);
        grid.setSort(code);
        QCOMPARE(column(grid, 1), expected);
    }

    void sortKeepsTiesAndColoursWithTheirRows()
    {
        FlexGrid grid;
        grid.setRows(1);
        grid.setFixedCols(0);
        const QStringList rows{"B\t1", "a\t2", "b\t3", "A\t4", "b\t5"};
        for (const QString& row : rows)
            grid.AddItem(row);
        grid.setRowForeColor(3, 255); // "b 3"
        grid.setRow(5);
        grid.setCol(1);
        grid.setCellForeColor(0xFF0000); // "b 5", blue
        grid.setCol(0);
        grid.setSort(1);
        QCOMPARE(column(grid, 1), (QStringList{"2", "4", "1", "3", "5"}));
        QCOMPARE(grid.Row(), 5);
        QCOMPARE(grid.Col(), 0);
        grid.setRow(4);
        QCOMPARE(grid.CellForeColor(), 255u);
        QCOMPARE(displayed(grid, 4, 1, Qt::ForegroundRole), QStringLiteral("#ff0000"));
        grid.setRow(5);
        grid.setCol(1);
        QCOMPARE(grid.CellForeColor(), 0xFF0000u);

        grid.setCol(0);
        grid.setSort(2);
        QCOMPARE(column(grid, 1), (QStringList{"1", "3", "5", "2", "4"}));
        // Sorting again sees a changed text and an added row.
        grid.setTextMatrix(5, 0, QStringLiteral("Z")); // was "A 4"
        grid.AddItem(QStringLiteral("C\t6"));
        grid.setSort(2);
        QCOMPARE(column(grid, 1), (QStringList{"4", "6", "1", "3", "5", "2"}));
    }

    void bulkFillEqualsAddItem()
    {
        FlexGrid added;
        FlexGrid filled;
        filled.setTextMatrix(1, 1, QStringLiteral("left over"));
        added.setRows(1);
        filled.beginFill(3);
        for (int r = 0; r < 2000; ++r) {
            const std::string id = std::to_string(r);
            const std::string name = r % 7 ? "Employee " + id : std::string();
            const std::string_view cells[] = {id, name, "Şahin Ödül"};
            filled.appendRowUtf8(cells);
            added.setCols(3);
            added.AddItem(QString::fromStdString(id + '\t' + name + '\t' + "Şahin Ödül"));
        }
        filled.endFill();
        QCOMPARE(filled.Rows(), added.Rows());
        for (int c = 0; c < 3; ++c)
            QCOMPARE(column(filled, c), column(added, c));
        QCOMPARE(filled.view()->model()->rowCount(), 2000);

        // Rewriting every cell, in no particular order, reads back the same (the side table
        // of rewritten cells is folded back into the byte store on the way).
        for (int c = 2; c >= 0; --c)
            for (int r = filled.Rows() - 1; r >= 0; --r)
                filled.setTextMatrix(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
        for (int r = 0; r < filled.Rows(); ++r)
            for (int c = 0; c < 3; ++c)
                QCOMPARE(filled.TextMatrix(r, c), QStringLiteral("%1,%2").arg(r).arg(c));
    }

    void topRowScrolls()
    {
        FlexGrid grid;
        grid.setRows(201);
        grid.setTopRow(150); // asked before the view is laid out
        grid.resize(300, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QCOMPARE(grid.TopRow(), 150);
        QCOMPARE(grid.view()->rowAt(1), 149);
        grid.setTopRow(20);
        QCOMPARE(grid.TopRow(), 20);
        QCOMPARE(grid.view()->rowAt(1), 19);

        grid.setRow(20);
        QTest::keyClick(grid.view(), Qt::Key_Up); // a key move keeps the cell in sight
        QCOMPARE(grid.TopRow(), 19);
    }
};

QTEST_MAIN(TestGrid)
#include "test_grid.moc"
