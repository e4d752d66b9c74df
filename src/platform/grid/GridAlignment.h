#pragma once

#include <Qt>

// The alignment codes of the classic grid: 0 left-top, 1 left-centre, 2 left-bottom,
// 3 centre-top, 4 centre-centre, 5 centre-bottom, 6 right-top, 7 right-centre, 8 right-bottom,
// and 9 general (text left-centre, numbers right-centre), which a new grid starts with.
namespace grid_alignment {

constexpr int General = 9;

constexpr bool isValidCode(int code)
{
    return code >= 0 && code <= General;
}

Qt::Alignment toQt(int code, bool cellIsNumber);

} // namespace grid_alignment
