// Check Tracks for Balance, Balance Tracks, Suppress and Reinstate.
#include "midifile/balance_commands.h"

#include "core/bar_ranges.h"
#include "core/edit_fields.h"
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

// The beat value of the dialog: the note value whose letter sequence in
// "xwhqestzy" starts with the whole text, 0 when there is none.
Integer BalanceBeatTicks(const State& s, const std::string& text) {
    const auto at = kNoteLetters.find(text);
    return at == std::string_view::npos ? Integer(0) : s.PowerOfTwo[at + 1];
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

bool BalanceTracks(Context& c, BalanceDialog& dialog) {
    State& s = c.s;
    if (s.PieceOpen == 0) {
        NoFileOpenMsg(c);
        return false;
    }
    s.MenuMode = "mnuPlyBalance";
    c.screen.SetStatus1("");
    c.screen.SetStatus2("Checking balance of tracks...");
    s.SelectedTracks = s.ActiveTracks;
    s.SelectedTracks.resize(static_cast<std::size_t>(s.NumTracks), '1');
    const std::optional<BalanceEntry> e = dialog.Show(c);
    if (!e) return false;
    if (!e->ByItem)
        c.screen.SetStatus1("Checking from bar " + Trim(e->From) + " to bar " + Trim(e->To));

    s.RangeFrom = FieldValue(e->From);
    s.RangeTo = FieldValue(e->To);
    s.Repeats = static_cast<Integer>(std::clamp<int>(FieldValue(e->Repeats), 1, 4));
    s.StartingBeat = FieldValue(e->StartingBeat);
    s.NumberOfBeats = FieldValue(e->NoBeats);
    s.BeatTicks = BalanceBeatTicks(s, e->BeatValue);

    int repeat = s.Repeats;
    if (e->ByItem) {
        // The items of the one active track, as far as the track has them;
        // the repeat number means nothing here.
        const auto first = s.SelectedTracks.find('1');
        if (first == std::string::npos) return false;
        const int t = static_cast<int>(first) + 1;
        s.CurrentTrack = static_cast<Integer>(t);
        repeat = 1;
        s.SpanFirst(t, repeat) = static_cast<Integer>(std::max<int>(s.RangeFrom, 1));
        s.SpanLast(t, repeat) = static_cast<Integer>(std::min<int>(s.RangeTo, s.ItemCount(t)));
    } else {
        if (!ValidateBarNumbers(c)) return false;
        if (s.NumberOfBeats != 0 && !SpanSelectedBars(c, 2)) return false;
    }

    for (int t = 1; t <= s.NumTracks; ++t) {
        s.TrackTotal(t) = 0;
        if (s.ItemCount(t) == 0 || IsSuppressedTrack(s, t)) continue;
        s.TrackTotal(t) = TotalValue(SpanTotal(s, t, s.SpanFirst(t, repeat), s.SpanLast(t, repeat)));
    }
    for (int t = 1; t <= s.NumTracks; ++t)
        c.screen.SetTrackFigure(t - 1, std::to_string(s.TrackTotal(t)));
    return true;
}

void SuppressTracks(Context& c, TrackSelectionDialog& tracks, bool suppress) {
    State& s = c.s;
    if (s.PieceOpen == 0) {
        NoFileOpenMsg(c);
        return;
    }
    tracks.SetCaption(suppress ? "Suppress" : "Reinstate");
    tracks.Show(c);
    MarkSelectedTracks(s, suppress ? '0' : '1');
    tracks.SetCaption(kTrackSelCaption);
}

void MarkSelectedTracks(State& s, char mark) {
    const std::size_t n = std::min(s.SelectedTracks.size(), s.ActiveTracks.size());
    for (std::size_t i = 0; i < n; ++i)
        if (s.SelectedTracks[i] == '1') s.ActiveTracks[i] = mark;
}

} // namespace tnq
