// Sorting the register on a chosen column or heading, and finding an issue by the start of a
// value.
#include "register/FrmMaster.h"

#include "grid/FlexGrid.h"
#include "register/GridPrefixSearch.h"
#include "runtime/Conversions.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

constexpr int GenericAscending = 1;
constexpr int GenericDescending = 2;

// The hourglass over the whole screen while the grid reorders.
class ScreenBusy
{
public:
    ScreenBusy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~ScreenBusy() { QApplication::restoreOverrideCursor(); }
    ScreenBusy(const ScreenBusy&) = delete;
    ScreenBusy& operator=(const ScreenBusy&) = delete;
};

} // namespace

void FrmMaster::cboColNames_Click()
{
    const ScreenBusy busy;
    if (cboColNames->currentIndex() < 0)
        return;
    sortOnHeading(cboColNames->currentData().toInt(), cboColNames->currentText(),
                  !optAscend->isChecked());
}

void FrmMaster::flexMaster_HeadingClick(int col)
{
    const ScreenBusy busy;
    // A second click on the heading the list is ordered by reverses the order.
    const bool descending = col == m_sortHeading && !m_sortDescending;
    {
        // The Browse frame shows the same choice without acting on it.
        const QSignalBlocker quietColumns(cboColNames);
        const QSignalBlocker quietAscend(optAscend);
        const QSignalBlocker quietDescend(optDescend);
        cboColNames->setCurrentIndex(cboColNames->findData(col));
        (descending ? optDescend : optAscend)->setChecked(true);
    }
    sortOnHeading(col, flexMaster->TextMatrix(0, col), descending);
}

void FrmMaster::sortOnHeading(int col, const QString& heading, bool descending)
{
    // A date column is ordered by issue id, that is by order of entry, not by its text.
    const int sortCol = heading.contains(u"date", Qt::CaseInsensitive) ? 0 : col;
    flexMaster->setCol(sortCol);
    flexMaster->setColSel(sortCol);
    flexMaster->sortKeepingCurrentRow(descending ? GenericDescending : GenericAscending);
    showSortOrder(col, descending);
    selectCurrentIssue();
}

void FrmMaster::showSortOrder(int col, bool descending)
{
    m_sortHeading = col;
    m_sortDescending = descending;
    flexMaster->setSortIndicator(col, descending);
}

void FrmMaster::selectCurrentIssue()
{
    const int row = flexMaster->Row();
    flexMaster->setCol(0);
    flexMaster->setColSel(flexMaster->Cols() - 1);
    if (!flexMaster->RowIsVisible(row))
        flexMaster->setTopRow(row);
    flexMaster_EnterCell();
}

void FrmMaster::optAscend_Click()
{
    cboColNames->setCurrentIndex(-1);
}

void FrmMaster::optDescend_Click()
{
    cboColNames->setCurrentIndex(-1);
}

void FrmMaster::txtsearch_KeyUp()
{
    if (cboSearch->currentIndex() >= 0 && !vb::Trim(txtsearch->text()).isEmpty())
        SearchGrid();
}

void FrmMaster::SearchGrid()
{
    if (cboSearch->currentIndex() < 0)
        return;
    const int col = cboSearch->currentData().toInt();
    flexMaster->setCol(col);
    flexMaster->setColSel(col);
    // Free when the grid is already in that order; the selected issue stays selected until a
    // match is found.
    flexMaster->sortKeepingCurrentRow(GenericAscending);
    showSortOrder(col, false);

    const int found = GridPrefixSearch(*flexMaster, col).firstRowStartingWith(txtsearch->text());
    if (found == 0) {
        selectCurrentIssue();
        return;
    }
    flexMaster->setRow(found);
    flexMaster->setCol(0);
    flexMaster->setColSel(flexMaster->Cols() - 1);
    flexMaster->setTopRow(found);
}
