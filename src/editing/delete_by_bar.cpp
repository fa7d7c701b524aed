// Delete by Bar.
#include "editing/delete_by_bar.h"

#include "core/item_checks.h"
#include "core/startup.h"
#include "editing/dash_runs.h"
#include "editing/edit_frame.h"
#include "platform/vb.h"


namespace tnq {

namespace {

constexpr const char* kTitle = "Delete by Bar";

bool WholeBar(const std::string& text) {
    return WholeNumber(Trim(text), 0, kMaxBar).has_value();
}

// The first chosen track on which an item behind its span would be lowered
// below bar 0, or 0. Spans of occurrence 1, as validated (and narrowed).
int TrackBelowBarZero(const State& s, int shift) {
    if (shift == 0) return 0;
    for (int t = 1; t <= s.NumTracks; ++t) {
        if (s.SpanFirst(t, 1) == 0) continue;
        for (int i = s.SpanLast(t, 1) + 1; i <= s.ItemCount(t); ++i)
            if (s.BarNo(t, i) - shift < 0) return t;
    }
    return 0;
}

} // namespace

BarField DeleteByBarOK(const DeleteByBarTexts& t) {
    if (!WholeBar(t.FromBar) || !WholeBar(t.ToBar)) return BarField::Silent;
    return CheckBarFields({t.FromBar, t.ToBar, t.StartingBeat, t.NoBeats, t.BeatValue});
}

bool DeleteByBar(Context& c, TrackSelectionDialog& tracks, DeleteByBarDialog& dialog) {
    EditCommand cmd;
    cmd.MenuMode = "mnuEdtDelete";
    cmd.Progress = "Delete in progress...";
    cmd.ShowDialog = [&dialog](Context& cc) { return dialog.Show(cc); };
    cmd.Range = [&dialog] {
        const DeleteByBarTexts t = dialog.Texts();
        return EditRangeTexts{t.FromBar, t.ToBar, t.StartingBeat, t.NoBeats, t.BeatValue, ""};
    };
    bool checked = false;
    cmd.ApplySpan = [&dialog, &checked](Context& cc) {
        State& s = cc.s;
        if (!checked) {
            // Every track is looked at before the first is changed.
            checked = true;
            const DeleteByBarTexts t = dialog.Texts();
            const int shift = t.Adjust ? CInt(Val(t.ToBar) - Val(t.FromBar) + 1) : 0;
            if (const int bad = TrackBelowBarZero(s, shift)) {
                cc.msg.MsgBox("Adjusting the bar numbers would take Track " + std::to_string(bad) +
                                  " below bar 0; nothing has been deleted",
                              mb::Exclamation, std::string(kTitle));
                return false;
            }
            // An item behind a span that takes off the length of items in it.
            if (!SpansClearOfDashes(cc, "deleted", std::string(kTitle))) return false;
        }
        const int t = s.CurrentTrack;
        s.CurrentItem(t) = s.RangeFrom;
        s.RangeTo = static_cast<Integer>(s.RangeTo - s.RangeFrom + 1);
        try {
            DeleteItems(cc, s.RangeTo, &dialog);
        } catch (const VbError& e) {
            DisplayError(cc, e);
            return false;
        }
        return true;
    };
    return RunEditCommand(c, tracks, cmd);
}

} // namespace tnq
