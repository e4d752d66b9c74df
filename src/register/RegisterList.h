#pragma once

#include <QtGlobal>

// The register's list: its last column says whether the issue is cancelled ("Yes"), and the
// rows of cancelled issues are shown in red.
namespace RegisterList {

inline constexpr int CancelledColumn = 7;
inline constexpr quint32 CancelledColour = 255; // pure red, as 0x00BBGGRR

} // namespace RegisterList
