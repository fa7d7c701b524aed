// The main window's small screen procedures that commands call.
#pragma once

#include "core/context.h"

namespace tnq {

// Writes every track's item count into its figure (rows above NumTracks are
// left alone). Raises error 9 when no score is allocated.
void ShowTrackCounts(Context& c);

// Ends an operation's display: upper status line empty, lower one "Select a
// menu item", pointer back to normal.
void SwitchOffStatus(Context& c);

// "No file has yet been opened".
void NoFileOpenMsg(Context& c);

} // namespace tnq
