// Turning a duration text ("q", "h.", "q3", "hq", ...) into ticks, or into
// beats for the bar-range commands.
#pragma once

#include "core/state.h"

#include <string>

namespace tnq {

// Longest length an item may have, in ticks.
inline constexpr double kMaxItemTicks = 99999999;

// Parses text. The caller's name selects the mode: "btnAccept" and
// "mnuFilRecalc" count ticks into ItemTicks (unit BeatUnit, fractions
// carried in TickFraction); "StitRtn" counts beats into TermTicks (unit
// BeatTicks). On failure text becomes "error"; terms before the fault have
// already been counted.
void DurationParse(State& s, std::string& text, const std::string& caller);

// Whether DurationParse takes text in beat mode, counting beats of
// beatTicks into a fresh state with the note tables filled.
bool DurationBeatsValid(const std::string& text, Single beatTicks);

} // namespace tnq
