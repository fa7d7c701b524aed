// The Edit-menu command frame.
#include "editing/edit_frame.h"

#include "core/bar_ranges.h"
#include "core/edit_fields.h"
#include "core/screen_procs.h"
#include "core/startup.h"
#include "core/track_change.h"
#include "platform/vb.h"

namespace tnq {

namespace {

// The one chosen track of a By-Item command, 0 when not exactly one.
int OnlyTrack(const State& s) {
    int found = 0;
    for (std::size_t i = 0; i < s.SelectedTracks.size(); ++i) {
        if (s.SelectedTracks[i] != '1') continue;
        if (found != 0) return 0;
        found = static_cast<int>(i) + 1;
    }
    return found;
}

void ClearSpans(State& s) {
    for (int t = 0; t <= s.NumTracks; ++t)
        for (int r = 0; r <= 4; ++r) {
            s.SpanFirst(t, r) = 0;
            s.SpanLast(t, r) = 0;
        }
}

} // namespace

bool RunEditCommand(Context& c, TrackSelectionDialog& tracks, const EditCommand& cmd) {
    State& s = c.s;
    if (s.PieceOpen == 0) {
        NoFileOpenMsg(c);
        return false;
    }
    s.MenuMode = cmd.MenuMode;
    if (cmd.ChooseTracks) {
        if (!cmd.ChooseTracks(c)) return false;
    } else {
        tracks.Show(c);
    }
    if (s.SelectedTracks.find('1') == std::string::npos) return false;
    if (!cmd.ShowDialog(c)) return false;

    const bool byItem = cmd.ByItem && cmd.ByItem();
    const bool otherPiece = cmd.FromOtherPiece && cmd.FromOtherPiece();
    const EditRangeTexts range = cmd.Range();

    // By Item needs its one track before anything is shown as running.
    int itemTrack = 0;
    if (byItem) {
        itemTrack = OnlyTrack(s);
        if (itemTrack == 0) {
            ItemSelectionWarning(c);
            return false;
        }
    }

    c.screen.SetStatus1("");
    c.screen.SetStatus2(cmd.Progress);
    c.screen.SetHourglass(true);

    s.RangeFrom = FieldValue(range.FromBar);
    s.RangeTo = FieldValue(range.ToBar);
    s.StartingBeat = FieldValue(range.StartingBeat);
    s.NumberOfBeats = FieldValue(range.NumberOfBeats);
    s.BeatTicks = BeatValueTicks(s, range.BeatValue);
    s.Repeats = range.RepeatNumber.empty() ? Integer(1) : FieldValue(range.RepeatNumber);
    if (cmd.ReadParameters) cmd.ReadParameters(c);

    if (byItem) {
        // The span of the one track is the items typed; no span left over
        // from an earlier command is visited.
        if (!ByItemRangeValid(s.RangeFrom, s.RangeTo, s.ItemCount(itemTrack))) {
            SwitchOffStatus(c);
            return false;
        }
        s.Repeats = 1;
        ClearSpans(s);
        s.SpanFirst(itemTrack, 1) = s.RangeFrom;
        s.SpanLast(itemTrack, 1) = s.RangeTo;
    } else {
        const bool valid = otherPiece ? ValidateBarNumbers2(c) : ValidateBarNumbers(c);
        if (!valid || (s.NumberOfBeats != 0 && !SpanSelectedBars(c, otherPiece ? 3 : 2))) {
            SwitchOffStatus(c);
            return false;
        }
    }

    s.CurrentTrack = 0;
    s.RepeatCounter = s.Repeats;
    s.Scratch = "";
    // The tracks change all or nothing: a run-time error anywhere in the
    // walk leaves every track as before; a walk a span stops on purpose
    // keeps what it has done.
    TrackChange change(c, CommandName(cmd.MenuMode));
    const bool finished = [&] {
        try {
            for (;;) {
                TrackNext(c);
                if (s.Scratch == "end") return true;
                if (!cmd.ApplySpan(c)) return false;
            }
        } catch (const VbError& e) {
            change.Fail(e);
            return false;
        }
    }();
    // A walk that stopped early has changed the tracks before the stop: the
    // score is brought back in step with their files.
    const bool stored = cmd.Recalculates || !finished ? change.StoreRecalculated() : change.Store();
    SwitchOffStatus(c);
    return finished && stored;
}

} // namespace tnq
