// The NRPN parameters of the synthesizer: the lowest and highest value of
// each of the 27 parameters (numbers 0..26). The sound-test panel drives its
// sliders from this table and the item checks use it for an NRPN1 item's
// value; it needs no MIDI device.
#pragma once

#include <cstdint>
#include <optional>

namespace tnq {

inline constexpr int kNrpnParameterCount = 27;

// NRPNArray[n][0] is the minimum, NRPNArray[n][1] the maximum of parameter n.
extern const std::int16_t NRPNArray[kNrpnParameterCount][2];

struct NrpnRange {
    int Min, Max;
};

// The range of parameter n, nothing when n is not 0..26.
std::optional<NrpnRange> NrpnRangeOf(int parameter);

} // namespace tnq
