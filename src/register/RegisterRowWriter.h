#pragma once

#include <QVector>
#include <QtGlobal>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class FlexGrid;

// Writes the rows of the register's list into the grid as the register shows them: the opening
// and current balances (columns 5 and 6) in the money format, every other value as text
// trimmed of blanks, an empty database value as an empty cell. Alongside it keeps the length
// table: for each column the length of the longest value as text, before trimming or
// formatting. The readers hand over each field in the form the engine gave it; the rows go
// into the grid through its bulk fill, with no QString per cell.
class RegisterRowWriter
{
public:
    explicit RegisterRowWriter(FlexGrid& grid);

    // The list has cols columns.
    void begin(int cols, qsizetype expectedRows = 0);
    // Told the number of rows written after every so many rows.
    void reportRowsTo(std::function<void(qsizetype rows)> rowsWritten);

    void putNull(int col);
    void putInteger(int col, qint64 value);
    void putNumber(int col, double value);
    void putText(int col, std::string_view utf8);
    // Every column of the row has been put.
    void endRow();

    // Ends the fill and gives the length table, entries 0 to cols. With no row the grid keeps
    // its one blank data row and takes the list's columns.
    QVector<double> finish();

    static bool isBalanceColumn(int col) { return col == 5 || col == 6; }

private:
    void putCell(int col, std::string_view utf8);
    void noteLength(int col, double length);

    FlexGrid& m_grid;
    int m_cols = 0;
    qsizetype m_expectedRows = 0;
    qsizetype m_rows = 0;
    std::string m_rowBytes;
    std::vector<std::size_t> m_cellEnds;
    std::vector<std::string_view> m_cells;
    QVector<double> m_lengths;
    std::function<void(qsizetype)> m_rowsWritten;
};
