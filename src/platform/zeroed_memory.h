// Zeroed memory for the large arrays, from the system: a block costs nothing
// until its pages are written, and a large block is asked for in large pages,
// so that filling it takes few page faults.
#pragma once

#include <cstddef>

namespace tnq {

// A block of bytes, every one 0; nullptr when the system has no room.
void* AllocateZeroed(std::size_t bytes);
// Gives back a block of AllocateZeroed(bytes).
void FreeZeroed(void* block, std::size_t bytes) noexcept;

} // namespace tnq
