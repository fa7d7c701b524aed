// Value rules of items shared by Accept Item and the recalculation: the
// tempo range, the controller list of the "AWE 32" option, the first number
// a keyword's Value field holds and the Dynamics value of each kind of item.
#pragma once

#include "core/state.h"

#include <optional>
#include <string>
#include <string_view>

namespace tnq {

// Highest bar number: the data file's bar field has four digits.
inline constexpr int kMaxBar = 9999;

// True when lo <= v <= hi.
inline bool InRange(double v, double lo, double hi) {
    return v >= lo && v <= hi;
}

// Tempos the tempo box takes: a number of 1 to 999 beats a minute. A TEMPO
// item's Dynamics field holds its tempo, in the same range.
inline constexpr int kMinTempo = 1, kMaxTempo = 999;
bool IsTempoText(std::string_view text);
// Why a piece's stored tempo cannot be taken ("its tempo "x" is not a number
// of 1 to 999"), or "" when the tempo box would take it.
std::string StoredTempoFault(const std::string& text);

// Fills ValidControllers(1..17) with 0, 1, 6, 7, 10, 11, 64, 91, 93, 98, 99,
// 100, 101, 120, 121, 123, 38.
void FillValidControllers(State& s);
// True when value equals one of ValidControllers(1..17).
bool IsValidController(const State& s, double value);

// ---- The values of each kind of item ----------------------------------------
//
// Accept Item checks a typed item by these rules and the recalculation a
// stored one, from one table.

struct ValueRange {
    int Min, Max;
};

// True when the item's Value field holds the keyword's first number (CNTRL,
// METER, LFO_2, FILT1, FILT2, NRPN1); every other item's Value field holds
// the adjustment of its length.
bool HoldsFirstNumber(int itemCode);
// True when a can be that first number: CNTRL 0..127 (with the "AWE 32"
// option on, one of ValidControllers instead), METER 1..99 (the top
// number), LFO_2, FILT1 and FILT2 0..127, NRPN1 0..26 (the parameter).
bool FirstNumberFits(const State& s, int itemCode, double a);

// The range of an item's Dynamics value by its code: notes 1..127, PROGR
// 1..128, CNTRL/AFTER/PBEND/FILT2 0..127, TEMPO/LOCAT 1..999, LFO_2
// -127..127, FILT1 -64..63, PORTS 0..9, NRPN1 the table's range of its
// parameter. Nothing for rests, LEGON, LEGOF and LEGO1 (not checked) and
// METER (IsMeterBottom); an empty range (Min > Max) for an NRPN1 parameter
// outside 0..26.
std::optional<ValueRange> DynamicsRange(int itemCode, int nrpnParameter = 0);

// The largest bottom number of a METER item.
inline constexpr int kMaxMeterBottom = 64;
// True when v can be a METER item's bottom number (its Dynamics value): 1,
// 2, 4, 8, 16, 32 or 64. A time signature can only carry a power of two:
// the meter event of a .MID file stores the bottom number as its power of
// two, and the writer encodes 1 to 64. (The older rule of the stored items,
// any even number, let 6 or 0 through, which no meter event can carry.)
bool IsMeterBottom(double v);

// The form a stored Dynamics text must have: digits only (the empty text
// included), or "-" followed by at least one digit when negativeAllowed.
bool DynamicsTextWellFormed(std::string_view text, bool negativeAllowed);

} // namespace tnq
