// "&Make .MID file...": brings the timing tables up to date, checks that
// the tracks balance and writes the piece as NAME.MID in its directory.
#pragma once

#include "core/context.h"
#include "core/recalculate.h"
#include "midifile/mid_options.h"
#include "midifile/mid_writer.h"
#include "midifile/work_arrays.h"

#include <functional>
#include <optional>
#include <string>

namespace tnq {

// Rebuilds the score arrays of the selected tracks; false after its own
// message when it could not.
using RecalculateFn = std::function<bool(Context&)>;

// Title of the writers' own failure messages.
inline constexpr const char* kMakeMidTitle = "Make .MID File";

// Steps 1 to 6 shared by the writers: selects every track, recalculates
// unless RecalcDone says a balance check just did (RecalcDone is cleared),
// fills the work arrays, shows the totals and applies the balance rule.
// Returns the reference total, or nothing after a stop (its message shown,
// status line emptied, normal pointer; no file touched).
struct BalanceStep {
    int Tolerance = 0;
    TrackTest Suppressed;                    // empty: no track is
    std::optional<std::string> MessageTitle; // of "Tracks out of balance"
};
std::optional<Long> PrepareWorkArrays(Context& c, const BalanceStep& rule,
                                      const RecalculateFn& recalc);

// Steps 7 to 13 shared by the writers: reads back the copyright of
// NAME.MID, asks the dialog and writes NAME.MID. True when it was written.
bool WriteMidFile(Context& c, MidOptionsDialog& dialog, Long reference,
                  const MidWriterRules& rules);

// mnuFilMid_Click. True when NAME.MID was written.
bool MakeMidFile(Context& c, MidOptionsDialog& dialog, const RecalculateFn& recalc = Recalculate);

// Title of the balance messages of the modified writer and of Check Tracks
// for Balance.
inline constexpr const char* kBalanceTitle = "Tonquill";

// True when track t is suppressed: its character in ActiveTracks is "0".
bool IsSuppressedTrack(const State& s, int t);

// The balance rule with suppressed tracks left out: tolerance
// Int(TicksPerQuarter / 32), the tracks ActiveTracks marks "0" suppressed,
// messages titled "Tonquill". It reads s when it is applied.
BalanceStep SuppressionBalanceRule(const State& s);

// mnuModPlayMid_Click, "&Make (Modified) .mid File": the plain writer with
// suppressed tracks written as silent chunks of their own length and left
// out of the balance test, and the piece tempo always in the first chunk.
// Leaves MenuMode "mnuModPlayMid". True when NAME.MID was written.
bool MakeModifiedMidFile(Context& c, MidOptionsDialog& dialog,
                         const RecalculateFn& recalc = Recalculate);

// Full path of the open piece's NAME.MID.
std::string MidFilePath(const State& s);

} // namespace tnq
