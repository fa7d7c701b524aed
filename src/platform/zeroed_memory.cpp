// AllocateZeroed and FreeZeroed: calloc, and anonymous mappings for large
// blocks.
#include "platform/zeroed_memory.h"

#include <cstdlib>
#include <sys/mman.h>

namespace tnq {

namespace {

// From this size on a block is a mapping of its own, in large pages where
// the system gives them.
constexpr std::size_t kMappedFrom = std::size_t{4} << 20;

} // namespace

void* AllocateZeroed(std::size_t bytes) {
    if (bytes < kMappedFrom) return std::calloc(bytes == 0 ? 1 : bytes, 1);
    void* block =
        ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) return nullptr;
#ifdef MADV_HUGEPAGE
    ::madvise(block, bytes, MADV_HUGEPAGE); // a hint: small pages do as well
#endif
    return block;
}

void FreeZeroed(void* block, std::size_t bytes) noexcept {
    if (!block) return;
    if (bytes < kMappedFrom)
        std::free(block);
    else
        ::munmap(block, bytes);
}

} // namespace tnq
