#include "grid/SortKeyMaker.h"

#include "grid/CellNumber.h"
#include "runtime/ShortDate.h"

#include <QString>

#include <algorithm>

namespace {

// Ends the letters of an issue number, before its number and before what follows the number;
// below every character a number's letters can hold, so ADV comes before ADVX.
constexpr char PartEnd = '\x01';
// A number's digits are preceded by their count, so numbers of any length order by value.
constexpr int DigitCountBase = 0x20;
constexpr int MostDigitsCounted = 0x7F - DigitCountBase;

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

std::string_view trimmedOfBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool isDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// The letters upper-cased, then (after PartEnd) the number's digit count and digits without
// leading zeros, then (after PartEnd) whatever follows the number. A text with no digit ends
// with PartEnd unless it is the open-ended start of a search.
void appendPrefixNumberKey(std::string_view utf8, std::string& out, bool openEnded)
{
    const std::string_view text = trimmedOfBlanks(utf8);
    const auto digit = std::find_if(text.begin(), text.end(), isDigit);
    appendUpper(text.substr(0, std::size_t(digit - text.begin())), out);
    if (digit == text.end()) {
        if (!openEnded)
            out += PartEnd;
        return;
    }
    out += PartEnd;
    const auto digitsEnd = std::find_if_not(digit, text.end(), isDigit);
    const auto significant = std::find_if(digit, digitsEnd, [](char ch) { return ch != '0'; });
    const auto count = std::min<std::ptrdiff_t>(digitsEnd - significant, MostDigitsCounted);
    out += char(DigitCountBase + count);
    out.append(significant, digitsEnd);
    if (digitsEnd != text.end()) {
        out += PartEnd;
        appendUpper(text.substr(std::size_t(digitsEnd - text.begin())), out);
    }
}

} // namespace

std::optional<double> SortKeyMaker::key(std::string_view utf8, std::string& text)
{
    switch (m_meaning) {
    case SortMeaning::PrefixNumber:
        appendPrefixNumberKey(utf8, text, false);
        return std::nullopt;
    case SortMeaning::Date:
        if (const auto day = dateKey(utf8))
            return day;
        break;
    case SortMeaning::Generic:
        if (const auto number = cellNumber(utf8))
            return number;
        break;
    }
    appendUpper(utf8, text);
    return std::nullopt;
}

std::string SortKeyMaker::prefixNumberSearchKey(std::string_view utf8)
{
    std::string key;
    appendPrefixNumberKey(utf8, key, true);
    return key;
}

std::optional<double> SortKeyMaker::dateKey(std::string_view utf8)
{
    auto known = m_dates.find(utf8);
    if (known == m_dates.end()) {
        const QDate date = ShortDate::parse(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
        std::optional<double> day;
        if (date.isValid())
            day = double(date.toJulianDay());
        known = m_dates.emplace(std::string(utf8), day).first;
    }
    return known->second;
}
