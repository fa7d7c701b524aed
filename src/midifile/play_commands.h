// The Play menu's commands that start other programs: the default player on
// the piece's NAME.MID, and the auxiliary program. Neither waits for the
// program it started.
#pragma once

#include "core/context.h"
#include "core/track_selection.h"
#include "midifile/make_mid.h"

#include <string>

namespace tnq {

inline constexpr const char* kPlayMidTitle = "Play .MID File";
inline constexpr const char* kAuxiliaryTitle = "Run Auxiliary Program";

// The message shown when the player cannot be started.
std::string PlayerNotAvailableText(const std::string& player);
inline constexpr const char* kAuxiliaryNotSetUpText =
    "Auxiliary program has not yet been set up (Miscellaneous; Select Auxiliary Program";

// mnuFilRecalc_Click, "&Recalc...": the tracks chosen in the
// track-selection dialog are rebuilt from their track files. Without an
// open piece: NoFileOpenMsg; no track chosen: nothing. The status lines
// and the pointer end idle whether or not the recalculation succeeds.
// True when it did.
bool RecalcTracks(Context& c, TrackSelectionDialog& tracks,
                  const RecalculateFn& recalc = Recalculate);

// mnuPlayMid_Click: starts DefaultPlayer with the full path of the piece's
// NAME.MID as its one argument. Without an open piece: NoFileOpenMsg. When
// the player cannot be started, or fails within its first seconds (shown
// later, from the event loop): PlayerNotAvailableText. True when started.
// Whether NAME.MID exists is the player's business.
bool PlayMidFile(Context& c);

// mnuPlayAuxiliary_Click: starts AuxiliaryProgram without arguments; when
// it is not set up or cannot be started: kAuxiliaryNotSetUpText. True when
// started.
bool RunAuxiliaryProgram(Context& c);

} // namespace tnq
