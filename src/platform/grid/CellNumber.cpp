#include "grid/CellNumber.h"

#include "runtime/Conversions.h"

#include <QString>

#include <charconv>

namespace {

bool isDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

std::string_view trimmedOfBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// The cell's number without its group separators, when its text has the shape IsNumeric
// accepts; nothing otherwise. Numbers longer than the buffer are left to the slow path.
std::optional<std::string_view> numberShape(std::string_view text, char (&buffer)[64])
{
    std::size_t i = 0;
    std::size_t out = 0;
    const auto keep = [&](char ch) {
        if (out < sizeof buffer)
            buffer[out] = ch;
        ++out;
    };
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-')
            keep('-');
        ++i;
    }
    int digits = 0;
    for (; i < text.size() && (isDigit(text[i]) || text[i] == ','); ++i) {
        if (text[i] != ',') {
            keep(text[i]);
            ++digits;
        }
    }
    if (i < text.size() && text[i] == '.') {
        keep('.');
        for (++i; i < text.size() && isDigit(text[i]); ++i) {
            keep(text[i]);
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        keep('e');
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            keep(text[i++]);
        if (i == text.size() || !isDigit(text[i]))
            return std::nullopt;
        for (; i < text.size() && isDigit(text[i]); ++i)
            keep(text[i]);
    }
    if (i != text.size())
        return std::nullopt;
    return std::string_view(buffer, out);
}

} // namespace

std::optional<double> cellNumber(std::string_view utf8)
{
    char buffer[64];
    const auto number = numberShape(trimmedOfBlanks(utf8), buffer);
    if (!number)
        return std::nullopt;
    double value = 0.0;
    if (number->size() <= sizeof buffer) {
        const char* end = number->data() + number->size();
        const auto [stop, error] = std::from_chars(number->data(), end, value);
        if (error == std::errc() && stop == end)
            return value;
    }
    // Very long numbers, and values beyond the range of a double, as the conversions read them.
    return vb::NumericValue(QString::fromLatin1(utf8.data(), qsizetype(utf8.size())));
}
