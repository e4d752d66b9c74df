#pragma once

#include <string>

// The register shows balances in the money format "###,###,##0.00". A large register formats
// two amounts per row, so the text is written straight into the row's UTF-8 bytes instead of
// going through a QString per amount; the result is the text vb::Format gives.
namespace money_text {

// Appends the value in the money format and returns the length of the value's plain text
// (vb::NumberToText), which is what sizes the column.
int appendMoney(std::string& out, double value);

} // namespace money_text
