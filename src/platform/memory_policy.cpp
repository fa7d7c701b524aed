// KeepFreedMemoryForReuse on the C library's allocator.
#include "platform/memory_policy.h"

#include <cstddef>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tnq {

void KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
    // Blocks below 32 MB come from the heap, whose free top is given back
    // only beyond 64 MB: by default every block from 128 kB on is a mapping
    // of its own, and the heap's top is given back from a few megabytes on,
    // so that a command that walks 96 tracks asks the system for fresh pages
    // at every track.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

} // namespace tnq
