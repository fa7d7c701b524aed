// Check Tracks for Balance, Balance Tracks, Suppress and Reinstate.
#include "midifile/balance_commands.h"

#include "core/screen_procs.h"
#include "core/vocabulary.h"
#include "midifile/work_arrays.h"
#include "platform/vb.h"

#include <algorithm>

namespace tnq {

namespace {

bool AnyTrackSuppressed(const State& s) {
    for (int t = 1; t <= s.NumTracks; ++t)
        if (IsSuppressedTrack(s, t)) return true;
    return false;
}

} // namespace

bool CheckTracksForBalance(Context& c, const RecalculateFn& recalc) {
    State& s = c.s;
    if (s.PieceOpen == 0) {
        NoFileOpenMsg(c);
        return false;
    }
    s.SelectedTracks.assign(static_cast<std::size_t>(s.NumTracks), '1');
    s.RecalcDone = 0;
    if (!recalc(c)) return false;
    c.screen.SetStatus1(" Checking tracks for balance...");
    c.screen.SetStatus2("");

    const BalanceStep rule = SuppressionBalanceRule(s);
    TotalTracks(s);
    const Long reference = ShowTotalsAndReference(c, rule.Suppressed);
    const bool out = AnyTrackDiffers(s, reference, rule.Suppressed) &&
                     OutOfBalance(s, reference, rule.Tolerance, rule.Suppressed);
    if (!out && !AnyTrackSuppressed(s)) s.RecalcDone = -1;
    c.msg.MsgBox(out ? "Tracks out of balance" : "Tracks are in balance", mb::OKOnly,
                 rule.MessageTitle);
    c.screen.SetStatus1("");
    return !out;
}

BalanceRefusal CheckBalanceEntry(const State& s, const BalanceEntry& e) {
    if (e.ByItem) {
        const auto first = s.SelectedTracks.find('1');
        if (first == std::string::npos) return BalanceRefusal::NoTrack;
        if (s.SelectedTracks.find('1', first + 1) != std::string::npos)
            return BalanceRefusal::SecondTrack;
    }
    if (!IsNumeric(e.Repeats) || Val(e.Repeats) < 1 || Val(e.Repeats) > 4)
        return BalanceRefusal::Repeats;
    if (e.StartingBeat.empty() || e.NoBeats.empty()) return BalanceRefusal::None;
    if (e.BeatValue.size() != 1 || NoteLetterIndex(e.BeatValue[0]) == 0)
        return BalanceRefusal::BeatValue;
    if (!IsNumeric(e.StartingBeat)) return BalanceRefusal::StartingBeat;
    if (!IsNumeric(e.NoBeats)) return BalanceRefusal::NoBeats;
    return BalanceRefusal::None;
}

void MarkSelectedTracks(State& s, char mark) {
    const std::size_t n = std::min(s.SelectedTracks.size(), s.ActiveTracks.size());
    for (std::size_t i = 0; i < n; ++i)
        if (s.SelectedTracks[i] == '1') s.ActiveTracks[i] = mark;
}

} // namespace tnq
