#include "grid/GridSort.h"

#include "grid/CellNumber.h"
#include "grid/GridCells.h"

#include <QString>

#include <algorithm>
#include <string>
#include <string_view>

namespace {

struct SortKey
{
    double number;
    std::string_view text; // upper case
    quint32 row;
    bool isNumber;
};

bool isAscii(std::string_view utf8)
{
    return std::all_of(utf8.begin(), utf8.end(), [](char ch) { return (ch & 0x80) == 0; });
}

void appendUpper(std::string_view utf8, std::string& out)
{
    if (isAscii(utf8)) {
        for (const char ch : utf8)
            out += ch >= 'a' && ch <= 'z' ? char(ch - 'a' + 'A') : ch;
        return;
    }
    out += QString::fromUtf8(utf8.data(), qsizetype(utf8.size())).toUpper().toStdString();
}

} // namespace

std::vector<quint32> sortedRowOrder(const GridCells& cells, int first, int col, bool descending)
{
    // Every text key is upper-cased once into one buffer, so comparing two keys is a plain
    // byte comparison (the byte order of UTF-8 is the order of character codes).
    std::vector<SortKey> keys;
    keys.reserve(std::max(cells.rows() - first, 0));
    std::vector<std::size_t> textEnds; // in `upper`, one per key; numbers add nothing
    textEnds.reserve(keys.capacity());
    std::string upper;
    for (int r = first; r < cells.rows(); ++r) {
        const std::string_view text = cells.utf8(r, col);
        const auto number = cellNumber(text);
        if (!number)
            appendUpper(text, upper);
        keys.push_back(SortKey{number.value_or(0.0), {}, quint32(r), number.has_value()});
        textEnds.push_back(upper.size());
    }
    std::size_t start = 0;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        keys[k].text = std::string_view(upper).substr(start, textEnds[k] - start);
        start = textEnds[k];
    }

    const auto ascending = [](const SortKey& a, const SortKey& b) {
        if (a.isNumber != b.isNumber)
            return a.isNumber;
        return a.isNumber ? a.number < b.number : a.text < b.text;
    };
    if (descending)
        std::stable_sort(keys.begin(), keys.end(),
                         [&](const SortKey& a, const SortKey& b) { return ascending(b, a); });
    else
        std::stable_sort(keys.begin(), keys.end(), ascending);

    std::vector<quint32> order;
    order.reserve(keys.size());
    for (const SortKey& key : keys)
        order.push_back(key.row);
    return order;
}
