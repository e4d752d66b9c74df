#include "register/GridPrefixSearch.h"

#include "grid/CellNumber.h"
#include "grid/FlexGrid.h"
#include "grid/SortKeyMaker.h"
#include "runtime/Conversions.h"
#include "runtime/ShortDate.h"

#include <string_view>

using namespace Qt::StringLiterals;

namespace {

std::string utf8Of(const QString& text)
{
    return text.toStdString();
}

int compareNumbers(double cell, double sought)
{
    return cell < sought ? -1 : (cell > sought ? 1 : 0);
}

} // namespace

GridPrefixSearch::GridPrefixSearch(const FlexGrid& grid, int col) : m_grid(grid), m_col(col)
{
    switch (grid.ColSortMeaning(col)) {
    case SortMeaning::PrefixNumber:
        m_reading = Reading::IssueNumber;
        break;
    case SortMeaning::Date:
        m_reading = Reading::Date;
        break;
    case SortMeaning::Generic:
        // A column of amounts (numbers sort before texts, so the first row holds one if any).
        if (grid.Rows() > 1 && cellNumber(utf8Of(grid.TextMatrix(1, col))))
            m_reading = Reading::Amount;
        break;
    }
}

QString GridPrefixSearch::soughtValue(const QString& typed) const
{
    if (m_reading == Reading::Amount) {
        if (const auto amount = cellNumber(utf8Of(typed)))
            return vb::Format(*amount, u"###,###,##0.00");
    } else if (m_reading == Reading::Date) {
        const QDate date = ShortDate::parse(typed);
        if (date.isValid())
            return ShortDate::format(date);
    }
    return QString();
}

GridPrefixSearch::Sought GridPrefixSearch::sought(const QString& typed) const
{
    const QString trimmed = vb::Trim(typed);
    Sought sought{{}, 0, typed.size(), !trimmed.isEmpty()};
    switch (m_reading) {
    case Reading::Text:
        sought.key = utf8Of(trimmed.toUpper());
        break;
    case Reading::IssueNumber:
        sought.key = SortKeyMaker::prefixNumberSearchKey(utf8Of(trimmed));
        break;
    case Reading::Date:
    case Reading::Amount: {
        // Sought as the grid would show it, so an amount is rounded to the cent as cells are.
        const QString shown = soughtValue(trimmed);
        std::string unused;
        SortKeyMaker values(m_reading == Reading::Date ? SortMeaning::Date : SortMeaning::Generic);
        const auto value = values.key(utf8Of(shown), unused);
        sought.readable = value.has_value();
        sought.value = value.value_or(0);
        break;
    }
    }
    return sought;
}

int GridPrefixSearch::order(int row, const Sought& sought) const
{
    const QString cell = vb::Trim(m_grid.TextMatrix(row, m_col));
    switch (m_reading) {
    case Reading::Text:
        return utf8Of(cell.left(sought.typedLength).toUpper()).compare(sought.key);
    case Reading::IssueNumber: {
        std::string key;
        SortKeyMaker(SortMeaning::PrefixNumber).key(utf8Of(cell), key);
        return std::string_view(key).substr(0, sought.key.size()).compare(sought.key);
    }
    case Reading::Date:
    case Reading::Amount: {
        // Cells that hold no value sort after those that do.
        std::string unused;
        const auto value =
            SortKeyMaker(m_reading == Reading::Date ? SortMeaning::Date : SortMeaning::Generic)
                .key(utf8Of(cell), unused);
        return value ? compareNumbers(*value, sought.value) : 1;
    }
    }
    return 0;
}

int GridPrefixSearch::firstRowStartingWith(const QString& typed) const
{
    int low = 1;
    int high = m_grid.Rows() - 1;
    const Sought s = sought(typed);
    if (high < low || !s.readable)
        return 0;
    int found = 0;
    while (low <= high) {
        const int mid = low + (high - low) / 2;
        const int cellOrder = order(mid, s);
        if (cellOrder > 0) {
            high = mid - 1;
        } else if (cellOrder < 0) {
            low = mid + 1;
        } else {
            found = mid;
            high = mid - 1; // an earlier row may match too
        }
    }
    return found;
}
