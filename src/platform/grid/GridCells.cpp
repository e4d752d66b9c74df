#include "grid/GridCells.h"

#include "runtime/RuntimeError.h"

#include <algorithm>
#include <limits>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

// Rewritten cells are folded back into the arena once they outnumber this share of all cells,
// so a caller that rewrites cell by cell never builds a side table the size of the grid.
constexpr qsizetype MinRewrittenBeforeFolding = 4096;
constexpr qsizetype CellsPerRewrittenBeforeFolding = 8;

} // namespace

void GridCells::resize(int rows, int cols)
{
    if (cols != m_cols || rows < this->rows()) {
        rebuild(rows, cols);
        forgetSortedOrder();
        return;
    }
    const int added = rows - this->rows();
    if (added == 0)
        return;
    const quint32 end = quint32(m_bytes.size());
    m_cellEnds.insert(m_cellEnds.end(), qsizetype(added) * m_cols, end);
    if (!m_colours.empty())
        m_colours.resize(m_cellEnds.size(), 0);
    for (int r = 0; r < added; ++r)
        m_order.push_back(quint32(m_order.size()));
    forgetSortedOrder();
}

void GridCells::clear()
{
    m_bytes.clear();
    m_rewritten.clear();
    m_colours.clear();
    m_cellEnds.assign(qsizetype(rows()) * m_cols, 0);
    std::iota(m_order.begin(), m_order.end(), 0u);
    forgetSortedOrder();
}

void GridCells::reserveRows(qsizetype rows)
{
    m_order.reserve(rows);
    m_cellEnds.reserve(rows * m_cols);
}

std::string_view GridCells::storedText(qsizetype cell) const
{
    if (!m_rewritten.empty()) {
        const auto it = m_rewritten.find(cell);
        if (it != m_rewritten.end())
            return it->second;
    }
    const quint32 start = cell == 0 ? 0 : m_cellEnds[cell - 1];
    return std::string_view(m_bytes.data() + start, m_cellEnds[cell] - start);
}

std::string_view GridCells::utf8(int row, int col) const
{
    return storedText(cellIndex(row, col));
}

QString GridCells::text(int row, int col) const
{
    const std::string_view bytes = utf8(row, col);
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

bool GridCells::canWriteInPlace(qsizetype cell) const
{
    // The cell lies at the end of the arena when it belongs to the last stored row and every
    // cell after it is still empty: the way a grid is filled row by row, left to right.
    return cell / m_cols == rows() - 1 && m_cellEnds.back() == m_cellEnds[cell];
}

void GridCells::setText(int row, int col, std::string_view utf8)
{
    const qsizetype cell = cellIndex(row, col);
    if (canWriteInPlace(cell)) {
        m_bytes.resize(cell == 0 ? 0 : m_cellEnds[cell - 1]);
        appendBytes(utf8);
        std::fill(m_cellEnds.begin() + cell, m_cellEnds.end(), quint32(m_bytes.size()));
        m_rewritten.erase(cell);
    } else {
        m_rewritten.insert_or_assign(cell, std::string(utf8));
        if (qsizetype(m_rewritten.size()) > MinRewrittenBeforeFolding &&
            qsizetype(m_rewritten.size()) * CellsPerRewrittenBeforeFolding >
                qsizetype(m_cellEnds.size()))
            rebuild(rows(), m_cols);
    }
    if (col == m_sortedColumn && row >= m_sortedFirstRow)
        forgetSortedOrder();
}

void GridCells::appendBytes(std::string_view utf8)
{
    if (utf8.size() > std::numeric_limits<quint32>::max() - m_bytes.size())
        throw RuntimeError(7, u"Out of memory"_s, u"FlexGrid"_s);
    m_bytes.insert(m_bytes.end(), utf8.begin(), utf8.end());
}

void GridCells::appendRow(const std::string_view* cells)
{
    for (int c = 0; c < m_cols; ++c) {
        appendBytes(cells[c]);
        m_cellEnds.push_back(quint32(m_bytes.size()));
    }
    if (!m_colours.empty())
        m_colours.resize(m_cellEnds.size(), 0);
    m_order.push_back(quint32(m_order.size()));
    forgetSortedOrder();
}

quint32 GridCells::colour(int row, int col) const
{
    return m_colours.empty() ? 0 : m_colours[cellIndex(row, col)];
}

void GridCells::setColour(int row, int col, quint32 bgr)
{
    if (m_colours.empty()) {
        if (bgr == 0)
            return;
        m_colours.assign(m_cellEnds.size(), 0);
    }
    m_colours[cellIndex(row, col)] = bgr;
}

void GridCells::permuteRows(int first, const std::vector<quint32>& sourceRows)
{
    std::vector<quint32> moved(sourceRows.size());
    for (std::size_t i = 0; i < sourceRows.size(); ++i)
        moved[i] = m_order[sourceRows[i]];
    std::copy(moved.begin(), moved.end(), m_order.begin() + first);
    forgetSortedOrder();
}

void GridCells::setStoredOrder(int first, const std::vector<quint32>& storedRows)
{
    std::copy(storedRows.begin(), storedRows.end(), m_order.begin() + first);
    forgetSortedOrder();
}

int GridCells::rowStoredAt(quint32 stored) const
{
    return int(std::find(m_order.begin(), m_order.end(), stored) - m_order.begin());
}

bool GridCells::sortedOn(int col, int first, bool descending) const
{
    return m_sortedColumn == col && m_sortedFirstRow == first && m_sortedDescending == descending;
}

void GridCells::markSorted(int col, int first, bool descending)
{
    m_sortedColumn = col;
    m_sortedFirstRow = first;
    m_sortedDescending = descending;
}

void GridCells::rebuild(int rows, int cols)
{
    // Stores the shown rows again in their shown order, with rewritten cells folded in.
    std::vector<char> bytes;
    bytes.reserve(rows == 0 ? 0 : m_bytes.size());
    std::vector<quint32> ends;
    ends.reserve(qsizetype(rows) * cols);
    std::vector<quint32> colours;
    if (!m_colours.empty())
        colours.reserve(qsizetype(rows) * cols);
    const int keptRows = std::min(rows, this->rows());
    const int keptCols = std::min(cols, m_cols);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const bool kept = r < keptRows && c < keptCols;
            if (kept) {
                const std::string_view text = utf8(r, c);
                bytes.insert(bytes.end(), text.begin(), text.end());
            }
            ends.push_back(quint32(bytes.size()));
            if (!m_colours.empty())
                colours.push_back(kept ? colour(r, c) : 0);
        }
    }
    m_bytes = std::move(bytes);
    m_cellEnds = std::move(ends);
    m_colours = std::move(colours);
    m_rewritten.clear();
    m_order.resize(rows);
    std::iota(m_order.begin(), m_order.end(), 0u);
    m_cols = cols;
}
