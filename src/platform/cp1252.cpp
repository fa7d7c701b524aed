// Windows-1252 <-> UTF-8.
#include "platform/cp1252.h"

#include <array>
#include <cstdint>

namespace tnq {

namespace {

// Code points of bytes 80..9F; the rest map to themselves.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// The byte for a code point, or -1.
int ByteFor(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp) return static_cast<int>(0x80 + i);
    return -1;
}

// Decodes one UTF-8 character at p; returns its code point and advances p,
// or returns U+FFFD and advances one byte when the bytes are malformed.
char32_t Decode(std::string_view s, std::size_t& p) {
    auto b0 = static_cast<unsigned char>(s[p]);
    int len = b0 < 0x80 ? 1 : (b0 >> 5) == 6 ? 2 : (b0 >> 4) == 14 ? 3 : (b0 >> 3) == 30 ? 4 : 0;
    if (len == 0 || p + static_cast<std::size_t>(len) > s.size()) {
        ++p;
        return 0xFFFD;
    }
    char32_t cp = len == 1 ? b0 : len == 2 ? (b0 & 0x1F) : len == 3 ? (b0 & 0x0F) : (b0 & 0x07);
    for (int i = 1; i < len; ++i) {
        auto b = static_cast<unsigned char>(s[p + static_cast<std::size_t>(i)]);
        if ((b & 0xC0) != 0x80) {
            ++p;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    // Only the shortest form of a character is UTF-8 (an overlong "/" must
    // not slip past a check of the text); surrogates and code points beyond
    // U+10FFFF are no characters.
    constexpr char32_t kShortest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kShortest[len] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
        ++p;
        return 0xFFFD;
    }
    p += static_cast<std::size_t>(len);
    return cp;
}

} // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        char32_t cp = (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : b;
        AppendUtf8(out, cp);
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8, char unheld) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t p = 0; p < utf8.size();) {
        int b = ByteFor(Decode(utf8, p));
        out.push_back(b < 0 ? unheld : static_cast<char>(b));
    }
    return out;
}

bool FitsCp1252(std::string_view utf8) {
    for (std::size_t p = 0; p < utf8.size();)
        if (ByteFor(Decode(utf8, p)) < 0) return false;
    return true;
}

} // namespace tnq
