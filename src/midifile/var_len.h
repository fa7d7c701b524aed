// The numbers of a .MID file: variable-length quantities and big-endian
// fixed-width numbers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tnq {

// Largest value a variable-length quantity holds (2^28 - 1).
inline constexpr std::int64_t kVarLenMax = 268435455;

// value 0..kVarLenMax as a variable-length quantity: 7-bit groups, most
// significant first, every byte but the last with its top bit set. A value
// outside the range raises error 5 (invalid procedure call).
std::string VarLenEncode(std::int64_t value);
// The same bytes appended to out (the writer puts two on every note).
void AppendVarLen(std::string& out, std::int64_t value);

// value big-endian in 4 bytes when width is 3 or more (0..2^31-1), else in 2
// bytes (0..65535). A value that does not fit raises error 5.
std::string ConvertToBytes(std::int64_t value, int width);

// The variable-length quantity starting at the 1-based position of bytes:
// the bytes up to and including the first one below 128, at most 4. Bytes
// past the end count as 0. count (when given) receives the bytes read.
std::int32_t TicksFromVarLen(std::string_view bytes, int position, int* count = nullptr);

} // namespace tnq
