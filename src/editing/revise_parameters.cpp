// Revise Parameters.
#include "editing/revise_parameters.h"

#include "core/edit_fields.h"
#include "core/item_space.h"
#include "core/startup.h"
#include "core/track_files.h"
#include "core/vocabulary.h"
#include "editing/dash_runs.h"
#include "platform/vb.h"

#include <algorithm>

namespace tnq {

namespace {

// The new field texts; nothing = the field is left alone.
struct NewValues {
    std::optional<std::string> Note, Octave, Duration, Channel, PitchBend;
};

std::optional<std::string> WholeText(bool ticked, const std::string& text, int lo, int hi) {
    if (!ticked) return std::nullopt;
    const auto v = NumberIn(text, lo, hi);
    if (!v) return std::nullopt;
    return NumberText(*v);
}

NewValues ValuesOf(const State& s, const ParameterTexts& t) {
    NewValues v;
    if (t.NoteTicked) v.Note = RevisedNote(s, t.Note);
    v.Octave = WholeText(t.OctaveTicked, t.Octave, 0, 8);
    const std::string duration = Trim(t.Duration);
    if (t.DurationTicked && !duration.empty() && RevisedDurationValid(duration))
        v.Duration = duration;
    v.Channel = WholeText(t.ChannelTicked, t.Channel, 1, 16);
    v.PitchBend = WholeText(t.PitchbendTicked, t.Pitchbend, -8192, 8191);
    return v;
}

// The boxes of the item in the record boxes revised; true when any changed.
bool Revise(MainScreen& screen, const NewValues& v) {
    const std::string note = Trim(screen.Text(Box::Note));
    bool changed = false;
    const auto set = [&](Box box, const std::optional<std::string>& value) {
        if (!value) return;
        screen.SetText(box, *value);
        changed = true;
    };
    // Notes, rests and blank items; never a control item or the END record.
    if (note != "END" && note.size() != 5) {
        if (note != "R") {
            set(Box::Note, v.Note);
            // A rest is silent: it carries dynamics 0.
            if (v.Note == "R") screen.SetText(Box::Dyn, "0");
            set(Box::Octa, v.Octave);
        }
        set(Box::Dur, v.Duration);
        set(Box::PitchBend, v.PitchBend);
    }
    if (note != "END" && note != "METER" && note != "TEMPO") set(Box::Channel, v.Channel);
    return changed;
}

// Before the first track is changed: a new note value must leave every item
// with dashes its length, so it goes to no such item and to no item whose
// length (or lack of one) a later item's dashes take off.
bool DurationsClearOfDashes(Context& c, const std::string& duration) {
    State& s = c.s;
    const int r = s.Repeats;
    return TracksClearOfDashes(
        c, [&s, r](int t) { return s.SpanFirst(t, r) != 0; },
        [&](int t) {
            const int first = s.SpanFirst(t, r);
            const auto records = ReadTrackRecords(s.File2, first, s.SpanLast(t, r));
            for (std::size_t k = 0; k < records.size(); ++k) {
                const TrackItemRecord item = Trimmed(DecodeRecord(records[k]));
                // The items Revise gives the note value, where it is another.
                if (item.Note == "END" || item.Note.size() == 5 || item.Duration == duration)
                    continue;
                const int i = first + static_cast<int>(k);
                if (DashCount(item.Adjustment) > 0) return TrackItem{t, i};
                if (const int j = DashAcross(c, t, i + 1)) return TrackItem{t, j};
            }
            return TrackItem{};
        },
        "revised", "Revise Parameters");
}

} // namespace

bool RevisedDurationValid(const std::string& text) {
    if (text.empty() || NoteLetterIndex(text[0]) == 0) return false;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char ch = text[i];
        const bool letter = NoteLetterIndex(ch) != 0, digit = ch >= '0' && ch <= '9';
        const char before = text[i - 1];
        const bool afterDigit = before >= '0' && before <= '9';
        if (!(letter || digit || (ch == '.' && !afterDigit))) return false;
    }
    // Cut to its field, a longer text would mean another length.
    return DurationTextValid(text);
}

std::optional<std::string> RevisedNote(const State& s, const std::string& text) {
    const std::string note = Trim(text);
    if (note == "R" || note == "r") return std::string("R");
    for (int i = 1; i <= 12; ++i)
        if (note == s.NoteSharp[i] || note == s.NoteFlat[i]) return note;
    return std::nullopt;
}

EditField ParametersOK(Context& c, const ParameterTexts& t) {
    const State& s = c.s;
    if (const EditField f = CheckPassageChoice(c, t.Passage); f != EditField::None) return f;
    if (t.NoteTicked && !RevisedNote(s, t.Note)) return EditField::Note;
    if (t.OctaveTicked && !NumberIn(t.Octave, 0, 8)) return EditField::Octave;
    const std::string duration = Trim(t.Duration);
    if (t.DurationTicked && !duration.empty() && !RevisedDurationValid(duration))
        return EditField::Duration;
    if (t.ChannelTicked && !NumberIn(t.Channel, 1, 16)) return EditField::Channel;
    if (t.PitchbendTicked && !NumberIn(t.Pitchbend, -8192, 8191)) return EditField::PitchBend;
    return CheckRepeatAndBeats(t.Passage);
}

bool ReviseParameters(Context& c, TrackSelectionDialog& tracks, ParametersDialog& dialog) {
    NewValues values;
    EditCommand cmd;
    cmd.MenuMode = "mnuEdtParameters";
    cmd.Progress = "Updating parameters...";
    cmd.ShowDialog = [&dialog](Context& cc) { return dialog.Show(cc); };
    cmd.Range = [&dialog] { return RangeOf(dialog.Texts().Passage); };
    cmd.ByItem = [&dialog] { return dialog.Texts().Passage.ByItem; };
    cmd.ReadParameters = [&dialog, &values](Context& cc) {
        values = ValuesOf(cc.s, dialog.Texts());
    };
    bool checked = false;
    cmd.ApplySpan = [&values, &checked](Context& cc) {
        if (!checked) {
            checked = true;
            if (values.Duration && !DurationsClearOfDashes(cc, *values.Duration)) return false;
        }
        return RewriteSpan(
            cc, [](int) { return true; }, [&cc, &values](int) { return Revise(cc.screen, values); });
    };
    return RunEditCommand(c, tracks, cmd);
}

} // namespace tnq
