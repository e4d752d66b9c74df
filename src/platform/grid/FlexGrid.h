#pragma once

#include "grid/SortMeaning.h"
#include "ostrelplatform_export.h"

#include <QWidget>

#include <string_view>
#include <vector>

class FlexGridModel;
class GridDelegate;
class GridView;
class QKeyEvent;
class QModelIndex;
class QTableView;

// The register's grid: a table of texts whose row 0 is the heading row (shown as the header
// while FixedRows is 1) and rows 1.. the data. Its operations carry the names of the grid
// control the module was written for, so the module reads as its behaviour is described:
// sizes in twips (1/1440 inch), alignment codes 0 to 8, colours as 0x00BBGGRR, a current cell
// and selection set by code or by the user, and an EnterCell notification whenever the
// current cell changes. Texts are held compactly (see GridCells), so a million rows load in
// about two seconds and a QString is made only for cells that are shown or read.
class OSTRELPLATFORM_EXPORT FlexGrid : public QWidget
{
    Q_OBJECT

public:
    // Errors raised for values the grid cannot take.
    static constexpr qint32 InvalidPropertyValue = 380;
    static constexpr qint32 InvalidRowValue = 30009;
    static constexpr qint32 InvalidColValue = 30010;

    static constexpr int DefaultColWidth = 960; // twips

    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    // Shape. A new grid has 2 rows, 2 columns, one fixed row and one fixed column.
    int Rows() const;
    void setRows(int rows);
    int Cols() const;
    void setCols(int cols);
    int FixedRows() const;
    void setFixedRows(int fixedRows); // 0 or 1
    int FixedCols() const { return m_fixedCols; }
    void setFixedCols(int fixedCols);
    // Empties every text and colour; shape, widths and alignments stay.
    void Clear();

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    // Appends a row from tab-separated texts; missing fields stay empty, extra ones are dropped.
    void AddItem(const QString& tabSeparatedText);

    // Column widths in twips; 0 hides the column, -1 gives back the default width.
    int ColWidth(int col) const;
    void setColWidth(int col, int twips);
    // Alignment codes: 0 left-top, 1 left-centre, 2 left-bottom, 3 centre-top,
    // 4 centre-centre, 5 centre-bottom, 6 right-top, 7 right-centre, 8 right-bottom, and
    // 9 general (texts left, numbers right), which every column starts with.
    int ColAlignment(int col) const; // data cells
    void setColAlignment(int col, int code);
    int FixedAlignment(int col) const; // heading cells
    void setFixedAlignment(int col, int code);
    // The control's own width in twips.
    int Width() const;
    // The width in pixels the control needs to show every column whole, its frame and vertical
    // scroll bar included. The user may drag a heading's edge to change a column's width, and
    // double-click it to fit the column to the texts in view.
    int wholeColumnsWidth() const;

    // The current cell. Setting Row (Col) also collapses RowSel (ColSel) onto it; a user's
    // click or arrow key collapses both, while with Shift it moves RowSel alone and Ctrl+A
    // selects every data row.
    int Row() const { return m_row; }
    void setRow(int row);
    int Col() const { return m_col; }
    void setCol(int col);
    int RowSel() const { return m_rowSel; }
    void setRowSel(int row);
    int ColSel() const { return m_colSel; }
    void setColSel(int col);
    // The first data row shown at the top of the view.
    int TopRow() const;
    void setTopRow(int row);
    // Whether the whole row lies within the view.
    bool RowIsVisible(int row) const;
    // Whether the selected rows are highlighted. Hidden, no row looks chosen; any move of the
    // current cell, by code or by the user, shows the highlight again (with EnterCell).
    bool HighLight() const { return m_highLight; }
    void hideHighLight();

    // Text colour of the current cell, 0x00BBGGRR; 0 is the ordinary colour.
    quint32 CellForeColor() const;
    void setCellForeColor(quint32 bgr);
    // The same colour for every cell of a row, without moving the current cell.
    void setRowForeColor(int row, quint32 bgr);

    // Sorts the data rows on column Col (the left end of Col..ColSel): 1 ascending,
    // 2 descending, 0 nothing, by the column's meaning. Generic (every column's at first):
    // cells that pass vb::IsNumeric compare as numbers, before all texts, which compare in upper
    // case by character code. Rows that tie keep their order; colours go with their rows; the
    // current row number stays.
    void setSort(int code);
    SortMeaning ColSortMeaning(int col) const;
    void setColSortMeaning(int col, SortMeaning meaning);
    // The same sort, after which the current row is the one that holds the same cells (RowSel
    // collapses onto it), with an EnterCell notification when its number changed.
    void sortKeepingCurrentRow(int code);
    // The search's sort: ascending on col by its meaning, rows that tie in the order they were
    // stored, keeping the current row as sortKeepingCurrentRow does. It needs no sort of its own
    // once the order prepared for the column is ready.
    void sortForSearch(int col);
    // Prepares the search orders of these columns on another core, now and after every change of
    // the cells, so that a search on a large grid does not sort while the user waits.
    void prepareSearchOrders(std::vector<int> cols);
    // Prepares col's order next, when it is still to be prepared (a column the user chose).
    void preferSearchOrder(int col);
    // Waits until the orders asked for are prepared.
    void waitForSearchOrders();
    // The heading's arrow: the column the rows are ordered by and the direction; -1 shows none.
    void setSortIndicator(int col, bool descending);

    // The selected rows (Row to RowSel) as tab-separated lines, the headings first, hidden
    // columns left out, each cell as shown. Ctrl+C in the grid puts it on the clipboard.
    QString SelectedRowsText() const;

    // Bulk fill: replaces every row after the heading with rows appended from UTF-8 texts, one
    // per column (cols of them), with no notification per row. The heading texts are emptied;
    // expectedRows only reserves room.
    void beginFill(int cols, qsizetype expectedRows = 0);
    void appendRowUtf8(const std::string_view* cells);
    void endFill();

    // The table view inside, for focus and tests.
    QTableView* view() const;

signals:
    void EnterCell();
    void KeyPress(int& keyAscii);
    void KeyDown(int& keyCode, int shift);
    void DblClick();
    void HeadingClick(int col);

private:
    void checkRow(int row) const;
    void checkCol(int col) const;
    static void checkAlignment(int code);
    int twipsToPixels(int twips) const;
    int pixelsToTwips(int pixels) const;

    template <class Sort> void keepingCurrentRow(Sort sort);
    void moveCurrentCell(int row, int col);
    void keepCurrentCellInside();
    void showSelection();
    void showHeading();
    void applyColumnWidths();
    void columnResized(int col, int pixels);
    void applyPendingTopRow();
    void scrollToCurrentCell();
    void scrollToCell(int row, int col);
    int wholeRowsShown() const;

    void handleKey(QKeyEvent* event);
    bool navigate(int key, Qt::KeyboardModifiers modifiers);
    void extendSelectionTo(int row);
    void selectAllRows();
    int nextShownCol(int from, int step) const;
    void handleCellPressed(const QModelIndex& index, Qt::KeyboardModifiers modifiers);
    void handleCellDoubleClicked(const QModelIndex& index);

    FlexGridModel* m_model;
    GridView* m_view;
    GridDelegate* m_delegate;
    std::vector<int> m_colWidths; // twips
    int m_fixedCols = 1;
    int m_row = 1;
    int m_col = 1;
    int m_rowSel = 1;
    int m_colSel = 1;
    int m_pendingTopRow = -1; // asked for before the view could scroll that far
    bool m_highLight = true;
    bool m_applyingWidths = false; // the view's sections follow m_colWidths, not the user
};
