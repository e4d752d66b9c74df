#pragma once

#include "ostrelplatform_export.h"

// A register of a million issues holds some 150 MB in buffers of a few megabytes each, and
// preparing its search orders takes tens more for a moment. The C library serves such buffers
// from mapped memory, which goes back to the system when freed, until the first one is freed:
// then it raises that bound to the buffer's size and serves later ones from its heaps, whose
// freed pages it keeps. A register closed and opened again would stand on top of the last one's
// memory (235 MB at a million issues instead of 180). A host that shows large registers calls
// this once, at its start, to keep the bound where it is.
namespace LargeBuffers {

OSTRELPLATFORM_EXPORT void returnToTheSystemWhenFreed();

} // namespace LargeBuffers
