#include "platform/grid/CellNumber.h"

#include "platform/runtime/Conversions.h"

#include <QString>

namespace {

bool mayBeNumber(std::string_view utf8)
{
    bool digit = false;
    for (const char ch : utf8) {
        if (ch >= '0' && ch <= '9')
            digit = true;
        else if (std::string_view(" +-,.eE").find(ch) == std::string_view::npos)
            return false;
    }
    return digit;
}

} // namespace

std::optional<double> cellNumber(std::string_view utf8)
{
    if (!mayBeNumber(utf8))
        return std::nullopt;
    const QString text = QString::fromLatin1(utf8.data(), qsizetype(utf8.size()));
    if (!vb::IsNumeric(text))
        return std::nullopt;
    return vb::NumericValue(text);
}
