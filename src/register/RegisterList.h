#pragma once

#include <QtGlobal>

// The register's list: its last column says whether the issue is cancelled ("Yes"), and the
// rows of cancelled issues are shown in red. Issue numbers order by their letters and then their
// number, dates by date.
namespace RegisterList {

inline constexpr int IssueNumberColumn = 1;
inline constexpr int DateColumn = 2;
inline constexpr int EmployeeNameColumn = 3;
inline constexpr int CancelledColumn = 7;
inline constexpr quint32 CancelledColour = 255; // pure red, as 0x00BBGGRR

} // namespace RegisterList
