// AllocateZeroed and FreeZeroed: calloc, and anonymous mappings in large
// pages for large blocks.
#include "platform/zeroed_memory.h"

#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>

namespace tnq {

namespace {

// A block from kMappedBlock on is a mapping of its own, a whole number of
// large pages long and starting on one, so that the system can give it in
// large pages: the first write to a small page costs far more than the
// bytes it zeroes, and a score is filled slot after slot. What a block
// does not use of its last large page is never written.
constexpr std::size_t kLargePage = std::size_t{2} << 20;

std::size_t MappedLength(std::size_t bytes) {
    return (bytes + kLargePage - 1) / kLargePage * kLargePage;
}

} // namespace

void* AllocateZeroed(std::size_t bytes) {
    if (bytes < kMappedBlock) return std::calloc(bytes == 0 ? 1 : bytes, 1);
    return AllocateUntouched(bytes);
}

void* AllocateUntouched(std::size_t bytes) {
    if (bytes < kMappedBlock) return std::malloc(bytes == 0 ? 1 : bytes);
    if (bytes > SIZE_MAX - 2 * kLargePage) return nullptr;
    const std::size_t length = MappedLength(bytes);
    // A large page more than needed, and the ends around a start on a large
    // page given back.
    void* const area = ::mmap(nullptr, length + kLargePage, PROT_READ | PROT_WRITE,
                              MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED) return nullptr;
    const auto at = reinterpret_cast<std::uintptr_t>(area);
    const std::uintptr_t start = (at + kLargePage - 1) / kLargePage * kLargePage;
    if (start > at) ::munmap(area, start - at);
    if (const std::size_t after = at + kLargePage - start; after > 0)
        ::munmap(reinterpret_cast<void*>(start + length), after);
    void* const block = reinterpret_cast<void*>(start);
#ifdef MADV_HUGEPAGE
    ::madvise(block, length, MADV_HUGEPAGE); // a hint: small pages do as well
#endif
    return block;
}

void FreeZeroed(void* block, std::size_t bytes) noexcept {
    if (!block) return;
    if (bytes < kMappedBlock)
        std::free(block);
    else
        ::munmap(block, MappedLength(bytes));
}

} // namespace tnq
