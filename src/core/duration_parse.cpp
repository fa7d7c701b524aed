// DurationParse. Values are stored as single precision; the expressions
// between two stores are evaluated in double precision.
#include "core/duration_parse.h"

#include "core/vocabulary.h"

#include <cmath>
#include <string_view>

namespace tnq {

namespace {

// The numbers a parse reads and counts into: the state's own, or a probe's
// (DurationBeatsValid).
template <class Counts> void Parse(Counts& s, std::string& text, bool beatMode) {
    // The text is read in place; it is replaced only as the last act of a
    // failure.
    const std::string_view t = text;
    const std::size_t L = t.size();
    std::size_t p = 0;
    auto fail = [&text] { text = "error"; };

    while (p < L) {
        const int idx = NoteLetterIndex(t[p]);
        if (idx == 0) return fail();
        const double unit = beatMode ? double(s.BeatTicks) : double(s.BeatUnit);
        const Single base = static_cast<Single>(unit / double(s.PowerOfTwo[idx]));
        ++p;

        Single d1 = 0, d2 = 0, d3 = 0;
        if (p < L && t[p] == '.') {
            d1 = static_cast<Single>(double(base) * 0.5);
            ++p;
            if (d1 != 0 && p < L && t[p] == '.') {
                d2 = static_cast<Single>(double(d1) / 2);
                ++p;
                if (d2 != 0 && p < L && t[p] == '.') {
                    d3 = static_cast<Single>(double(d2) / 2);
                    ++p;
                }
            }
        }

        long divisor = 1;
        std::size_t n = 0;
        while (p + n < L && t[p + n] >= '0' && t[p + n] <= '9') ++n;
        if (n > 0 && t[p] != '0') {
            // The divisor is a 16-bit number: longer runs cannot be one.
            if (n > 5) return fail();
            divisor = 0;
            for (std::size_t k = 0; k < n; ++k) divisor = divisor * 10 + (t[p + k] - '0');
            if (divisor > 32767) return fail();
            p += n;
        }

        const double sum = double(base) + double(d1) + double(d2) + double(d3);
        if (beatMode) {
            s.TermTicks = static_cast<Single>(double(s.TermTicks) + sum / double(divisor));
            continue;
        }
        Single T = static_cast<Single>(sum / double(divisor) * double(s.TicksPerQuarter));
        s.TermTicks = T;
        if (T != std::floor(T)) {
            const Single f = static_cast<Single>(double(T) - std::floor(double(T)));
            T = static_cast<Single>(std::floor(double(T)));
            s.TickFraction = static_cast<Single>(double(s.TickFraction) + double(f));
            if (s.TickFraction >= 1) {
                const double whole = std::floor(double(s.TickFraction));
                T = static_cast<Single>(double(T) + whole);
                s.TickFraction = static_cast<Single>(double(s.TickFraction) - whole);
            }
        }
        s.ItemTicks = static_cast<Single>(double(s.ItemTicks) + double(T));
    }
    if (!beatMode && double(s.ItemTicks) > kMaxItemTicks) fail();
}

// What a beat-mode parse of a piece's state reads, and nothing else.
struct BeatProbe {
    Single BeatTicks = 0, BeatUnit = 8, TermTicks = 0, TickFraction = 0, ItemTicks = 0;
    Integer TicksPerQuarter = 0;
    Integer PowerOfTwo[10] = {};
};

} // namespace

void DurationParse(State& s, std::string& text, const std::string& caller) {
    Parse(s, text, caller == "StitRtn");
}

bool DurationBeatsValid(const std::string& text, Single beatTicks) {
    BeatProbe probe;
    probe.BeatTicks = beatTicks;
    FillPowersOfTwo(probe.PowerOfTwo);
    std::string t = text;
    Parse(probe, t, true);
    return t != "error";
}

} // namespace tnq
