#include "grid/GridSort.h"

#include "grid/GridCells.h"
#include "grid/SortKeyMaker.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace {

struct SortKey
{
    double number;
    std::string_view text;
    quint32 row;
    bool isNumber;
};

bool ascending(const SortKey& a, const SortKey& b)
{
    if (a.isNumber != b.isNumber)
        return a.isNumber;
    return a.isNumber ? a.number < b.number : a.text < b.text;
}

// Every text key is made once into one buffer, so comparing two keys is a plain byte
// comparison (the byte order of UTF-8 is the order of character codes).
template <class TextOf>
std::vector<SortKey> keysOf(const std::vector<quint32>& rows, SortMeaning meaning, TextOf textOf,
                            std::string& buffer)
{
    SortKeyMaker maker(meaning);
    std::vector<SortKey> keys;
    keys.reserve(rows.size());
    std::vector<std::size_t> textEnds; // in `buffer`, one per key; numbers add nothing
    textEnds.reserve(rows.size());
    for (const quint32 row : rows) {
        const auto number = maker.key(textOf(row), buffer);
        keys.push_back(SortKey{number.value_or(0.0), {}, row, number.has_value()});
        textEnds.push_back(buffer.size());
    }
    std::size_t start = 0;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        keys[k].text = std::string_view(buffer).substr(start, textEnds[k] - start);
        start = textEnds[k];
    }
    return keys;
}

std::vector<quint32> rowsOf(const std::vector<SortKey>& keys)
{
    std::vector<quint32> rows;
    rows.reserve(keys.size());
    for (const SortKey& key : keys)
        rows.push_back(key.row);
    return rows;
}

struct Stopped
{
};

} // namespace

std::vector<quint32> sortedRowOrder(const GridCells& cells, int first, int col, SortMeaning meaning,
                                    bool descending)
{
    std::vector<quint32> rows;
    rows.reserve(std::max(cells.rows() - first, 0));
    for (int r = first; r < cells.rows(); ++r)
        rows.push_back(quint32(r));
    std::string buffer;
    std::vector<SortKey> keys = keysOf(
        rows, meaning, [&](quint32 r) { return cells.utf8(int(r), col); }, buffer);
    if (descending)
        std::stable_sort(keys.begin(), keys.end(),
                         [](const SortKey& a, const SortKey& b) { return ascending(b, a); });
    else
        std::stable_sort(keys.begin(), keys.end(), ascending);
    return rowsOf(keys);
}

std::optional<std::vector<quint32>> storedRowsAscending(const GridCells& cells,
                                                        const std::vector<quint32>& storedRows,
                                                        int col, SortMeaning meaning,
                                                        const std::atomic<bool>& stop)
{
    // Neither the keys nor the sort can be paused, so both look at `stop` now and then and leave.
    quint32 steps = 0;
    const auto stopAsked = [&] { return ++steps % 65536 == 0 && stop; };
    try {
        std::string buffer;
        std::vector<SortKey> keys = keysOf(
            storedRows, meaning,
            [&](quint32 stored) {
                if (stopAsked())
                    throw Stopped();
                return cells.storedUtf8(stored, col);
            },
            buffer);
        std::stable_sort(keys.begin(), keys.end(), [&](const SortKey& a, const SortKey& b) {
            if (stopAsked())
                throw Stopped();
            return ascending(a, b);
        });
        return rowsOf(keys);
    } catch (const Stopped&) {
        return std::nullopt;
    }
}
