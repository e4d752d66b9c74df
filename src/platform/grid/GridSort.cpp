#include "platform/grid/GridSort.h"

#include "platform/grid/CellNumber.h"
#include "platform/grid/GridCells.h"

#include <QString>

#include <algorithm>
#include <deque>
#include <string>
#include <string_view>

namespace {

struct SortKey
{
    double number;
    std::string_view text; // upper case already, or ASCII to be upper-cased while comparing
    quint32 row;
    bool isNumber;
};

char upperAscii(char ch)
{
    return ch >= 'a' && ch <= 'z' ? char(ch - 'a' + 'A') : ch;
}

bool isAscii(std::string_view utf8)
{
    return std::all_of(utf8.begin(), utf8.end(), [](char ch) { return (ch & 0x80) == 0; });
}

// Byte order of UTF-8 is the order of character codes.
int compareUpper(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(upperAscii(a[i]));
        const auto cb = static_cast<unsigned char>(upperAscii(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool ascending(const SortKey& a, const SortKey& b)
{
    if (a.isNumber != b.isNumber)
        return a.isNumber;
    if (a.isNumber)
        return a.number < b.number;
    return compareUpper(a.text, b.text) < 0;
}

} // namespace

std::vector<quint32> sortedRowOrder(const GridCells& cells, int first, int col, bool descending)
{
    std::vector<SortKey> keys;
    keys.reserve(std::max(cells.rows() - first, 0));
    std::deque<std::string> upperTexts; // a deque keeps the texts where the keys point
    for (int r = first; r < cells.rows(); ++r) {
        const std::string_view text = cells.utf8(r, col);
        SortKey key{0.0, text, quint32(r), false};
        if (const auto number = cellNumber(text)) {
            key.number = *number;
            key.isNumber = true;
        } else if (!isAscii(text)) {
            upperTexts.push_back(
                QString::fromUtf8(text.data(), qsizetype(text.size())).toUpper().toStdString());
            key.text = upperTexts.back();
        }
        keys.push_back(key);
    }
    if (descending)
        std::stable_sort(keys.begin(), keys.end(),
                         [](const SortKey& a, const SortKey& b) { return ascending(b, a); });
    else
        std::stable_sort(keys.begin(), keys.end(), ascending);
    std::vector<quint32> order;
    order.reserve(keys.size());
    for (const SortKey& key : keys)
        order.push_back(key.row);
    return order;
}
