// The main window's small screen procedures that commands call.
#pragma once

#include "core/context.h"

namespace tnq {

// Writes every track's item count into its figure (rows above NumTracks are
// left alone). Raises error 9 when no score is allocated.
void ShowTrackCounts(Context& c);
// Writes track t's item count into its figure: after a change of that track
// alone (an insert or a delete, which a command may do thousands of times).
void ShowTrackCount(Context& c, int t);

// Ends an operation's display: upper status line empty, lower one "Select a
// menu item", pointer back to normal.
void SwitchOffStatus(Context& c);

// "No file has yet been opened".
void NoFileOpenMsg(Context& c);

} // namespace tnq
