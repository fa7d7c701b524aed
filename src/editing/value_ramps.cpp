// Edit Dynamics and Edit Pitch Bend.
#include "editing/value_ramps.h"

#include "core/edit_fields.h"
#include "core/startup.h"
#include "platform/vb.h"

#include <algorithm>

namespace tnq {

namespace {

// The percentage, From Value and To Value boxes: a ticked Percent, or else
// both values within lo..hi.
EditField CheckValues(const RampTexts& t, int lo, int hi) {
    if (t.PercentTicked) return PercentValue(t.Percent) ? EditField::None : EditField::Percent;
    if (!NumberIn(t.FromValue, lo, hi)) return EditField::FromValue;
    if (!NumberIn(t.ToValue, lo, hi)) return EditField::ToValue;
    return EditField::None;
}

// A leading number lo..hi (Track, Channel).
bool LeadingIn(const std::string& text, int lo, int hi) {
    const double v = Val(text);
    return v >= lo && v <= hi;
}

// The frame of both commands, reading the percentage and the two values.
EditCommand RampCommand(const char* menuMode, const char* progress, RampDialog& dialog,
                        Single& factor) {
    EditCommand cmd;
    cmd.MenuMode = menuMode;
    cmd.Progress = progress;
    cmd.Recalculates = false;
    cmd.ShowDialog = [&dialog](Context& c) { return dialog.Show(c); };
    cmd.Range = [&dialog] { return RangeOf(dialog.Texts().Passage); };
    cmd.ByItem = [&dialog] { return dialog.Texts().Passage.ByItem; };
    cmd.ReadParameters = [&dialog, &factor](Context& c) {
        const RampTexts t = dialog.Texts();
        State& s = c.s;
        s.Percent = t.PercentTicked ? FieldValue(t.Percent) : Integer(0);
        s.FromValue = FieldValue(t.FromValue);
        s.ToValue = FieldValue(t.ToValue);
        if (s.Percent != 0) factor = PercentFactor(s.Percent);
    };
    return cmd;
}

} // namespace

EditField DynamicsOK(Context& c, const RampTexts& t) {
    if (const EditField f = CheckPassageChoice(c, t.Passage); f != EditField::None) return f;
    if (const EditField f = CheckValues(t, 1, 127); f != EditField::None) return f;
    return CheckRepeatAndBeats(t.Passage);
}

EditField PitchBendOK(const State& s, const RampTexts& t) {
    if (!LeadingIn(t.Track, 1, s.NumTracks)) return EditField::Track;
    if (!LeadingIn(t.Channel, 1, 16)) return EditField::Channel;
    if (!t.Passage.ByBar && !t.Passage.ByItem) return EditField::Silent;
    if (const EditField f = CheckValues(t, -8192, 8191); f != EditField::None) return f;
    return CheckRepeatAndBeats(t.Passage);
}

bool EditDynamics(Context& c, TrackSelectionDialog& tracks, RampDialog& dialog) {
    Single factor = 1;
    EditCommand cmd = RampCommand("mnuEdtDynamics", "Updating dynamics...", dialog, factor);
    cmd.ApplySpan = [&factor](Context& cc) {
        State& s = cc.s;
        const int t = s.CurrentTrack;
        const auto note = [&s, t](int i) { return IsSoundingNote(s, t, i); };
        // The ramp is spread over this track's notes alone.
        const bool stepping = s.Percent == 0 && s.RangeFrom != s.RangeTo;
        const int notes = s.RangeFrom != s.RangeTo ? CountInSpan(s, note) : 0;
        Ramp ramp(s.FromValue, s.ToValue, notes >= 2 ? notes - 1 : 0);
        return RewriteSpan(cc, note, [&](int i) {
            const Integer d = s.Percent != 0 ? Scaled(s.ItemDyn(t, i), factor, 1, 127) : ramp.Next();
            s.ItemDyn(t, i) = d;
            cc.screen.SetText(Box::Dyn, NumberText(d));
            if (stepping) ramp.Advance();
            return true;
        });
    };
    return RunEditCommand(c, tracks, cmd);
}

bool EditPitchBend(Context& c, RampDialog& dialog) {
    Single factor = 1;
    Integer channel = 0;
    EditCommand cmd = RampCommand("mnuEdtPitchbend", "Updating pitchbend...", dialog, factor);
    // The dialog names the one track; there is no track selection.
    cmd.ChooseTracks = [&dialog, &channel](Context& cc) {
        if (!dialog.Show(cc)) return false;
        const RampTexts t = dialog.Texts();
        SelectOnly(cc.s, FieldValue(t.Track));
        channel = FieldValue(t.Channel);
        return true;
    };
    cmd.ShowDialog = [](Context&) { return true; };
    cmd.ApplySpan = [&factor, &channel](Context& cc) {
        State& s = cc.s;
        const int t = s.CurrentTrack;
        // Notes and rests with a length; the step counts every item.
        const auto worked = [&s, t](int i) {
            return s.NoteCode(t, i) <= 127 && s.ItemTime(t, i) != 0;
        };
        const bool stepping = s.Percent == 0 && s.RangeFrom != s.RangeTo;
        Ramp ramp(s.FromValue, s.ToValue, stepping ? s.RangeTo - s.RangeFrom : 0);
        return RewriteSpan(cc, worked, [&](int i) {
            s.ItemChan(t, i) = channel;
            const Integer b =
                s.Percent != 0 ? Scaled(s.ItemBend(t, i), factor, -8192, 8191) : ramp.Next();
            s.ItemBend(t, i) = b;
            cc.screen.SetText(Box::PitchBend, NumberText(b));
            cc.screen.SetText(Box::Channel, NumberText(channel));
            if (stepping) ramp.Advance();
            return true;
        });
    };
    NoTrackSelection none;
    return RunEditCommand(c, none, cmd);
}

} // namespace tnq
