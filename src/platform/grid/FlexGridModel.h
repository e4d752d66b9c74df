#pragma once

#include "grid/GridCells.h"
#include "grid/PreparedOrders.h"
#include "grid/SortMeaning.h"

#include <QAbstractTableModel>

#include <string_view>
#include <vector>

// The table model of the grid: shows rows FixedRows.. of the cells as data rows and, with one
// fixed row, row 0 as the heading. Every change of the cells goes through here so the view
// hears of exactly what changed; a bulk fill is one model reset.
class FlexGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit FlexGridModel(QObject* parent = nullptr);

    const GridCells& cells() const { return m_cells; }
    int fixedRows() const { return m_fixedRows; }
    void setFixedRows(int fixedRows);

    void setShape(int rows, int cols);
    void clearCells();
    void setCellText(int row, int col, std::string_view utf8);
    void appendRow(const std::string_view* cells);

    void beginFill(int cols, qsizetype expectedRows);
    void appendFillRow(const std::string_view* cells) { m_cells.appendRow(cells); }
    void endFill();

    void setCellColour(int row, int col, quint32 bgr);
    void setRowColour(int row, quint32 bgr);

    // Sort of the data rows on col by its meaning; a repeated sort of unchanged rows is free.
    void sortRows(int col, bool descending);
    // Ascending on col, rows that tie in the order they were stored, from the order prepared for
    // it when that is ready.
    void sortRowsForSearch(int col);
    // Keeps the search orders of these columns prepared on another core, after every change.
    void prepareSearchOrders(std::vector<int> cols);
    void waitForSearchOrders() { m_prepared.wait(); }
    void preferSearchOrder(int col) { m_prepared.prefer(col); }
    SortMeaning sortMeaning(int col) const { return m_sortMeanings[col]; }
    void setSortMeaning(int col, SortMeaning meaning);

    int columnAlignment(int col) const { return m_columnAlignments[col]; }
    void setColumnAlignment(int col, int code);
    int headingAlignment(int col) const { return m_headingAlignments[col]; }
    void setHeadingAlignment(int col, int code);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QVariant cellData(int row, int col, int alignmentCode, int role) const;
    void cellsChanged(int row, int firstCol, int lastCol);
    void resizeColumnSettings(int cols);
    void cellsWillChange();
    void startPreparing();
    std::vector<quint32> storedDataRows() const;

    GridCells m_cells;
    int m_fixedRows = 1;
    std::vector<int> m_columnAlignments;
    std::vector<int> m_headingAlignments;
    std::vector<SortMeaning> m_sortMeanings;
    std::vector<int> m_searchColumns;
    bool m_filling = false;
    bool m_preparingScheduled = false;
    PreparedOrders m_prepared; // after the cells, so it stops reading them before they go
};
