// Zeroed memory for the large arrays, from the system: a block costs nothing
// until its pages are written, and a large block is asked for in large pages,
// so that filling it takes few page faults.
#pragma once

#include <cstddef>

namespace tnq {

// From this size on a block is a mapping of its own, in large pages.
inline constexpr std::size_t kMappedBlock = std::size_t{512} << 10;

// A block of bytes, every one 0; nullptr when the system has no room.
void* AllocateZeroed(std::size_t bytes);
// A block of bytes that hold anything until written: a large one the same
// mapping as AllocateZeroed gives, a small one from malloc, so that neither
// is written here. nullptr when the system has no room.
void* AllocateUntouched(std::size_t bytes);
// Gives back a block of AllocateZeroed(bytes) or AllocateUntouched(bytes).
void FreeZeroed(void* block, std::size_t bytes) noexcept;

} // namespace tnq
