// Renumber Bars of the Edit menu: every track gets a bar numbering of its
// own, so that repeated sections, typed with the bar numbers of the first
// time through, no longer share numbers with it.
#pragma once

#include "core/context.h"

#include <optional>
#include <vector>

namespace tnq {

// The new bar numbers of bars, in item order: the first keeps its number,
// every later item keeps its distance to the item before it, and a step
// back (the start of a repeat) counts as one bar forward. Items of one bar
// keep one number; a gap of two bars stays a gap of two.
std::vector<int> RenumberedBars(const std::vector<int>& bars);

// "Renumber B&ars": asks first (Yes to go on), then renumbers the items of
// every track, selected or not, in their records and in BarNo; nothing is
// recalculated. When a track would get a bar number outside 0..9999 it says
// so and changes no track. A track file that cannot be read or written stops
// the command after its message; the tracks done before keep their numbers.
// Returns true when every track was renumbered.
bool RenumberBars(Context& c);

} // namespace tnq
