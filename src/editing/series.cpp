// The tempo and controller series.
#include "editing/series.h"

#include "core/edit_fields.h"
#include "core/item_checks.h"
#include "core/item_space.h"
#include "core/screen_procs.h"
#include "core/startup.h"
#include "core/track_files.h"
#include "core/vocabulary.h"
#include "editing/dash_runs.h"
#include "editing/edit_frame.h"
#include "platform/vb.h"

#include <algorithm>
#include <memory>

namespace tnq {

const char* const kControllerTexts[kControllerEntries] = {
    "Select Controller", "Expression", "Main Volume",  "Modulation",
    "Pan",               "Damper Pedal", "Reverb Depth", "Chorus Depth"};

namespace {

constexpr const char* kTemposMode = "mnuEdtTempos";
constexpr const char* kControllerMode = "mnuEdtVolume";
constexpr const char* kSeriesTitle = "Continuous Controller";

constexpr const char* kControllerNumbers[kControllerEntries] = {"",   "11", "7",  "1",
                                                                "10", "64", "91", "93"};

// The values an item of the series may carry.
struct SeriesValues {
    int Lo, Hi;
};
constexpr SeriesValues kTempoValues{kMinTempo, kMaxTempo};
constexpr SeriesValues kControllerValues{0, 127};

// One run of a series over the spans of the walk.
class SeriesRun {
public:
    SeriesRun(bool tempo, const SeriesTexts& texts) : tempo_(tempo), texts_(texts) {}

    // The dialog's values into the shared parameters (after the range).
    void ReadParameters(Context& c) {
        State& s = c.s;
        s.Percent = texts_.PercentTicked ? FieldValue(texts_.Percent) : Integer(0);
        s.FromValue = FieldValue(texts_.FromValue);
        s.ToValue = FieldValue(texts_.ToValue);
        if (s.Percent != 0) factor_ = PercentFactor(s.Percent);
        controller_ = s.DialogResult;
        if (texts_.SpecifyChannel) {
            // The dialog took a whole number 1..16; its plain digits fit the
            // two-character field.
            channel_ = NumberText(static_cast<long long>(Val(texts_.Channel)));
        }
    }

    // The series over RangeFrom..RangeTo of CurrentTrack (file 2 open on
    // it). False stops the run.
    bool Span(Context& c) {
        try {
            return Walk(c);
        } catch (const VbError& e) {
            DisplayError(c, e);
            return false;
        }
    }

    // Insert mode, before any track is changed: no new item may come between
    // an item's dashes and the items they take off, on any track of the walk.
    bool ClearOfDashes(Context& c) const {
        if (!texts_.Insert) return true;
        State& s = c.s;
        const int r = s.Repeats;
        return TracksClearOfDashes(
            c, [&s, r](int t) { return s.SpanFirst(t, r) != 0; },
            [&](int t) {
                // A new item goes before every rest of the span.
                for (int i = s.SpanFirst(t, r); i <= s.SpanLast(t, r); ++i)
                    if (s.NoteCode(t, i) == 0)
                        if (const int j = DashAcross(c, t, i)) return TrackItem{t, j};
                return TrackItem{};
            },
            "inserted", kSeriesTitle);
    }

private:
    int OwnCode() const { return tempo_ ? code::TEMPO : code::CNTRL; }
    const char* OwnNote() const { return tempo_ ? "TEMPO" : "CNTRL"; }
    SeriesValues Values() const { return tempo_ ? kTempoValues : kControllerValues; }

    Integer Clamped(Integer v) const {
        return static_cast<Integer>(std::clamp(int(v), Values().Lo, Values().Hi));
    }

    bool Walk(Context& c) {
        State& s = c.s;
        const int t = s.CurrentTrack;
        // Parts of the way from From Value to To Value.
        double parts = 0;
        if (!tempo_ && s.RangeFrom != s.RangeTo) parts = s.RangeTo - s.RangeFrom;
        bool skip = false;

        if (!texts_.Insert) {
            // A TEMPO or CNTRL item standing just before the span's first
            // rest belongs to it.
            const int first = s.NoteCode(t, s.RangeFrom);
            const bool own = tempo_ ? (first == code::TEMPO || first == code::METER)
                                    : first == code::CNTRL;
            if (!own && s.RangeFrom != 1) --s.RangeFrom;
            // Every other item of the span is a CNTRL.
            if (!tempo_ && s.RangeFrom != s.RangeTo) parts = (s.RangeTo - s.RangeFrom) / 2.0;
        }

        // The span is checked before the track is changed.
        int rests = 0;
        for (int i = s.RangeFrom; i <= s.RangeTo; ++i) {
            const int code = s.NoteCode(t, i);
            if (texts_.Insert && code != 0 && !(tempo_ && code == code::METER)) {
                c.msg.MsgBox(tempo_ ? "Tempos can only be inserted before rests"
                                    : "Continuous controllers can only be inserted before rests",
                             mb::Critical, std::string(kSeriesTitle));
                return false;
            }
            if (code == 0) ++rests;
        }
        // The tempos spread over the rests; with no rest or one there is
        // nothing to spread.
        if (tempo_) parts = rests > 1 ? rests - 1 : 0;
        const bool stepping = s.Percent == 0 && s.RangeFrom != s.RangeTo;
        Ramp ramp(s.FromValue, s.ToValue, stepping ? parts : 0);
        s.ItemDynamics = s.FromValue;

        int position = s.RangeFrom;
        std::string channel = channel_;
        if (!tempo_ && !texts_.SpecifyChannel) channel = NumberText(s.ItemChan(t, s.RangeFrom));
        const std::string beatUnit = tempo_ && texts_.Insert ? BeatUnitBefore(c, t, position) : "";

        const int first = s.RangeFrom, last = s.RangeTo;
        for (int i = first; i <= last; ++i) {
            if (texts_.Insert) {
                if (tempo_ && s.NoteCode(t, position) != 0) {
                    ++position; // a METER stays where it is
                    continue;
                }
                s.CurrentItem(t) = static_cast<Integer>(position);
                // A full track has been told; nothing is overwritten.
                if (!InsertSpace(c, 1)) return false;
                position += 2;
                s.ItemDynamics = Clamped(ramp.Next());
                WriteNewItem(c, t, s.CurrentItem(t), channel, beatUnit);
            } else {
                if (skip) {
                    skip = false;
                    continue;
                }
                if (s.NoteCode(t, i) != OwnCode()) continue;
                s.CurrentItem(t) = static_cast<Integer>(i);
                if (!ReadItem(c, 2)) return false;
                s.ItemDynamics = s.Percent != 0
                                     ? Scaled(s.ItemDyn(t, i), factor_, Values().Lo, Values().Hi)
                                     : ramp.Next();
                if (!tempo_ && !MayChangeController(c)) return false;
                if (c.screen.Text(Box::Note) != OwnNote()) continue;
                ReviseItem(c, t, i, channel);
                skip = true;
            }
            if (stepping) ramp.Advance();
        }
        return true;
    }

    // The duration text of the last TEMPO item before item `before` of
    // track t: the beat unit that holds there ("q" when none).
    std::string BeatUnitBefore(Context& c, int t, int before) const {
        State& s = c.s;
        for (int i = before - 1; i >= 1; --i) {
            if (s.NoteCode(t, i) != code::TEMPO) continue;
            std::string bytes;
            if (!s.File2.Read(i, bytes)) throw VbError(err::InputPastEnd);
            return Trim(DecodeRecord(bytes).Duration);
        }
        return "q";
    }

    // The new item at slot n of track t, before the rest at n + 1.
    void WriteNewItem(Context& c, int t, int n, const std::string& channel,
                      const std::string& beatUnit) {
        State& s = c.s;
        MainScreen& box = c.screen;
        const Integer bar = s.BarNo(t, n + 1);
        TrackItemRecord r;
        r.Note = OwnNote();
        r.Octave = "0";
        r.Duration = tempo_ ? beatUnit : "";
        r.Adjustment = tempo_ ? "0" : controller_;
        r.Dynamics = NumberText(s.ItemDynamics);
        r.Bar = NumberText(bar);
        r.Channel = tempo_ ? "1" : channel;
        r.PitchBend = "0";
        ShowRecord(box, r);
        s.NoteCode(t, n) = static_cast<Integer>(OwnCode());
        s.ItemTime(t, n) = tempo_ ? 0 : static_cast<Long>(Val(controller_));
        s.ItemDyn(t, n) = s.ItemDynamics;
        s.BarNo(t, n) = bar;
        s.ItemChan(t, n) = static_cast<Integer>(Val(r.Channel));
        s.ItemBend(t, n) = 0;
        WriteItem(c);
    }

    // The item at slot i, read into the boxes: its value, channel and
    // controller number rewritten.
    void ReviseItem(Context& c, int t, int i, const std::string& channel) {
        State& s = c.s;
        const std::string chan = tempo_ ? "1" : channel;
        c.screen.SetText(Box::Dyn, NumberText(s.ItemDynamics));
        c.screen.SetText(Box::Channel, chan);
        s.ItemDyn(t, i) = s.ItemDynamics;
        s.ItemChan(t, i) = static_cast<Integer>(Val(chan));
        if (!tempo_) s.ItemTime(t, i) = static_cast<Long>(Val(controller_));
        WriteItem(c);
    }

    // A CNTRL item of another controller: asked once in a run; after Yes its
    // number becomes the series' controller, No stops the run.
    bool MayChangeController(Context& c) {
        MainScreen& box = c.screen;
        if (box.Text(Box::Note) == "CNTRL" && Trim(box.Text(Box::Adj)) != controller_ &&
            !answered_) {
            const int answer =
                c.msg.MsgBox("This function will not permit more than one continuous controller "
                             "from a track. Do you wish to change the Controller number ?",
                             mb::YesNo + mb::Critical, std::string(kSeriesTitle));
            if (answer != mb::Yes) return false;
            answered_ = true;
        }
        box.SetText(Box::Adj, controller_);
        return true;
    }

    const bool tempo_;
    const SeriesTexts texts_;
    Single factor_ = 1;
    std::string controller_;
    std::string channel_;
    bool answered_ = false;
};

// The frame of both series.
bool RunSeries(Context& c, TrackSelectionDialog& tracks, SeriesDialog& dialog, bool tempo) {
    std::unique_ptr<SeriesRun> run;
    EditCommand cmd;
    cmd.MenuMode = tempo ? kTemposMode : kControllerMode;
    cmd.Progress = tempo ? "Updating tempos..." : "Updating controller...";
    if (tempo) {
        cmd.ChooseTracks = [](Context& cc) {
            SelectOnly(cc.s, 1);
            return true;
        };
    }
    cmd.ShowDialog = [&dialog](Context& cc) { return dialog.Show(cc); };
    cmd.Range = [&dialog] { return RangeOf(dialog.Texts().Passage); };
    cmd.ByItem = [&dialog] { return dialog.Texts().Passage.ByItem; };
    cmd.ReadParameters = [&](Context& cc) {
        run = std::make_unique<SeriesRun>(tempo, dialog.Texts());
        run->ReadParameters(cc);
    };
    bool checked = false;
    cmd.ApplySpan = [&run, &checked](Context& cc) {
        if (!checked) {
            checked = true;
            if (!run->ClearOfDashes(cc)) return false;
        }
        return run->Span(cc);
    };
    // The series keep the score arrays in step as they write.
    cmd.Recalculates = false;
    return RunEditCommand(c, tracks, cmd);
}

} // namespace

std::string ControllerNumberOf(int entry) {
    return entry >= 0 && entry < kControllerEntries ? kControllerNumbers[entry] : "";
}

EditField SeriesOK(Context& c, const SeriesTexts& t, int controllerEntry) {
    const State& s = c.s;
    const bool controllerMode = s.MenuMode == kControllerMode;
    if (const EditField f = CheckPassageChoice(c, t.Passage); f != EditField::None) return f;
    if (t.PercentTicked) {
        // The command reads the percentage as a 16-bit whole number; one
        // that reads as 0 would quietly ramp from the emptied value boxes,
        // and new items would get no value at all.
        if (!PercentValue(t.Percent)) return EditField::Percent;
        if (t.Insert) return EditField::Insert;
    } else {
        const SeriesValues r = s.MenuMode == kTemposMode ? kTempoValues : kControllerValues;
        if (!NumberIn(t.FromValue, r.Lo, r.Hi)) return EditField::FromValue;
        if (!NumberIn(t.ToValue, r.Lo, r.Hi)) return EditField::ToValue;
    }
    if (controllerMode) {
        if (ControllerNumberOf(controllerEntry).empty()) return EditField::Controller;
        if (t.SpecifyChannel && !WholeNumber(Trim(t.Channel), 1, 16)) return EditField::Channel;
    }
    return CheckRepeatAndBeats(t.Passage);
}

std::string SeriesResult(const State& s, int controllerEntry) {
    return s.MenuMode == kControllerMode ? ControllerNumberOf(controllerEntry) : "Tempos";
}

bool TempoSeries(Context& c, SeriesDialog& dialog) {
    NoTrackSelection none;
    return RunSeries(c, none, dialog, true);
}

bool WriteControllerSeries(Context& c, TrackSelectionDialog& tracks, SeriesDialog& dialog) {
    return RunSeries(c, tracks, dialog, false);
}

} // namespace tnq
