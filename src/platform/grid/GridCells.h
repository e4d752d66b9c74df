#pragma once

#include <QString>
#include <QtGlobal>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The texts and text colours of a grid, kept compact enough for a million rows: every stored
// row lies in one UTF-8 byte arena, each cell known only by where it ends (4 bytes a cell). A cell
// rewritten after its row was stored goes to a small side table; rows are shown in the order of a
// row map, so sorting moves four bytes per row and colours and rewritten cells travel with their
// rows. A QString is made only when a cell is read.
class GridCells
{
public:
    int rows() const { return int(m_order.size()); }
    int cols() const { return m_cols; }

    // New rows and columns are empty; rows beyond the new count are dropped from the end.
    void resize(int rows, int cols);
    // Every text and colour emptied, shape kept.
    void clear();
    void reserveRows(qsizetype rows);

    std::string_view utf8(int row, int col) const;
    // A cell by where its row is stored (see storedRow), whatever order the rows are shown in.
    std::string_view storedUtf8(quint32 stored, int col) const
    {
        return storedText(qsizetype(stored) * m_cols + col);
    }
    QString text(int row, int col) const;
    void setText(int row, int col, std::string_view utf8);
    // One UTF-8 text per column.
    void appendRow(const std::string_view* cells);

    // 0 means the grid's ordinary text colour.
    quint32 colour(int row, int col) const;
    void setColour(int row, int col, quint32 bgr);

    // Puts the rows listed in sourceRows (current row numbers) at first, first + 1, ...
    void permuteRows(int first, const std::vector<quint32>& sourceRows);
    // Shows the stored rows listed at first, first + 1, ... (they must be those shown there).
    void setStoredOrder(int first, const std::vector<quint32>& storedRows);
    // Where a row's cells are stored: follows the row through permutations, until the next
    // change of shape.
    quint32 storedRow(int row) const { return m_order[row]; }
    int rowStoredAt(quint32 stored) const;

    // Whether rows first.. are known to be in that order on col: kept until a text of those
    // rows in that column changes, so a repeated sort costs nothing.
    bool sortedOn(int col, int first, bool descending) const;
    void markSorted(int col, int first, bool descending);

private:
    qsizetype cellIndex(int row, int col) const { return qsizetype(m_order[row]) * m_cols + col; }
    std::string_view storedText(qsizetype cell) const;
    bool canWriteInPlace(qsizetype cell) const;
    void appendBytes(std::string_view utf8);
    void rebuild(int rows, int cols);
    void forgetSortedOrder() { m_sortedColumn = -1; }

    int m_cols = 0;
    std::vector<char> m_bytes;
    std::vector<quint32> m_cellEnds;                        // per stored cell
    std::vector<quint32> m_order;                           // shown row -> stored row
    std::unordered_map<qsizetype, std::string> m_rewritten; // stored cell -> text
    std::vector<quint32> m_colours;                         // per stored cell, empty until used
    int m_sortedColumn = -1;
    int m_sortedFirstRow = 0;
    bool m_sortedDescending = false;
};
