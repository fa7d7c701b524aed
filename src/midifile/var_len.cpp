// VarLenEncode, ConvertToBytes, TicksFromVarLen.
#include "midifile/var_len.h"

#include "platform/vb.h"

namespace tnq {

void AppendVarLen(std::string& out, std::int64_t value) {
    if (value < 0 || value > kVarLenMax) throw VbError(err::InvalidCall);
    int groups = 1;
    if (value >= (1 << 21))
        groups = 4;
    else if (value >= (1 << 14))
        groups = 3;
    else if (value >= (1 << 7))
        groups = 2;
    for (int g = groups - 1; g >= 0; --g) {
        unsigned char b = static_cast<unsigned char>((value >> (7 * g)) & 0x7F);
        if (g > 0) b |= 0x80;
        out.push_back(static_cast<char>(b));
    }
}

std::string VarLenEncode(std::int64_t value) {
    std::string out;
    AppendVarLen(out, value);
    return out;
}

std::string ConvertToBytes(std::int64_t value, int width) {
    const int bytes = width >= 3 ? 4 : 2;
    const std::int64_t limit = bytes == 4 ? 0x7FFFFFFF : 0xFFFF;
    if (value < 0 || value > limit) throw VbError(err::InvalidCall);
    std::string out;
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}

std::int32_t TicksFromVarLen(std::string_view bytes, int position, int* count) {
    std::int32_t value = 0;
    int n = 0;
    while (n < 4) {
        const std::size_t at = static_cast<std::size_t>(position - 1 + n);
        const unsigned char b =
            (position >= 1 && at < bytes.size()) ? static_cast<unsigned char>(bytes[at]) : 0;
        value = (value << 7) | (b & 0x7F);
        ++n;
        if (b < 0x80) break;
    }
    if (count) *count = n;
    return value;
}

} // namespace tnq
