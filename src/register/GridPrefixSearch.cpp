#include "register/GridPrefixSearch.h"

#include "grid/FlexGrid.h"
#include "runtime/Conversions.h"

GridPrefixSearch::GridPrefixSearch(const FlexGrid& grid, int col) : m_grid(grid), m_col(col) {}

int GridPrefixSearch::firstRowStartingWith(const QString& typed) const
{
    int low = 1;
    int high = m_grid.Rows() - 1;
    if (high < low)
        return 0;
    const bool numbers = vb::IsNumeric(m_grid.TextMatrix(low + (high - low) / 2, m_col));
    const qsizetype n = typed.size();
    const QString s = vb::Trim(typed);
    const double number = vb::Val(s);
    const QString text = s.toUpper();

    int found = 0;
    while (low <= high) {
        const int mid = low + (high - low) / 2;
        const QString cell = vb::Trim(m_grid.TextMatrix(mid, m_col)).left(n);
        int order = 0; // of the cell's leading part against the typed text
        if (numbers) {
            const double p = vb::Val(cell);
            order = p > number ? 1 : (p < number ? -1 : 0);
        } else {
            order = QString::compare(cell.toUpper(), text, Qt::CaseSensitive);
        }
        if (order > 0) {
            high = mid - 1;
        } else if (order < 0) {
            low = mid + 1;
        } else {
            found = mid;
            high = mid - 1; // an earlier row may match too
        }
    }
    return found;
}
