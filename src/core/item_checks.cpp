// The value rules of items: tempos, controllers, first numbers and Dynamics values.
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

namespace {

// How a keyword's Dynamics value is checked.
enum class DynamicsRule { Range, Unchecked, MeterBottom, NrpnParameter };

// The values of a keyword: the range of the first number its Value field
// holds (nothing: the field holds the adjustment of the item's length), and
// the rule and range of its Dynamics value.
struct KeywordValues {
    std::optional<ValueRange> FirstNumber;
    DynamicsRule Rule;
    ValueRange Dynamics;
};

constexpr ValueRange kMidiValues{0, 127};
constexpr ValueRange kNoRange{0, 0};
constexpr std::optional<ValueRange> kAdjustment;

// In code order from PROGR.
constexpr KeywordValues kKeywordValues[15] = {
    /* PROGR */ {kAdjustment, DynamicsRule::Range, {1, 128}},
    /* CNTRL */ {kMidiValues, DynamicsRule::Range, kMidiValues},
    /* TEMPO */ {kAdjustment, DynamicsRule::Range, {kMinTempo, kMaxTempo}},
    /* LOCAT */ {kAdjustment, DynamicsRule::Range, {1, 999}},
    /* AFTER */ {kAdjustment, DynamicsRule::Range, kMidiValues},
    /* PBEND */ {kAdjustment, DynamicsRule::Range, kMidiValues},
    /* LEGON */ {kAdjustment, DynamicsRule::Unchecked, kNoRange},
    /* LEGOF */ {kAdjustment, DynamicsRule::Unchecked, kNoRange},
    /* LFO_2 */ {kMidiValues, DynamicsRule::Range, {-127, 127}},
    /* FILT1 */ {kMidiValues, DynamicsRule::Range, {-64, 63}},
    /* LEGO1 */ {kAdjustment, DynamicsRule::Unchecked, kNoRange},
    /* FILT2 */ {kMidiValues, DynamicsRule::Range, kMidiValues},
    /* METER */ {ValueRange{1, 99}, DynamicsRule::MeterBottom, kNoRange},
    /* PORTS */ {kAdjustment, DynamicsRule::Range, {0, 9}},
    /* NRPN1 */ {ValueRange{0, kNrpnParameterCount - 1}, DynamicsRule::NrpnParameter, kNoRange},
};
static_assert(code::NRPN1 - code::PROGR == 14, "one row a keyword");

// The row of a keyword, nothing for a note or a rest.
const KeywordValues* KeywordValuesOf(int itemCode) {
    if (itemCode < code::PROGR || itemCode > code::NRPN1) return nullptr;
    return &kKeywordValues[itemCode - code::PROGR];
}

} // namespace

bool IsTempoText(std::string_view text) {
    return IsNumeric(text) && InRange(Val(text), kMinTempo, kMaxTempo);
}

std::string StoredTempoFault(const std::string& text) {
    if (IsTempoText(text)) return "";
    return "its tempo \"" + text + "\" is not a number of " + std::to_string(int(kMinTempo)) +
           " to " + std::to_string(int(kMaxTempo));
}

bool IsValidController(const State& s, double value) {
    for (int i = 1; i <= 17; ++i)
        if (value == s.ValidControllers[i]) return true;
    return false;
}

bool HoldsFirstNumber(int itemCode) {
    const KeywordValues* k = KeywordValuesOf(itemCode);
    return k && k->FirstNumber;
}

bool FirstNumberFits(const State& s, int itemCode, double a) {
    if (itemCode == code::CNTRL && s.AWESelectChecked) return IsValidController(s, a);
    const KeywordValues* k = KeywordValuesOf(itemCode);
    return k && k->FirstNumber && InRange(a, k->FirstNumber->Min, k->FirstNumber->Max);
}

std::optional<ValueRange> DynamicsRange(int itemCode, int nrpnParameter) {
    if (itemCode >= 1 && itemCode <= 127) return ValueRange{1, 127};
    const KeywordValues* k = KeywordValuesOf(itemCode);
    if (!k) return std::nullopt;
    switch (k->Rule) {
    case DynamicsRule::Range:
        return k->Dynamics;
    case DynamicsRule::NrpnParameter:
        if (auto r = NrpnRangeOf(nrpnParameter)) return ValueRange{r->Min, r->Max};
        return ValueRange{1, 0}; // no such parameter: no value fits
    case DynamicsRule::Unchecked:
    case DynamicsRule::MeterBottom:
        break;
    }
    return std::nullopt;
}

bool IsMeterBottom(double v) {
    for (int bottom = 1; bottom <= kMaxMeterBottom; bottom *= 2)
        if (v == bottom) return true;
    return false;
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
