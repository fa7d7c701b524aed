// The two scans of the item box: F8 finds the next channel change on the
// current track, F7 checks the legato pairs (LEGON ... LEGOF) of every
// track. Both load items through the record boxes and stop on an item; the
// screen is then left in agreement: the track and item boxes name
// CurrentTrack and its cursor, its track file is the one open as file 2,
// and the record boxes hold the record at the cursor (the END record when
// the cursor stands behind the last item). A scan stops at the track's
// item count as well as at an END record.
#pragma once

#include "core/context.h"

namespace tnq {

// The next item of the current track, going round past its end, whose
// channel differs from the item at the cursor (from item 1 when the cursor
// stands behind the last item). Shows "No channel changes on this track"
// when there is none; the cursor is then back on the start item, or on the
// END position when the search started at item 1.
void CheckChannel(Context& c);

// Every track with items, in order, under the hourglass, letting window
// events run once per item. Stops at
// the first fault with its report and leaves the screen on the faulty item;
// a clean piece ends with "No missing or duplicate items found" on item 1
// of track 1.
void CheckLegato(Context& c);

} // namespace tnq
