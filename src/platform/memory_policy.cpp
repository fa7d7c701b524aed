// KeepFreedMemoryForReuse on the C library's allocator.
#include "platform/memory_policy.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace tnq {

namespace {

#if defined(__GLIBC__)
constexpr std::size_t kLargePage = std::size_t{2} << 20;
// How far the heap reaches ahead of what it holds: address space only, the
// system gives a page when it is first written.
constexpr std::size_t kHeapReach = std::size_t{256} << 20;

// The heap from its first whole large page on may be given in large pages.
void HeapInLargePages() {
    // The heap grows now, by its reach, with a block larger than its free
    // top (and small enough for the heap).
    if (const std::size_t top = mallinfo2().keepcost; top < (std::size_t{8} << 20)) {
        void* volatile grown = std::malloc(top + (std::size_t{1} << 20));
        std::free(grown);
    }
    const std::size_t arena = mallinfo2().arena;
    const auto end = reinterpret_cast<std::uintptr_t>(::sbrk(0));
    // Another allocator in place of the library's (a sanitizer) has no heap.
    if (arena == 0 || end < arena) return;
    const std::uintptr_t start = (end - arena + kLargePage - 1) / kLargePage * kLargePage;
#ifdef MADV_HUGEPAGE
    if (end > start) ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#endif
}
#endif

} // namespace

void KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
    // Blocks below 32 MB come from the heap, whose free top is given back
    // only beyond 64 MB: by default every block from 128 kB on is a mapping
    // of its own, and the heap's top is given back from a few megabytes on,
    // so that a command that walks 96 tracks asks the system for fresh pages
    // at every track.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    // The heap grows by its reach at a time and is given in large pages: a
    // first write to a small page costs several microseconds, which is more
    // than a command does with the page, and a command that reads 96 tracks
    // writes thousands of them.
    mallopt(M_TOP_PAD, static_cast<int>(kHeapReach));
    HeapInLargePages();
#endif
}

} // namespace tnq
