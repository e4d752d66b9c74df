#include "grid/GridAlignment.h"

namespace grid_alignment {

Qt::Alignment toQt(int code, bool cellIsNumber)
{
    if (code == General)
        return (cellIsNumber ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    static constexpr Qt::AlignmentFlag horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                       Qt::AlignRight};
    static constexpr Qt::AlignmentFlag vertical[] = {Qt::AlignTop, Qt::AlignVCenter,
                                                     Qt::AlignBottom};
    return horizontal[code / 3] | vertical[code % 3];
}

} // namespace grid_alignment
