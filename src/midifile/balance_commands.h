// The Play menu's commands on track lengths and suppression: Check Tracks
// for Balance, Balance Tracks, Suppress and Reinstate.
#pragma once

#include "core/context.h"
#include "midifile/make_mid.h"

namespace tnq {

// mnuPlyMusic_Click, "&Check Tracks for Balance": recalculates every track,
// shows each track's total (a suppressed track "0"), applies the balance
// rule of the modified writer and reports "Tracks out of balance" or
// "Tracks are in balance". In balance with no track suppressed, RecalcDone
// becomes -1 so that the next writer skips its recalculation once.
// Without an open piece: NoFileOpenMsg. A failed recalculation stops the
// command after its own message, before any figure is shown, RecalcDone 0.
// True when the piece is in balance.
bool CheckTracksForBalance(Context& c, const RecalculateFn& recalc = Recalculate);

// Sets character t of ActiveTracks to mark ('0' suppressed, '1' active) for
// every track SelectedTracks chooses; the others keep their state.
void MarkSelectedTracks(State& s, char mark);

} // namespace tnq
