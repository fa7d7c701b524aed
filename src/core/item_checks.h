// Value rules of stored items shared by Accept Item and the recalculation:
// the controller list of the "AWE 32" option and the range of the Dynamics
// value of each kind of item.
#pragma once

#include "core/state.h"

#include <optional>
#include <string_view>

namespace tnq {

// Highest bar number: the data file's bar field has four digits.
inline constexpr int kMaxBar = 9999;

// Tempos the tempo box takes: a number of 1 to 999 beats a minute.
inline constexpr double kMinTempo = 1, kMaxTempo = 999;
bool IsTempoText(std::string_view text);

// Fills ValidControllers(1..17) with 0, 1, 6, 7, 10, 11, 64, 91, 93, 98, 99,
// 100, 101, 120, 121, 123, 38.
void FillValidControllers(State& s);
// True when value equals one of ValidControllers(1..17).
bool IsValidController(const State& s, double value);

struct ValueRange {
    int Min, Max;
};

// The range of an item's Dynamics value by its code: notes 1..127, PROGR
// 1..128, CNTRL/AFTER/PBEND/FILT2 0..127, TEMPO/LOCAT 1..999, LFO_2
// -127..127, FILT1 -64..63, PORTS 0..9, NRPN1 the table's range of its
// parameter. Nothing for rests, LEGON, LEGOF, LEGO1 and METER (an even
// number); an empty range (Min > Max) for an NRPN1 parameter outside 0..26.
std::optional<ValueRange> DynamicsRange(int itemCode, int nrpnParameter = 0);

// The form a stored Dynamics text must have: digits only (the empty text
// included), or "-" followed by at least one digit when negativeAllowed.
bool DynamicsTextWellFormed(std::string_view text, bool negativeAllowed);

} // namespace tnq
