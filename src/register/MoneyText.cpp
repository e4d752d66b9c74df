#include "register/MoneyText.h"

#include "runtime/Conversions.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace money_text {

namespace {

// Below this every step works on whole cents in 64 bits; beyond it (and for NaN or infinity) the
// general formatter is used.
constexpr double FastLimit = 1e11;

void appendGrouped(std::string& out, std::int64_t whole)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, whole).ptr;
    const auto count = std::size_t(end - digits);
    std::size_t lead = count % 3 == 0 ? 3 : count % 3;
    out.append(digits, lead);
    for (std::size_t at = lead; at < count; at += 3) {
        out.push_back(',');
        out.append(digits + at, 3);
    }
}

std::int64_t wholeNumber(const char* begin, const char* end)
{
    std::int64_t whole = 0;
    std::from_chars(begin, end, whole);
    return whole;
}

// The number of decimal digits of a whole number, at least one.
int digitCount(std::int64_t whole)
{
    int count = 1;
    for (; whole >= 10; whole /= 10)
        ++count;
    return count;
}

void appendCents(std::string& out, double value, std::int64_t cents)
{
    if (value < 0.0 && cents != 0)
        out.push_back('-');
    appendGrouped(out, cents / 100);
    const auto fraction = int(cents % 100);
    out.push_back('.');
    out.push_back(char('0' + fraction / 10));
    out.push_back(char('0' + fraction % 10));
}

} // namespace

int appendMoney(std::string& out, double value)
{
    const double magnitude = std::fabs(value);
    if (!(magnitude < FastLimit)) {
        out += vb::Format(value, u"###,###,##0.00").toStdString();
        return int(vb::NumberToText(value).size());
    }
    // Most amounts are whole cents: the double nearest to a decimal of at most two places. Its
    // fifteen significant digits give back that decimal, so the cents are the text.
    const double wholeCents = std::nearbyint(magnitude * 100);
    if (wholeCents / 100 == magnitude) {
        const auto cents = std::int64_t(wholeCents);
        appendCents(out, value, cents);
        if (cents == 0)
            return 1;
        const int decimals = cents % 100 == 0 ? 0 : (cents % 10 == 0 ? 1 : 2);
        return (value < 0.0 ? 1 : 0) + digitCount(cents / 100) + (decimals ? decimals + 1 : 0);
    }
    // Otherwise rounded to cents as every amount is, by the one rounding of vb::Format.
    char shortest[32];
    const auto shortestEnd = std::to_chars(shortest, shortest + sizeof shortest, magnitude,
                                           std::chars_format::general, 15)
                                 .ptr;
    const std::string cents = vb::RoundedDigits(magnitude, 2);
    appendCents(out, value, wholeNumber(cents.data(), cents.data() + cents.size()));
    return int(shortestEnd - shortest) + (value < 0.0 ? 1 : 0);
}

} // namespace money_text
