// The sorted list box order.
#include "platform/sorted_text.h"

#include <algorithm>

namespace tnq {

namespace {

// Weight of one character: signs (by their code) before digits before
// letters; letters compare without regard to case.
int Weight(unsigned char c) {
    if (c >= '0' && c <= '9') return 0x200 + c;
    if (c >= 'a' && c <= 'z') return 0x300 + (c - 'a') * 2;
    if (c >= 'A' && c <= 'Z') return 0x300 + (c - 'A') * 2;
    if (c >= 0x80) return 0x400 + c; // letters of other alphabets after z
    return 0x100 + c;
}

bool Ignored(unsigned char c) {
    return c == '-' || c == '\'';
}

int Compare(std::string_view a, std::string_view b, bool skipIgnored) {
    std::size_t i = 0, j = 0;
    for (;;) {
        if (skipIgnored) {
            while (i < a.size() && Ignored(static_cast<unsigned char>(a[i]))) ++i;
            while (j < b.size() && Ignored(static_cast<unsigned char>(b[j]))) ++j;
        }
        if (i == a.size() || j == b.size()) break;
        const int wa = Weight(static_cast<unsigned char>(a[i]));
        const int wb = Weight(static_cast<unsigned char>(b[j]));
        if (wa != wb) return wa < wb ? -1 : 1;
        ++i, ++j;
    }
    const bool aDone = i == a.size(), bDone = j == b.size();
    if (aDone && bDone) return 0;
    return aDone ? -1 : 1;
}

} // namespace

int CompareListText(std::string_view a, std::string_view b) {
    if (int r = Compare(a, b, true)) return r;
    // Rows that differ only in hyphens and apostrophes: the one with fewer
    // of them first.
    auto count = [](std::string_view t) {
        return std::count_if(t.begin(), t.end(),
                             [](char c) { return Ignored(static_cast<unsigned char>(c)); });
    };
    if (auto ca = count(a), cb = count(b); ca != cb) return ca < cb ? -1 : 1;
    return Compare(a, b, false);
}

std::size_t SortedInsertIndex(const std::vector<std::string>& rows, std::string_view text) {
    auto it = std::upper_bound(
        rows.begin(), rows.end(), text,
        [](std::string_view t, const std::string& row) { return CompareListText(t, row) < 0; });
    return static_cast<std::size_t>(it - rows.begin());
}

} // namespace tnq
