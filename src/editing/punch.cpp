// Punch In/Punch Out.
#include "editing/punch.h"

#include "core/track_change.h"
#include "core/delete_items.h"
#include "core/duration_parse.h"
#include "core/edit_fields.h"
#include "core/item_checks.h"
#include "core/item_space.h"
#include "core/recalculate.h"
#include "core/screen_procs.h"
#include "core/startup.h"
#include "core/vocabulary.h"
#include "editing/dash_runs.h"
#include "editing/edit_frame.h"
#include "platform/vb.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace tnq {

namespace {

constexpr const char* kProgress = "Updating ...";

std::string NoBlanks(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

// A whole number in its plain digits; any other text trimmed.
std::string Plain(const std::string& text) {
    const auto v = TrimmedWholeNumber(text, -32768, 32767);
    return v ? NumberText(*v) : Trim(text);
}

// The Note Name as the item holds it: "R" and "CNTRL" in capitals, a note
// name as typed; blanks removed.
std::string NoteOf(const std::string& typed) {
    const std::string n = NoBlanks(typed);
    const std::string upper = UCase(n);
    return upper == "R" || upper == "CNTRL" ? upper : n;
}

enum class Kind { Invalid, Note, Rest, Controller };

Kind KindOf(const State& s, const std::string& typed) {
    const std::string n = NoteOf(typed);
    if (n == "R") return Kind::Rest;
    if (n == "CNTRL") return Kind::Controller;
    return NoteIndexOf(s, n) != 0 ? Kind::Note : Kind::Invalid;
}

bool Keyword(const TrackItemRecord& r) {
    return NoBlanks(r.Note).size() == 5;
}

// The item in the record boxes, with the channel of the item they held.
void PutItem(Context& c, TrackItemRecord item) {
    item.Channel = c.screen.Text(Box::Channel);
    ShowRecord(c.screen, item);
    WriteItem(c);
}

// Every track selected and recalculated, the status lines back to idle.
bool RecalculateAll(Context& c) {
    State& s = c.s;
    s.SelectedTracks.assign(static_cast<std::size_t>(s.NumTracks), '1');
    const bool done = Recalculate(c);
    SwitchOffStatus(c);
    return done;
}

// The item Punch Out takes in bar Measure from item `from` of CurrentTrack
// on, with the cursor on it: 0 when the bar ends first, -1 after a read
// failure's message.
int PunchOutMatch(Context& c, int from, const PunchTexts& t) {
    State& s = c.s;
    const int track = s.CurrentTrack;
    const double measure = Val(Trim(t.Measure));
    const std::string note = NoteOf(t.Note);
    for (int i = from; i <= s.ItemCount(track); ++i) {
        s.CurrentItem(track) = static_cast<Integer>(i);
        if (!ReadItem(c, 2)) return -1;
        const TrackItemRecord r = BoxesRecord(c.screen);
        if (Trim(r.Note) == "END" || Val(Trim(r.Bar)) != measure) return 0;
        // A controller is found by its value, whatever its number.
        const bool matches =
            NoBlanks(r.Note) == note &&
            (Keyword(r) ? NoBlanks(r.Dynamics) == NoBlanks(t.Dynamics)
                        : NoBlanks(r.Duration) == NoBlanks(t.NoteValue));
        if (matches) return i;
    }
    return 0;
}

// Punch Out in bar Measure from the item at the cursor of CurrentTrack: the
// first match is deleted. False after a read failure's message.
bool PunchOutOfBar(Context& c, const PunchTexts& t) {
    const int found = PunchOutMatch(c, c.s.RangeFrom, t);
    if (found > 0) DeleteItems(c, 1);
    return found >= 0;
}

// The length in ticks of the punched note or rest at item p of track t (its
// file open as file 2): its value in the beat unit of the last TEMPO item
// before p, a quarter without one. Fractions of a tick are left out.
Single PunchedTicks(Context& c, int t, int p, const std::string& value) {
    State& s = c.s;
    State probe;
    FillNoteTables(probe);
    probe.TicksPerQuarter = s.TicksPerQuarter;
    for (int i = p - 1; i >= 1; --i) {
        if (s.NoteCode(t, i) != code::TEMPO) continue;
        std::string bytes;
        if (!s.File2.Read(i, bytes)) break;
        if (const auto unit = TempoBeatUnit(s, Trim(DecodeRecord(bytes).Duration)))
            probe.BeatUnit = *unit;
        break;
    }
    std::string text = value;
    DurationParse(probe, text, "btnAccept");
    return probe.ItemTicks;
}

// Whether the punched item's dash adjustment, at item p of track t, fits
// there as Accept Item would take it: items before p to take off and a
// length above 0 left.
bool PunchedRunFits(Context& c, int t, int p, const TrackItemRecord& item) {
    const int dashes = DashCount(item.Adjustment);
    if (dashes == 0) return true;
    c.s.ItemTicks = PunchedTicks(c, t, p, item.Duration);
    return ApplyDashRun(c.s, t, p, dashes);
}

// Shows why a dash adjustment stands in the way of punching at `at`.
void ShowPunchDash(Context& c, const TrackItem& at, bool punched, PunchOperation op) {
    const std::string title = "Punch In/Punch Out";
    if (!punched) {
        ShowDashInTheWay(c, at, op == PunchOperation::In ? "punched in" : "punched out", title);
        return;
    }
    c.msg.MsgBox("The dash adjustment of the item punched in as Item " + std::to_string(at.Item) +
                     " on Track " + std::to_string(at.Track) +
                     " has no items before it to take off, or takes off its whole length; "
                     "nothing has been punched in",
                 mb::Exclamation, title);
}

// Punching at the place of every visited track (occurrence Repeats): where
// the punched item's dashes do not fit, or a later item's dashes would take
// off other items, the message; false then, before any track is changed.
bool PunchPlacesFree(Context& c, const PunchTexts& t, const TrackItemRecord& item) {
    State& s = c.s;
    const int r = s.Repeats;
    bool punched = false;
    const TrackItem at = FindOnTracks(
        c, [&s, r](int tr) { return s.SpanFirst(tr, r) != 0; },
        [&](int tr) {
            const int place = s.SpanFirst(tr, r);
            if (t.Operation == PunchOperation::Out) {
                const int found = PunchOutMatch(c, place, t);
                return found > 0 ? DashAcross(c, tr, found + 1) : 0;
            }
            punched = !PunchedRunFits(c, tr, place, item);
            return punched ? place : DashAcross(c, tr, place);
        });
    if (at.Item != 0) ShowPunchDash(c, at, punched, t.Operation);
    return at.Item == 0;
}

// The work at the place RangeFrom of CurrentTrack.
bool PunchAtPlace(Context& c, const PunchTexts& t, const TrackItemRecord& item) {
    State& s = c.s;
    s.CurrentItem(s.CurrentTrack) = s.RangeFrom;
    if (!ReadItem(c, 2)) return false;
    if (t.Operation == PunchOperation::Out) return PunchOutOfBar(c, t);
    // A full track has been told so and stays as it was.
    if (InsertSpace(c, 1)) PutItem(c, item);
    return true;
}

enum class EndResult { Done, Stop };

// The last note or rest of track t (its file open as file 2), keywords
// passed over, when its adjustment is dashes; else 0. Its dashes cannot take
// an amount.
int DashedLastNote(Context& c, int t) {
    State& s = c.s;
    for (int i = s.ItemCount(t); i >= 1; --i) {
        std::string bytes;
        if (!s.File2.Read(i, bytes)) throw VbError(err::InputPastEnd);
        const TrackItemRecord r = DecodeRecord(bytes);
        if (Keyword(r)) continue;
        return DashCount(r.Adjustment) > 0 ? i : 0;
    }
    return 0;
}

// Update Adjustment on track t: the last note or rest, keywords passed
// over.
EndResult UpdateLastAdjustment(Context& c, int t, const PunchTexts& texts) {
    State& s = c.s;
    for (int i = s.ItemCount(t); i >= 1; --i) {
        s.CurrentItem(t) = static_cast<Integer>(i);
        if (!ReadItem(c, 2)) return EndResult::Stop;
        if (Keyword(BoxesRecord(c.screen))) continue;
        const double sum = Val(Trim(c.screen.Text(Box::Adj))) + Val(Trim(texts.Adjustment));
        if (sum < -999 || sum > 9999) {
            c.msg.MsgBox("Track " + std::to_string(t) + " new adjustment value out of range",
                         mb::OKOnly, std::string("Punch In/Punch Out"));
            return EndResult::Stop;
        }
        c.screen.SetText(Box::Adj, Trim(StrDouble(sum)));
        WriteItem(c);
        return EndResult::Done;
    }
    return EndResult::Done; // keywords alone: nothing to adjust
}

EndResult PunchTrackEnd(Context& c, int t, const PunchTexts& texts, const TrackItemRecord& item) {
    State& s = c.s;
    Integer& count = s.ItemCount(t);
    if (texts.Operation == PunchOperation::In && texts.UpdateAdjustment)
        return UpdateLastAdjustment(c, t, texts);
    if (texts.Operation == PunchOperation::In && InsertCapacity(s, t) < 1) {
        // The track is full: told, and left as it is.
        ShowCapacityMessage(c, t);
        return EndResult::Done;
    }
    s.CurrentItem(t) = count;
    if (!ReadItem(c, 2)) return EndResult::Stop;
    if (texts.Operation == PunchOperation::In) {
        s.CurrentItem(t) = static_cast<Integer>(count + 1);
        PutItem(c, item);
        ++count;
        WriteEndRecord(c);
        return EndResult::Done;
    }
    const TrackItemRecord last = BoxesRecord(c.screen);
    if (NoBlanks(last.Note) == NoteOf(texts.Note) &&
        NoBlanks(last.Duration) == NoBlanks(texts.NoteValue)) {
        --count;
        s.CurrentItem(t) = static_cast<Integer>(count + 1);
        WriteEndRecord(c);
    }
    return EndResult::Done;
}

// "Add or Delete Last Item": every chosen track with items, at its end.
bool PunchTrackEnds(Context& c, const PunchTexts& texts, const TrackItemRecord& item) {
    State& s = c.s;
    c.screen.SetStatus1("");
    c.screen.SetStatus2(kProgress);
    c.screen.SetHourglass(true);
    s.Percent = s.FromValue = s.ToValue = 0;
    EndResult result = EndResult::Done;
    TrackChange change(c, CommandName("mnuEdtPunch"));
    try {
        const auto withItems = [&s](int t) {
            return s.SelectedTracks[static_cast<std::size_t>(t) - 1] == '1' && s.ItemCount(t) != 0;
        };
        // Update Adjustment keeps every track's dashes.
        if (texts.Operation == PunchOperation::In && texts.UpdateAdjustment) {
            const TrackItem at =
                FindOnTracks(c, withItems, [&c](int t) { return DashedLastNote(c, t); });
            if (at.Item != 0) {
                ShowDashInTheWay(c, at, "updated", "Punch In/Punch Out");
                SwitchOffStatus(c);
                return false;
            }
        }
        // The item punched in behind each last item: its dashes must fit.
        if (texts.Operation == PunchOperation::In && !texts.UpdateAdjustment) {
            const TrackItem at = FindOnTracks(
                c, withItems,
                [&](int t) {
                    const int end = s.ItemCount(t) + 1;
                    return PunchedRunFits(c, t, end, item) ? 0 : end;
                });
            if (at.Item != 0) {
                ShowPunchDash(c, at, true, texts.Operation);
                SwitchOffStatus(c);
                return false;
            }
        }
        for (int t = 1; t <= s.NumTracks && result == EndResult::Done; ++t) {
            if (s.SelectedTracks[static_cast<std::size_t>(t) - 1] != '1' || s.ItemCount(t) == 0)
                continue;
            s.CurrentTrack = static_cast<Integer>(t);
            TrackFileOpen(c);
            result = PunchTrackEnd(c, t, texts, item);
        }
    } catch (const VbError& e) {
        change.Fail(e);
    }
    // A run-time error leaves every track as it was.
    if (!change.Store()) {
        SwitchOffStatus(c);
        return false;
    }
    if (result == EndResult::Stop) {
        // The tracks done before the stop keep their change, in the score too.
        Recalculate(c);
        SwitchOffStatus(c);
        return false;
    }
    return RecalculateAll(c);
}

} // namespace

bool PunchNoteValueValid(const std::string& text) {
    const std::string v = NoBlanks(text);
    enum { Letter, Dot, Number } state = Letter;
    if (v.empty() || NoteLetterIndex(v[0]) == 0) return false;
    for (std::size_t i = 1; i < v.size(); ++i) {
        const char ch = v[i];
        if (NoteLetterIndex(ch) != 0)
            state = Letter;
        else if (ch == '.' && state != Number)
            state = Dot;
        else if (std::isdigit(static_cast<unsigned char>(ch)) && state != Dot)
            state = Number;
        else
            return false;
    }
    return true;
}

PunchField PunchOK(Context& c, const PunchTexts& t) {
    if (t.Operation == PunchOperation::None) {
        c.msg.MsgBox("An operation must be selected", mb::OKOnly, std::string("PunchIn/Out"));
        return PunchField::Operation;
    }
    if (!t.LastItem) {
        if (!TrimmedWholeNumber(t.AtBar, 1, kMaxBar)) return PunchField::AtBar;
        if (!TrimmedWholeNumber(t.Repeat, 1, 4)) return PunchField::Repeat;
        if (!TrimmedWholeNumber(t.AtBeat, 1, 128)) return PunchField::AtBeat;
        const std::string value = LCase(NoBlanks(t.BeatValue));
        if (value.size() != 1 || NoteLetterIndex(value[0]) == 0) return PunchField::BeatValue;
    }
    // The bar of the item punched in, or of the items punched out.
    const bool measureUsed =
        !(t.LastItem && (t.Operation == PunchOperation::Out || t.UpdateAdjustment));
    if (measureUsed && !TrimmedWholeNumber(t.Measure, 0, kMaxBar)) return PunchField::Measure;
    const Kind kind = KindOf(c.s, t.Note);
    if (kind == Kind::Invalid) return PunchField::Note;
    if (!TrimmedWholeNumber(t.Octave, 0, 8)) return PunchField::Octave;
    if (kind == Kind::Controller) {
        if (!TrimmedWholeNumber(t.Adjustment, 0, 127)) return PunchField::Adjustment;
        if (!TrimmedWholeNumber(t.Dynamics, 0, 127)) return PunchField::Dynamics;
        return PunchField::None;
    }
    const std::string value = NoBlanks(t.NoteValue);
    if (!PunchNoteValueValid(value) || !DurationTextValid(value)) return PunchField::NoteValue;
    const std::string adjustment = Trim(t.Adjustment);
    // An amount added by Update Adjustment is a number.
    const bool amount = t.LastItem && t.UpdateAdjustment && t.Operation == PunchOperation::In;
    const bool dashes = ClassifyAdjustment(adjustment).Form == AdjustmentForm::Dashes;
    if (!TrimmedWholeNumber(adjustment, -999, 9999) &&
        !(dashes && adjustment.size() <= 4 && !amount))
        return PunchField::Adjustment;
    if (!(kind == Kind::Rest ? TrimmedWholeNumber(t.Dynamics, 0, 999)
                             : TrimmedWholeNumber(t.Dynamics, 1, 127)))
        return PunchField::Dynamics;
    if (!TrimmedWholeNumber(t.Pitchbend, -8192, 8191)) return PunchField::Pitchbend;
    return PunchField::None;
}

TrackItemRecord PunchItem(const PunchTexts& t) {
    TrackItemRecord r;
    r.Note = NoteOf(t.Note);
    r.Octave = Plain(t.Octave);
    r.Bar = Plain(t.Measure);
    r.Adjustment = Plain(t.Adjustment);
    r.Dynamics = Plain(t.Dynamics);
    // A rest is silent, whatever Dynamics holds.
    if (r.Note == "R") r.Dynamics = "0";
    if (r.Note == "CNTRL") {
        r.Octave = "0";
        r.PitchBend = "0";
    } else {
        r.Duration = NoBlanks(t.NoteValue);
        r.PitchBend = Plain(t.Pitchbend);
    }
    return r;
}

bool PunchInOut(Context& c, TrackSelectionDialog& tracks, PunchDialog& dialog) {
    PunchTexts texts;
    TrackItemRecord item;
    std::optional<bool> atEnds;
    EditCommand cmd;
    cmd.MenuMode = "mnuEdtPunch";
    cmd.Progress = kProgress;
    cmd.ShowDialog = [&](Context& cc) {
        if (!dialog.Show(cc)) return false;
        texts = dialog.Texts();
        item = PunchItem(texts);
        if (!texts.LastItem) return true;
        // The ends of the tracks need no bar range: the work is done here
        // and the frame goes no further.
        atEnds = PunchTrackEnds(cc, texts, item);
        return false;
    };
    cmd.Range = [&texts] {
        return EditRangeTexts{texts.AtBar, texts.AtBar, texts.AtBeat, "1",
                              LCase(NoBlanks(texts.BeatValue)), texts.Repeat};
    };
    cmd.ReadParameters = [](Context& cc) { cc.s.Percent = cc.s.FromValue = cc.s.ToValue = 0; };
    bool checked = false;
    cmd.ApplySpan = [&texts, &item, &checked](Context& cc) {
        try {
            // Every track is looked at before the first is changed.
            if (!checked) {
                checked = true;
                if (!PunchPlacesFree(cc, texts, item)) return false;
            }
            return PunchAtPlace(cc, texts, item);
        } catch (const VbError& e) {
            DisplayError(cc, e);
            return false;
        }
    };
    // Every track is recalculated at the end.
    cmd.Recalculates = false;
    const bool walked = RunEditCommand(c, tracks, cmd);
    if (atEnds) return *atEnds;
    return walked && RecalculateAll(c);
}

} // namespace tnq
