// Track contents for the bulk-edit tests, built bar by bar.
#pragma once

#include "core/piece_fixture.h"

#include <string>
#include <vector>

namespace tnq::test {

// Bars from..to of two half notes (a, then b) in octave 4 on a channel; each
// record's bar is its bar number less barShift.
inline std::vector<TrackItemRecord> Halves(int from, int to, const char* a, const char* b,
                                           const char* channel, int barShift = 0) {
    std::vector<TrackItemRecord> r;
    for (int bar = from; bar <= to; ++bar)
        for (const char* n : {a, b})
            r.push_back(Item(n, "4", "h", "0", "64", std::to_string(bar - barShift), channel));
    return r;
}

// a followed by b.
inline std::vector<TrackItemRecord> Join(std::vector<TrackItemRecord> a,
                                         const std::vector<TrackItemRecord>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace tnq::test
