// Sorting the register on a chosen column and finding an issue by the start of a value.
#include "register/FrmMaster.h"

#include "platform/grid/FlexGrid.h"
#include "platform/runtime/Conversions.h"
#include "register/GridPrefixSearch.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

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
    // A date column is ordered by issue id, that is by order of entry, not by its text.
    const int col = cboColNames->currentText().contains(u"date", Qt::CaseInsensitive)
                        ? 0
                        : cboColNames->currentData().toInt();
    flexMaster->setCol(col);
    flexMaster->setColSel(col);
    flexMaster->setSort(optAscend->isChecked() ? GenericAscending : GenericDescending);
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
    flexMaster->setSort(GenericAscending); // free when the grid is already in that order

    const int found = GridPrefixSearch(*flexMaster, col).firstRowStartingWith(txtsearch->text());
    if (found == 0)
        return;
    flexMaster->setRow(found);
    flexMaster->setCol(0);
    flexMaster->setColSel(flexMaster->Cols() - 1);
    flexMaster->setTopRow(found);
}
