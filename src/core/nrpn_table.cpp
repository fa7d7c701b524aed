// The NRPN parameter ranges.
#include "core/nrpn_table.h"

namespace tnq {

const std::int16_t NRPNArray[kNrpnParameterCount][2] = {
    {0, 5900},     // 0
    {0, 127},      // 1  wa-wa speed
    {0, 5900},     // 2
    {0, 127},      // 3  vibrato speed
    {0, 5900},     // 4  volume envelope delay
    {0, 5940},     // 5  volume envelope attack
    {0, 8191},     // 6  volume envelope hold
    {0, 5940},     // 7  volume envelope decay
    {0, 127},      // 8  volume envelope sustain
    {0, 5940},     // 9  volume envelope release
    {0, 5900},     // 10 pitch-filter envelope delay
    {0, 5940},     // 11 pitch-filter envelope attack
    {0, 8191},     // 12 pitch-filter envelope hold
    {0, 5940},     // 13 pitch-filter envelope decay
    {0, 127},      // 14 pitch-filter envelope sustain
    {0, 5940},     // 15 pitch-filter envelope release
    {-8192, 8191}, // 16
    {-127, 127},   // 17
    {-127, 127},   // 18 vibrato pitch change
    {-127, 127},   // 19
    {0, 127},      // 20
    {0, 127},      // 21 filter cutoff
    {0, 127},      // 22 filter resonance
    {-64, 63},     // 23 wa-wa depth
    {-127, 127},   // 24
    {0, 255},      // 25
    {0, 255},      // 26
};

std::optional<NrpnRange> NrpnRangeOf(int parameter) {
    if (parameter < 0 || parameter >= kNrpnParameterCount) return std::nullopt;
    return NrpnRange{NRPNArray[parameter][0], NRPNArray[parameter][1]};
}

} // namespace tnq
