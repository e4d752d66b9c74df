#include "grid/GridSort.h"

#include "grid/GridCells.h"
#include "grid/SortKeyMaker.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace {

// A key is a number or a stretch of one buffer, so a million keys take 16 bytes each.
struct SortKey
{
    struct TextSpan
    {
        quint32 start;
        quint32 length;
    };
    union {
        double number;
        TextSpan text;
    };
    quint32 row;
    bool isNumber;
};
static_assert(sizeof(SortKey) == 16);

// Numbers before texts; texts compare as plain bytes (the byte order of UTF-8 is the order of
// character codes).
class Ascending
{
public:
    explicit Ascending(const std::string& buffer) : m_buffer(buffer) {}
    bool operator()(const SortKey& a, const SortKey& b) const
    {
        if (a.isNumber != b.isNumber)
            return a.isNumber;
        return a.isNumber ? a.number < b.number : textOf(a) < textOf(b);
    }

private:
    std::string_view textOf(const SortKey& key) const
    {
        return std::string_view(m_buffer).substr(key.text.start, key.text.length);
    }
    const std::string& m_buffer;
};

// Every text key is made once, into the buffer.
template <class TextOf>
std::vector<SortKey> keysOf(const std::vector<quint32>& rows, SortMeaning meaning, TextOf textOf,
                            std::string& buffer)
{
    SortKeyMaker maker(meaning);
    std::vector<SortKey> keys;
    keys.reserve(rows.size());
    for (const quint32 row : rows) {
        const auto start = buffer.size();
        const auto number = maker.key(textOf(row), buffer);
        SortKey key{};
        if (number)
            key.number = *number;
        else
            key.text = {quint32(start), quint32(buffer.size() - start)};
        key.row = row;
        key.isNumber = number.has_value();
        keys.push_back(key);
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
    const Ascending ascending(buffer);
    if (descending)
        std::stable_sort(keys.begin(), keys.end(),
                         [&](const SortKey& a, const SortKey& b) { return ascending(b, a); });
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
        const Ascending ascending(buffer);
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
