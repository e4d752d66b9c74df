#include "grid/FlexGridModel.h"

#include "grid/CellNumber.h"
#include "grid/GridAlignment.h"
#include "grid/GridSort.h"

#include <QColor>
#include <QTimer>

#include <algorithm>

namespace {

QColor colourOf(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

} // namespace

FlexGridModel::FlexGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void FlexGridModel::setFixedRows(int fixedRows)
{
    cellsWillChange();
    beginResetModel();
    m_fixedRows = fixedRows;
    endResetModel();
}

void FlexGridModel::resizeColumnSettings(int cols)
{
    m_columnAlignments.resize(cols, grid_alignment::General);
    m_headingAlignments.resize(cols, grid_alignment::General);
    m_sortMeanings.resize(cols, SortMeaning::Generic);
}

void FlexGridModel::setShape(int rows, int cols)
{
    cellsWillChange();
    const int oldRows = m_cells.rows();
    const int oldCols = m_cells.cols();
    const int shownBefore = rowCount();
    const int shownAfter = std::max(rows - m_fixedRows, 0);
    if (rows != oldRows && cols != oldCols) {
        beginResetModel();
        m_cells.resize(rows, cols);
        resizeColumnSettings(cols);
        endResetModel();
        return;
    }
    if (cols > oldCols)
        beginInsertColumns(QModelIndex(), oldCols, cols - 1);
    else if (cols < oldCols)
        beginRemoveColumns(QModelIndex(), cols, oldCols - 1);
    else if (shownAfter > shownBefore)
        beginInsertRows(QModelIndex(), shownBefore, shownAfter - 1);
    else if (shownAfter < shownBefore)
        beginRemoveRows(QModelIndex(), shownAfter, shownBefore - 1);
    m_cells.resize(rows, cols);
    resizeColumnSettings(cols);
    if (cols > oldCols)
        endInsertColumns();
    else if (cols < oldCols)
        endRemoveColumns();
    else if (shownAfter > shownBefore)
        endInsertRows();
    else if (shownAfter < shownBefore)
        endRemoveRows();
    if (std::min(oldRows, rows) < m_fixedRows && cols > 0)
        emit headerDataChanged(Qt::Horizontal, 0, cols - 1); // the heading row came or went
}

void FlexGridModel::clearCells()
{
    cellsWillChange();
    m_cells.clear();
    if (m_cells.cols() == 0)
        return;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void FlexGridModel::setCellText(int row, int col, std::string_view utf8)
{
    cellsWillChange();
    m_cells.setText(row, col, utf8);
    cellsChanged(row, col, col);
}

void FlexGridModel::appendRow(const std::string_view* cells)
{
    cellsWillChange();
    const bool dataRow = m_cells.rows() >= m_fixedRows;
    if (dataRow)
        beginInsertRows(QModelIndex(), rowCount(), rowCount());
    m_cells.appendRow(cells);
    if (dataRow)
        endInsertRows();
    else if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void FlexGridModel::beginFill(int cols, qsizetype expectedRows)
{
    cellsWillChange();
    m_filling = true;
    beginResetModel();
    m_cells.resize(m_fixedRows, cols);
    m_cells.clear();
    m_cells.reserveRows(m_fixedRows + expectedRows);
    resizeColumnSettings(cols);
}

void FlexGridModel::endFill()
{
    endResetModel();
    m_filling = false;
    cellsWillChange(); // the orders are prepared again for the rows filled
}

void FlexGridModel::setCellColour(int row, int col, quint32 bgr)
{
    m_cells.setColour(row, col, bgr);
    cellsChanged(row, col, col);
}

void FlexGridModel::setRowColour(int row, quint32 bgr)
{
    if (m_cells.cols() == 0)
        return;
    for (int c = 0; c < m_cells.cols(); ++c)
        m_cells.setColour(row, c, bgr);
    cellsChanged(row, 0, m_cells.cols() - 1);
}

void FlexGridModel::sortRows(int col, bool descending)
{
    const int first = m_fixedRows;
    if (m_cells.rows() - first < 2 || m_cells.sortedOn(col, first, descending))
        return;
    m_cells.permuteRows(first,
                        sortedRowOrder(m_cells, first, col, m_sortMeanings[col], descending));
    m_cells.markSorted(col, first, descending);
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void FlexGridModel::sortRowsForSearch(int col)
{
    const int first = m_fixedRows;
    if (m_cells.rows() - first < 2 || m_cells.sortedOn(col, first, false))
        return;
    const std::vector<quint32>* order = m_prepared.ready(col);
    std::optional<std::vector<quint32>> sorted;
    if (!order) {
        static const std::atomic<bool> never{false};
        sorted = storedRowsAscending(m_cells, storedDataRows(), col, m_sortMeanings[col], never);
        order = &*sorted;
    }
    m_cells.setStoredOrder(first, *order);
    m_cells.markSorted(col, first, false);
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void FlexGridModel::prepareSearchOrders(std::vector<int> cols)
{
    m_searchColumns = std::move(cols);
    startPreparing();
}

void FlexGridModel::cellsWillChange()
{
    m_prepared.stop();
    if (m_searchColumns.empty() || m_preparingScheduled)
        return;
    // Once the change is over (the handler that makes it has returned), the orders are prepared
    // again; a fill prepares them when it ends.
    m_preparingScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_preparingScheduled = false;
        if (!m_filling)
            startPreparing();
    });
}

void FlexGridModel::startPreparing()
{
    std::vector<std::pair<int, SortMeaning>> columns;
    for (const int col : m_searchColumns) {
        if (col >= 0 && col < m_cells.cols())
            columns.emplace_back(col, m_sortMeanings[col]);
    }
    m_prepared.start(m_cells, storedDataRows(), std::move(columns));
}

std::vector<quint32> FlexGridModel::storedDataRows() const
{
    std::vector<quint32> rows;
    rows.reserve(std::max(m_cells.rows() - m_fixedRows, 0));
    for (int r = m_fixedRows; r < m_cells.rows(); ++r)
        rows.push_back(m_cells.storedRow(r));
    std::sort(rows.begin(), rows.end());
    return rows;
}

void FlexGridModel::setSortMeaning(int col, SortMeaning meaning)
{
    if (m_sortMeanings[col] == meaning)
        return;
    cellsWillChange();
    m_sortMeanings[col] = meaning;
    if (m_cells.sortedOn(col, m_fixedRows, false) || m_cells.sortedOn(col, m_fixedRows, true))
        m_cells.markSorted(-1, m_fixedRows, false); // that order no longer holds
}

void FlexGridModel::setColumnAlignment(int col, int code)
{
    m_columnAlignments[col] = code;
    if (rowCount() > 0)
        emit dataChanged(index(0, col), index(rowCount() - 1, col), {Qt::TextAlignmentRole});
}

void FlexGridModel::setHeadingAlignment(int col, int code)
{
    m_headingAlignments[col] = code;
    emit headerDataChanged(Qt::Horizontal, col, col);
}

int FlexGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(m_cells.rows() - m_fixedRows, 0);
}

int FlexGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cells.cols();
}

QVariant FlexGridModel::cellData(int row, int col, int alignmentCode, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
        return m_cells.text(row, col);
    case Qt::TextAlignmentRole: {
        const bool number =
            alignmentCode == grid_alignment::General && cellNumber(m_cells.utf8(row, col));
        return QVariant::fromValue(grid_alignment::toQt(alignmentCode, number));
    }
    case Qt::ForegroundRole:
        if (const quint32 bgr = m_cells.colour(row, col))
            return colourOf(bgr);
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    return cellData(index.row() + m_fixedRows, index.column(), m_columnAlignments[index.column()],
                    role);
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || m_fixedRows == 0 || m_cells.rows() == 0 || section < 0 ||
        section >= m_cells.cols())
        return QVariant();
    return cellData(0, section, m_headingAlignments[section], role);
}

Qt::ItemFlags FlexGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void FlexGridModel::cellsChanged(int row, int firstCol, int lastCol)
{
    if (row < m_fixedRows)
        emit headerDataChanged(Qt::Horizontal, firstCol, lastCol);
    else
        emit dataChanged(index(row - m_fixedRows, firstCol), index(row - m_fixedRows, lastCol));
}
