#pragma once

#include <optional>
#include <string_view>

// The grid's number test on a stored cell: the value of a cell that passes vb::IsNumeric.
// That test accepts only blanks, signs, digits, separators and an exponent, so most texts are
// turned away by a glance at their bytes, without building a QString.
std::optional<double> cellNumber(std::string_view utf8);
