#include "runtime/LargeBuffers.h"

#include <malloc.h>

namespace LargeBuffers {

void returnToTheSystemWhenFreed()
{
    // A fixed bound also keeps the heaps' own trimming at its default.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
}

} // namespace LargeBuffers
