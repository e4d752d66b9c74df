#pragma once

#include "grid/SortMeaning.h"
#include "ostrelplatform_export.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// Turns cells into the keys the grid orders them by under a meaning: a number, which comes
// before every text, or an upper-case text compared by its UTF-8 bytes (the order of character
// codes). Dates repeat over a large register, so each distinct text is read once.
class OSTRELPLATFORM_EXPORT SortKeyMaker
{
public:
    explicit SortKeyMaker(SortMeaning meaning) : m_meaning(meaning) {}

    // The cell's number when it orders as a number; otherwise appends its text key to `text`.
    std::optional<double> key(std::string_view utf8, std::string& text);

    // The text key of a typed prefix of an issue number: the key of every cell that begins with
    // what was typed, letter for letter and number for number, begins with it.
    static std::string prefixNumberSearchKey(std::string_view utf8);

private:
    std::optional<double> dateKey(std::string_view utf8);

    // Looked up by the cell's bytes without making a string of them.
    struct TextHash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const
        {
            return std::hash<std::string_view>()(text);
        }
    };

    SortMeaning m_meaning;
    std::unordered_map<std::string, std::optional<double>, TextHash, std::equal_to<>> m_dates;
};
