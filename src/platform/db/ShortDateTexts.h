#pragma once

#include <QtGlobal>

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ado {

// Stored dates (ISO text) in the system's short date form. A register has a few thousand
// distinct dates over many rows, so each is converted once.
class ShortDateTexts
{
public:
    // The short date for a stored value that holds a date, nothing for one that does not.
    std::optional<std::string_view> textOf(std::string_view stored);

private:
    std::unordered_map<quint32, std::optional<std::string>> m_known;
    std::string m_scratch;
};

} // namespace ado
