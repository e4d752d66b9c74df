#include "grid/FlexGrid.h"

#include "grid/FlexGridModel.h"
#include "grid/GridAlignment.h"
#include "grid/GridDelegate.h"
#include "grid/GridView.h"
#include "grid/KeyCodes.h"
#include "runtime/RuntimeError.h"
#include "ui/Twips.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

RuntimeError gridError(qint32 number, const char* description)
{
    return RuntimeError(number, QString::fromLatin1(description), u"FlexGrid"_s);
}

std::string_view bytesOf(const QByteArray& utf8)
{
    return std::string_view(utf8.constData(), std::size_t(utf8.size()));
}

} // namespace

FlexGrid::FlexGrid(QWidget* parent)
    : QWidget(parent), m_model(new FlexGridModel(this)), m_view(new GridView(this)),
      m_delegate(new GridDelegate(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);

    m_model->setShape(2, 2);
    m_colWidths.assign(2, DefaultColWidth);
    m_view->setModel(m_model);
    m_view->setItemDelegate(m_delegate);
    m_view->setSelectionMode(QAbstractItemView::NoSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setTabKeyNavigation(false);
    m_view->setAutoScroll(false);
    m_view->setWordWrap(false);
    m_view->setCornerButtonEnabled(false);
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    QHeaderView* rows = m_view->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(fontMetrics().height() + 4);
    QHeaderView* heading = m_view->horizontalHeader();
    heading->setSectionResizeMode(QHeaderView::Interactive);
    heading->setMinimumSectionSize(0);
    heading->setSectionsClickable(true);
    heading->setSortIndicatorShown(false);
    heading->setHighlightSections(false);
    heading->setStretchLastSection(false);

    connect(m_model, &QAbstractItemModel::modelReset, this, &FlexGrid::applyColumnWidths);
    connect(m_model, &QAbstractItemModel::columnsInserted, this, &FlexGrid::applyColumnWidths);
    connect(m_view, &GridView::keyPressed, this, &FlexGrid::handleKey);
    connect(m_view, &GridView::cellPressed, this, &FlexGrid::handleCellPressed);
    connect(m_view, &GridView::cellDoubleClicked, this, &FlexGrid::handleCellDoubleClicked);
    connect(heading, &QHeaderView::sectionClicked, this, &FlexGrid::HeadingClick);
    connect(heading, &QHeaderView::sectionResized, this,
            [this](int col, int, int pixels) { columnResized(col, pixels); });
    connect(m_view, &GridView::geometriesUpdated, this, &FlexGrid::applyPendingTopRow);
    connect(m_view->verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this] { m_pendingTopRow = -1; }); // the user scrolled
    applyColumnWidths();
    showHeading();
    showSelection();
}

FlexGrid::~FlexGrid()
{
    // The view outlives this part of the grid: closing it as the widget goes emits its signals,
    // which must no longer reach a grid half destroyed.
    m_view->disconnect(this);
    m_view->horizontalHeader()->disconnect(this);
    m_view->verticalScrollBar()->disconnect(this);
    m_model->disconnect(this);
}

// --- shape

int FlexGrid::Rows() const
{
    return m_model->cells().rows();
}

void FlexGrid::setRows(int rows)
{
    if (rows < FixedRows())
        throw gridError(InvalidPropertyValue, "Invalid property value");
    m_model->setShape(rows, Cols());
    keepCurrentCellInside();
}

int FlexGrid::Cols() const
{
    return m_model->cells().cols();
}

void FlexGrid::setCols(int cols)
{
    if (cols < m_fixedCols)
        throw gridError(InvalidPropertyValue, "Invalid property value");
    m_colWidths.resize(cols, DefaultColWidth);
    m_model->setShape(Rows(), cols);
    keepCurrentCellInside();
}

int FlexGrid::FixedRows() const
{
    return m_model->fixedRows();
}

void FlexGrid::setFixedRows(int fixedRows)
{
    if (fixedRows < 0 || fixedRows > 1 || fixedRows > Rows())
        throw gridError(InvalidPropertyValue, "Invalid property value");
    if (fixedRows == FixedRows())
        return;
    m_model->setFixedRows(fixedRows);
    showHeading();
    keepCurrentCellInside();
}

void FlexGrid::setFixedCols(int fixedCols)
{
    if (fixedCols < 0 || fixedCols > Cols())
        throw gridError(InvalidPropertyValue, "Invalid property value");
    m_fixedCols = fixedCols;
    m_delegate->setFixedCols(fixedCols);
    m_view->viewport()->update();
    keepCurrentCellInside();
}

void FlexGrid::Clear()
{
    m_model->clearCells();
}

// --- cells

QString FlexGrid::TextMatrix(int row, int col) const
{
    checkRow(row);
    checkCol(col);
    return m_model->cells().text(row, col);
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text)
{
    checkRow(row);
    checkCol(col);
    m_model->setCellText(row, col, bytesOf(text.toUtf8()));
}

void FlexGrid::AddItem(const QString& tabSeparatedText)
{
    const QByteArray utf8 = tabSeparatedText.toUtf8();
    std::vector<std::string_view> fields(static_cast<std::size_t>(Cols()));
    std::string_view rest = bytesOf(utf8);
    bool more = true;
    for (std::size_t c = 0; c < fields.size() && more; ++c) {
        const std::size_t tab = rest.find('\t');
        fields[c] = rest.substr(0, tab);
        more = tab != std::string_view::npos;
        if (more)
            rest.remove_prefix(tab + 1);
    }
    m_model->appendRow(fields.data());
}

// --- columns

int FlexGrid::ColWidth(int col) const
{
    checkCol(col);
    return m_colWidths[col];
}

void FlexGrid::setColWidth(int col, int twips)
{
    checkCol(col);
    if (twips < -1)
        throw gridError(InvalidPropertyValue, "Invalid property value");
    m_colWidths[col] = twips == -1 ? DefaultColWidth : twips;
    applyColumnWidths();
}

int FlexGrid::ColAlignment(int col) const
{
    checkCol(col);
    return m_model->columnAlignment(col);
}

void FlexGrid::setColAlignment(int col, int code)
{
    checkCol(col);
    checkAlignment(code);
    m_model->setColumnAlignment(col, code);
}

int FlexGrid::FixedAlignment(int col) const
{
    checkCol(col);
    return m_model->headingAlignment(col);
}

void FlexGrid::setFixedAlignment(int col, int code)
{
    checkCol(col);
    checkAlignment(code);
    m_model->setHeadingAlignment(col, code);
}

int FlexGrid::Width() const
{
    return pixelsToTwips(width());
}

int FlexGrid::wholeColumnsWidth() const
{
    return m_view->horizontalHeader()->length() + 2 * m_view->frameWidth() +
           m_view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_view);
}

// --- current cell, selection, scrolling

void FlexGrid::setRow(int row)
{
    checkRow(row);
    m_rowSel = row;
    moveCurrentCell(row, m_col);
}

void FlexGrid::setCol(int col)
{
    checkCol(col);
    m_colSel = col;
    moveCurrentCell(m_row, col);
}

void FlexGrid::setRowSel(int row)
{
    checkRow(row);
    m_rowSel = row;
    showSelection();
}

void FlexGrid::setColSel(int col)
{
    checkCol(col);
    m_colSel = col;
}

int FlexGrid::TopRow() const
{
    if (m_pendingTopRow >= 0)
        return m_pendingTopRow;
    return m_view->verticalScrollBar()->value() + FixedRows();
}

void FlexGrid::setTopRow(int row)
{
    checkRow(row);
    const int top = std::max(row, FixedRows());
    QScrollBar* scroll = m_view->verticalScrollBar();
    scroll->setValue(top - FixedRows());
    // Before the view is laid out (or while rows just added are not yet in its scroll range)
    // the scroll bar cannot go that far; the request is kept and applied once it can.
    m_pendingTopRow = scroll->value() == top - FixedRows() ? -1 : top;
}

bool FlexGrid::RowIsVisible(int row) const
{
    checkRow(row);
    if (row < FixedRows())
        return true;
    const int top = TopRow();
    return row >= top && row < top + wholeRowsShown();
}

void FlexGrid::hideHighLight()
{
    m_highLight = false;
    showSelection();
}

void FlexGrid::applyPendingTopRow()
{
    if (m_pendingTopRow < 0)
        return;
    m_view->verticalScrollBar()->setValue(m_pendingTopRow - FixedRows());
    if (m_view->isVisible())
        m_pendingTopRow = -1;
}

// --- colour and sort

quint32 FlexGrid::CellForeColor() const
{
    checkRow(m_row);
    checkCol(m_col);
    return m_model->cells().colour(m_row, m_col);
}

void FlexGrid::setCellForeColor(quint32 bgr)
{
    checkRow(m_row);
    checkCol(m_col);
    m_model->setCellColour(m_row, m_col, bgr);
}

void FlexGrid::setRowForeColor(int row, quint32 bgr)
{
    checkRow(row);
    m_model->setRowColour(row, bgr);
}

void FlexGrid::setSort(int code)
{
    if (code < 0 || code > 2)
        throw gridError(InvalidPropertyValue, "Invalid property value");
    if (code == 0 || Cols() == 0)
        return;
    m_model->sortRows(std::min(m_col, m_colSel), code == 2);
}

SortMeaning FlexGrid::ColSortMeaning(int col) const
{
    checkCol(col);
    return m_model->sortMeaning(col);
}

void FlexGrid::setColSortMeaning(int col, SortMeaning meaning)
{
    checkCol(col);
    m_model->setSortMeaning(col, meaning);
}

void FlexGrid::sortKeepingCurrentRow(int code)
{
    keepingCurrentRow([&] { setSort(code); });
}

void FlexGrid::sortForSearch(int col)
{
    checkCol(col);
    keepingCurrentRow([&] { m_model->sortRowsForSearch(col); });
}

template <class Sort> void FlexGrid::keepingCurrentRow(Sort sort)
{
    const quint32 stored = m_model->cells().storedRow(m_row);
    sort();
    // Looked for only when it moved: a sort already in effect moves nothing.
    m_rowSel =
        m_model->cells().storedRow(m_row) == stored ? m_row : m_model->cells().rowStoredAt(stored);
    moveCurrentCell(m_rowSel, m_col);
}

void FlexGrid::prepareSearchOrders(std::vector<int> cols)
{
    m_model->prepareSearchOrders(std::move(cols));
}

void FlexGrid::preferSearchOrder(int col)
{
    m_model->preferSearchOrder(col);
}

void FlexGrid::waitForSearchOrders()
{
    m_model->waitForSearchOrders();
}

void FlexGrid::setSortIndicator(int col, bool descending)
{
    QHeaderView* heading = m_view->horizontalHeader();
    heading->setSortIndicatorShown(col >= 0);
    if (col >= 0)
        heading->setSortIndicator(col, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

QString FlexGrid::SelectedRowsText() const
{
    QString text;
    const auto appendRow = [&](int row) {
        QStringList cells;
        for (int c = 0; c < Cols(); ++c) {
            if (m_view->isColumnHidden(c))
                continue;
            // A tab or line break inside a cell would split it in the spreadsheet.
            QString cell = m_model->cells().text(row, c);
            cells << cell.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
        }
        text += cells.join(u'\t') + u'\n';
    };
    if (FixedRows() == 1)
        appendRow(0);
    const int last = std::max(m_row, m_rowSel);
    for (int r = std::max(std::min(m_row, m_rowSel), FixedRows()); r <= last; ++r)
        appendRow(r);
    return text;
}

// --- bulk fill

void FlexGrid::beginFill(int cols, qsizetype expectedRows)
{
    if (cols < m_fixedCols)
        throw gridError(InvalidPropertyValue, "Invalid property value");
    m_colWidths.resize(cols, DefaultColWidth);
    m_model->beginFill(cols, expectedRows);
}

void FlexGrid::appendRowUtf8(const std::string_view* cells)
{
    m_model->appendFillRow(cells);
}

void FlexGrid::endFill()
{
    m_model->endFill();
    keepCurrentCellInside();
}

QTableView* FlexGrid::view() const
{
    return m_view;
}

// --- helpers

void FlexGrid::checkRow(int row) const
{
    if (row < 0 || row >= Rows())
        throw gridError(InvalidRowValue, "Invalid Row value");
}

void FlexGrid::checkCol(int col) const
{
    if (col < 0 || col >= Cols())
        throw gridError(InvalidColValue, "Invalid Col value");
}

void FlexGrid::checkAlignment(int code)
{
    if (!grid_alignment::isValidCode(code))
        throw gridError(InvalidPropertyValue, "Invalid property value");
}

int FlexGrid::twipsToPixels(int twips) const
{
    return Twips::toPixels(twips, logicalDpiX());
}

int FlexGrid::pixelsToTwips(int pixels) const
{
    return Twips::fromPixels(pixels, logicalDpiX());
}

void FlexGrid::moveCurrentCell(int row, int col)
{
    const bool moved = row != m_row || col != m_col || !m_highLight;
    m_highLight = true;
    m_row = row;
    m_col = col;
    showSelection();
    if (moved)
        emit EnterCell();
}

void FlexGrid::keepCurrentCellInside()
{
    const int row = std::clamp(m_row, 0, std::max(Rows() - 1, 0));
    const int col = std::clamp(m_col, 0, std::max(Cols() - 1, 0));
    m_rowSel = std::clamp(m_rowSel, 0, std::max(Rows() - 1, 0));
    m_colSel = std::clamp(m_colSel, 0, std::max(Cols() - 1, 0));
    moveCurrentCell(row, col);
}

void FlexGrid::showSelection()
{
    m_view->setFocusRow(m_highLight ? m_row - FixedRows() : -1);
    if (!m_highLight)
        m_delegate->setHighlightedRows(0, -1);
    else
        m_delegate->setHighlightedRows(std::min(m_row, m_rowSel) - FixedRows(),
                                       std::max(m_row, m_rowSel) - FixedRows());
    m_view->viewport()->update();
}

void FlexGrid::showHeading()
{
    m_view->horizontalHeader()->setVisible(FixedRows() == 1);
}

void FlexGrid::columnResized(int col, int pixels)
{
    // A width the user dragged or fitted; a column the user hides by dragging stays shown.
    if (!m_applyingWidths && col < int(m_colWidths.size()) && pixels > 0)
        m_colWidths[col] = pixelsToTwips(pixels);
}

void FlexGrid::applyColumnWidths()
{
    m_applyingWidths = true;
    const auto applied = qScopeGuard([this] { m_applyingWidths = false; });
    QHeaderView* heading = m_view->horizontalHeader();
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const int pixels = twipsToPixels(m_colWidths[c]);
        heading->setSectionHidden(c, pixels == 0);
        if (pixels > 0)
            heading->resizeSection(c, pixels);
    }
}

// --- the user's keys and mouse

void FlexGrid::handleKey(QKeyEvent* event)
{
    int keyCode = key_codes::keyCode(event->key());
    if (keyCode != 0) {
        emit KeyDown(keyCode, key_codes::shiftState(event->modifiers()));
        if (keyCode == 0) { // the handler took the key
            event->accept();
            return;
        }
    }
    if (event->matches(QKeySequence::Copy)) {
        if (m_highLight) // rows that do not look chosen are not copied
            QGuiApplication::clipboard()->setText(SelectedRowsText());
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAllRows();
        event->accept();
        return;
    }
    if (navigate(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    int keyAscii = key_codes::keyAscii(*event);
    if (keyAscii == 0) {
        event->ignore();
        return;
    }
    emit KeyPress(keyAscii);
    // Escape goes on to the window (its cancel button); other characters end here.
    event->setAccepted(event->key() != Qt::Key_Escape);
}

bool FlexGrid::navigate(int key, Qt::KeyboardModifiers modifiers)
{
    const int firstRow = FixedRows();
    const int lastRow = Rows() - 1;
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    // With Shift an up or down move takes the other end of the selection along.
    const bool extend = modifiers.testFlag(Qt::ShiftModifier);
    const int page = wholeRowsShown();
    int row = extend ? m_rowSel : m_row;
    int col = m_col;
    switch (key) {
    case Qt::Key_Up:
        row -= 1;
        break;
    case Qt::Key_Down:
        row += 1;
        break;
    case Qt::Key_PageUp:
        row -= page;
        break;
    case Qt::Key_PageDown:
        row += page;
        break;
    case Qt::Key_Left:
        col = nextShownCol(col - 1, -1);
        break;
    case Qt::Key_Right:
        col = nextShownCol(col + 1, +1);
        break;
    case Qt::Key_Home:
        if (control)
            row = firstRow;
        else
            col = nextShownCol(m_fixedCols, +1);
        break;
    case Qt::Key_End:
        if (control)
            row = lastRow;
        else
            col = nextShownCol(Cols() - 1, -1);
        break;
    default:
        return false;
    }
    if (lastRow < firstRow)
        return true; // no data row to move to
    if (extend && col == m_col) {
        extendSelectionTo(std::clamp(row, firstRow, lastRow));
        return true;
    }
    if (extend)
        row = m_row; // sideways, Shift changes nothing
    m_rowSel = std::clamp(row, firstRow, lastRow);
    m_colSel = col < 0 ? m_col : col;
    moveCurrentCell(m_rowSel, m_colSel);
    scrollToCurrentCell();
    return true;
}

void FlexGrid::extendSelectionTo(int row)
{
    const bool wasHidden = !m_highLight;
    m_highLight = true;
    m_rowSel = row;
    showSelection();
    scrollToCell(row, m_col);
    if (wasHidden)
        emit EnterCell();
}

void FlexGrid::selectAllRows()
{
    if (Rows() <= FixedRows())
        return;
    m_rowSel = Rows() - 1;
    moveCurrentCell(FixedRows(), m_col);
}

int FlexGrid::nextShownCol(int from, int step) const
{
    // The first shown, non-fixed column from `from` on in direction `step`; -1 when none.
    for (int c = from; c >= m_fixedCols && c < Cols(); c += step) {
        if (!m_view->isColumnHidden(c))
            return c;
    }
    return -1;
}

int FlexGrid::wholeRowsShown() const
{
    const int rowHeight = m_view->verticalHeader()->defaultSectionSize();
    return std::max(m_view->viewport()->height() / rowHeight, 1);
}

void FlexGrid::scrollToCurrentCell()
{
    scrollToCell(m_row, m_col);
}

void FlexGrid::scrollToCell(int row, int col)
{
    const int shownRow = row - FixedRows();
    if (!m_view->isColumnHidden(col)) {
        m_view->scrollTo(m_model->index(shownRow, col));
        return;
    }
    QScrollBar* scroll = m_view->verticalScrollBar();
    const int wholeRows = wholeRowsShown();
    if (shownRow < scroll->value())
        scroll->setValue(shownRow);
    else if (shownRow >= scroll->value() + wholeRows)
        scroll->setValue(shownRow - wholeRows + 1);
}

void FlexGrid::handleCellPressed(const QModelIndex& index, Qt::KeyboardModifiers modifiers)
{
    if (index.column() < m_fixedCols)
        return;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        extendSelectionTo(index.row() + FixedRows());
        return;
    }
    m_rowSel = index.row() + FixedRows();
    m_colSel = index.column();
    moveCurrentCell(m_rowSel, m_colSel);
    scrollToCurrentCell();
}

void FlexGrid::handleCellDoubleClicked(const QModelIndex& index)
{
    handleCellPressed(index, Qt::NoModifier);
    emit DblClick();
}
