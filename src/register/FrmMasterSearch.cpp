// Sorting the register on a chosen column or heading, and finding an issue by the start of a
// value.
#include "register/FrmMaster.h"

#include "grid/FlexGrid.h"
#include "register/GridPrefixSearch.h"
#include "register/RegisterList.h"
#include "runtime/Conversions.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

using namespace Qt::StringLiterals;

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
    sortOnHeading(cboColNames->currentData().toInt(), !optAscend->isChecked());
}

void FrmMaster::flexMaster_HeadingClick(int col)
{
    const ScreenBusy busy;
    // A second click on the heading the list is ordered by reverses the order.
    const bool descending = col == m_sortHeading && !m_sortDescending;
    sortOnHeading(col, descending);
}

void FrmMaster::sortOnHeading(int col, bool descending)
{
    // Each column orders by its meaning: dates by date, issue numbers by letters then number.
    flexMaster->setCol(col);
    flexMaster->setColSel(col);
    flexMaster->sortKeepingCurrentRow(descending ? GenericDescending : GenericAscending);
    showSortOrder(col, descending);
    selectCurrentIssue();
}

void FrmMaster::showSortOrder(int col, bool descending)
{
    m_sortHeading = col;
    m_sortDescending = descending;
    flexMaster->setSortIndicator(col, descending);
    // The Browse frame shows the order in effect without acting on it.
    const QSignalBlocker quietColumns(cboColNames);
    const QSignalBlocker quietAscend(optAscend);
    const QSignalBlocker quietDescend(optDescend);
    cboColNames->setCurrentIndex(cboColNames->findData(col));
    (descending ? optDescend : optAscend)->setChecked(true);
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

void FrmMaster::prepareSearchOrders()
{
    // Worked out on the second core while the clerk reads the list, the employee's name first,
    // as it is searched most.
    std::vector<int> columns{RegisterList::EmployeeNameColumn};
    for (int i = 0; i < cboSearch->count(); ++i) {
        if (cboSearch->itemData(i).toInt() != RegisterList::EmployeeNameColumn)
            columns.push_back(cboSearch->itemData(i).toInt());
    }
    flexMaster->prepareSearchOrders(std::move(columns));
}

void FrmMaster::cboSearch_Click()
{
    // The chosen column's order is prepared next, if it is not ready yet.
    if (cboSearch->currentIndex() >= 0)
        flexMaster->preferSearchOrder(cboSearch->currentData().toInt());
    // What a search found nothing for no longer stands once another column is chosen.
    if (m_searchMissShown)
        endSearchMiss();
}

void FrmMaster::txtsearch_KeyUp()
{
    if (cboSearch->currentIndex() >= 0 && !vb::Trim(txtsearch->text()).isEmpty())
        SearchGrid();
    else if (m_searchMissShown)
        endSearchMiss();
}

void FrmMaster::SearchGrid()
{
    if (cboSearch->currentIndex() < 0)
        return;
    const int col = cboSearch->currentData().toInt();
    {
        // Free when the grid is already in that order, and without a sort once the order
        // prepared after the load is ready. The selected issue stays the current one, so the row
        // rule need not run until the search has landed.
        const QSignalBlocker sameIssue(flexMaster);
        flexMaster->setCol(col);
        flexMaster->setColSel(col);
        flexMaster->sortForSearch(col);
    }
    showSortOrder(col, false);

    const GridPrefixSearch search(*flexMaster, col);
    const int found = search.firstRowStartingWith(txtsearch->text());
    if (found == 0) {
        showSearchMiss(search);
        return;
    }
    flexMaster->setRow(found);
    flexMaster->setCol(0);
    flexMaster->setColSel(flexMaster->Cols() - 1);
    flexMaster->setTopRow(found);
    if (m_searchMissShown)
        endSearchMiss();
}

void FrmMaster::showSearchMiss(const GridPrefixSearch& search)
{
    // No row looks found, and nothing acts on a row the clerk cannot see chosen.
    flexMaster->hideHighLight();
    CmdEdit->setEnabled(false);
    CmdDelete->setEnabled(false);
    cmdPreview->setEnabled(false);

    const QString heading = cboSearch->currentText();
    const QString typed = vb::Trim(txtsearch->text());
    const QString value = search.soughtValue(typed);
    QString line;
    switch (search.reading()) {
    case GridPrefixSearch::Reading::Text:
    case GridPrefixSearch::Reading::IssueNumber:
        line = u"No issue's %1 begins with '%2'"_s.arg(heading, txtsearch->text());
        break;
    case GridPrefixSearch::Reading::Amount:
        line = value.isEmpty() ? u"'%1' is not an amount"_s.arg(typed)
                               : u"No issue's %1 is %2"_s.arg(heading, value);
        break;
    case GridPrefixSearch::Reading::Date:
        line = value.isEmpty() ? u"'%1' is not a date"_s.arg(typed)
                               : u"No issue's %1 is %2"_s.arg(heading, value);
        break;
    }
    lblSearchResult->setText(line);
    if (!m_searchMissShown) {
        txtsearch->setStyleSheet(u"QLineEdit { background: #ffe4e1; }"_s);
        m_searchMissShown = true;
    }
}

void FrmMaster::endSearchMiss()
{
    m_searchMissShown = false;
    lblSearchResult->clear();
    txtsearch->setStyleSheet(QString());
    if (!flexMaster->TextMatrix(1, 0).isEmpty())
        cmdPreview->setEnabled(holdsRight(u"P"_s));
    if (flexMaster->HighLight())
        applyRowRule(flexMaster->Row());
    else
        flexMaster->setRow(flexMaster->Row()); // highlighted again, with the row rule
}
