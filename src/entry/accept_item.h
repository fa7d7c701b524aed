// Accept Item: the item typed into the entry boxes goes into the current
// track at its cursor.
#pragma once

#include "core/context.h"

#include <cstdint>

namespace tnq {

// Background colours of the bar box: yellow while an insert run is being
// filled, white otherwise.
inline constexpr std::uint32_t kInsertRunColour = 0xFFFF00;
inline constexpr std::uint32_t kNormalBoxColour = 0xFFFFFF;

// The button "Accept &Item" (Alt+I) and F12. Does nothing in menu mode.
//
// Checks the boxes in the order bar, channel, pitch bend, note, octave,
// duration, value field, dynamics; the first box that fails gets its
// remembered text back (or the fixed text of its rule) and the focus, and
// nothing is stored. Every text must also fit its field of the item record,
// so nothing is ever stored cut. A valid item is written at the cursor of
// CurrentTrack, its numbers stored in the score and the cursor advanced;
// appended behind the last item, it raises the count and moves the END
// record behind it. The item END cuts the track at the cursor and
// recalculates it. Afterwards the boxes are prefilled for the next item, or
// show the item at the cursor when an insert run was left.
//
// A track holds at most MaxItems - 1 items: with the cursor at MaxItems the
// "Space Limitation" message is shown and nothing is stored. No store is
// made while the cursor lies outside 1..count + 1 (focus to the item box).
// A track-file error is reported ("Accept Item") and ends the run before
// anything else is written.
void btnAccept_Click(Context& c);

} // namespace tnq
