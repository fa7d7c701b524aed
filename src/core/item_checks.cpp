// Controller list and Dynamics ranges.
#include "core/item_checks.h"

#include "core/vocabulary.h"
#include "core/nrpn_table.h"
#include "platform/vb.h"

namespace tnq {

void FillValidControllers(State& s) {
    static constexpr Integer list[17] = {0,  1,  6,   7,   10,  11,  64,  91, 93,
                                         98, 99, 100, 101, 120, 121, 123, 38};
    for (int i = 1; i <= 17; ++i) s.ValidControllers[i] = list[i - 1];
}

bool IsTempoText(std::string_view text) {
    if (!IsNumeric(text)) return false;
    const double v = Val(text);
    return v >= kMinTempo && v <= kMaxTempo;
}

bool IsValidController(const State& s, double value) {
    for (int i = 1; i <= 17; ++i)
        if (value == s.ValidControllers[i]) return true;
    return false;
}

std::optional<ValueRange> DynamicsRange(int itemCode, int nrpnParameter) {
    if (itemCode >= 1 && itemCode <= 127) return ValueRange{1, 127};
    switch (itemCode) {
    case code::PROGR:
        return ValueRange{1, 128};
    case code::CNTRL:
    case code::AFTER:
    case code::PBEND:
    case code::FILT2:
        return ValueRange{0, 127};
    case code::TEMPO:
    case code::LOCAT:
        return ValueRange{1, 999};
    case code::LFO_2:
        return ValueRange{-127, 127};
    case code::FILT1:
        return ValueRange{-64, 63};
    case code::PORTS:
        return ValueRange{0, 9};
    case code::NRPN1:
        if (auto r = NrpnRangeOf(nrpnParameter)) return ValueRange{r->Min, r->Max};
        return ValueRange{1, 0}; // no such parameter: no value fits
    default:
        return std::nullopt;
    }
}

bool DynamicsTextWellFormed(std::string_view text, bool negativeAllowed) {
    if (negativeAllowed && !text.empty() && text[0] == '-') {
        text.remove_prefix(1);
        if (text.empty()) return false;
    }
    for (char ch : text)
        if (ch < '0' || ch > '9') return false;
    return true;
}

} // namespace tnq
