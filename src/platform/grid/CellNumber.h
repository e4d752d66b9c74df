#pragma once

#include "ostrelplatform_export.h"

#include <optional>
#include <string_view>

// The grid's number test on a stored cell: the value of a cell that passes vb::IsNumeric
// (blanks around, a sign, digits with ',' group separators, one '.', an exponent). The test
// is made on the UTF-8 bytes, so sorting and aligning a million cells builds no QString.
OSTRELPLATFORM_EXPORT std::optional<double> cellNumber(std::string_view utf8);
