// The entry boxes: help lines, guards, loss-of-focus checks and keys.
#include "entry/entry_fields.h"

#include "core/delete_items.h"
#include "core/edit_fields.h"
#include "core/item_checks.h"
#include "core/item_space.h"
#include "core/recalculate.h"
#include "core/track_files.h"
#include "entry/revise_bar_nos.h"
#include "entry/scans.h"
#include "entry/value_fields.h"
#include "core/vocabulary.h"
#include "core/nrpn_table.h"
#include "platform/key_codes.h"
#include "platform/vb.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string_view>

namespace tnq {

namespace {

constexpr const char* kTempoHelp = "Enter number of quarter notes per minute";
constexpr const char* kItemHelp =
    "Press F9 to go to a Bar; Find Next: F2=PROGR;F3=CNTRL;F4=TEMPO;F5=METER;F6=LEGON;F8=Channel "
    "change;F10=PBEND";
constexpr const char* kChannelHelp = "Enter channel number (1-16)";
constexpr const char* kBarHelp =
    "Press F11 to insert item(s); F10 to delete Item(s); F6=revise bar nos.; F8=copy items";
constexpr const char* kNoteHelp =
    "Enter note names C Eb F# etc.; F2=Prog. Change, F3=Control Change,F4=Legato On, F5=Legato "
    "Off F6=TEMPO, F8=METER, or F7";
constexpr const char* kOctaveHelp = "Enter octave (0-8)";
constexpr const char* kDurationHelp =
    "w=whole note h=half note q, e, s, t for others, z=sixty fourth; q.=dotted quarter, "
    "q3=quarter triplet etc.\"";
constexpr const char* kPitchBendHelp = "Range is -8192 to 8191 (0=no Pitchbend)";

// Titles of the note box's messages.
constexpr const char* kTrackOneTitle = "Tonquill";
constexpr const char* kEntryTitle = "Enter/Edit/Scan Items";

// The keywords whose value label the note box leaves alone.
constexpr std::string_view kValueKeywords = "LOCAT-PROGR-PORTS-AFTER-NRPN1-TEMPO-METER-PBEND-CNTRL";

// The function keys the note box answers.
constexpr int kF2 = vbkey::F1 + 1, kF3 = vbkey::F1 + 2, kF4 = vbkey::F1 + 3, kF5 = vbkey::F1 + 4,
              kF6 = vbkey::F1 + 5, kF7 = vbkey::F1 + 6, kF8 = vbkey::F1 + 7, kF9 = vbkey::F1 + 8,
              kF10 = vbkey::F1 + 9, kF11 = vbkey::F1 + 10;

// A number as the box shows it: whole numbers as digits, others as
// written by Str without its blank.
std::string BoxNumberText(double v) {
    if (v == std::floor(v) && std::fabs(v) < 1e15) return NumberText(static_cast<long long>(v));
    return Trim(StrDouble(v));
}

bool TrackValid(const State& s, const std::string& text) {
    return IsNumeric(text) && InRange(Val(text), 1, s.NumTracks);
}

// The item pointer of the current track lies on an item or just behind the
// last one.
bool PointerValid(const State& s) {
    if (!HasCurrentTrack(s)) return false;
    const int t = s.CurrentTrack;
    return s.CurrentItem(t) >= 1 && s.CurrentItem(t) <= s.ItemCount(t) + 1;
}

// The item box names the item at the pointer (or there is no track whose
// pointer it could name; Accept Item refuses that by itself).
bool ItemBoxNamesPointer(const State& s, const std::string& text) {
    if (!HasCurrentTrack(s)) return true;
    return IsNumeric(text) && RoundHalfEven(Val(text)) == s.CurrentItem(s.CurrentTrack);
}

void HideIfShown(Context& c, const char* control) {
    if (c.screen.ControlVisible(control)) c.screen.SetControlVisible(control, false);
}

// ---- The value boxes for the note text ---------------------------------------

// The four groups of value controls the note box switches: label and box.
enum Group { Octave, NoteValue, Value, PitchBend };
constexpr const char* kGroupControls[4][2] = {{"lblOctave", "txtOcta"},
                                              {"lblNoteValue", "txtDur"},
                                              {"lblAdjustment", "txtAdj"},
                                              {"lblPitchBend", "txtPitchBend"}};

struct NoteRow {
    std::string_view Note;
    std::initializer_list<Group> Off; // switched off, in this order
    bool AdjustmentBoxOn;
    const char* Adjustment; // nullptr: caption unchanged
    const char* Dynamics;
};

const NoteRow kNoteRows[] = {
    {"TEMPO", {NoteValue, Octave, Value, PitchBend}, false, nullptr, "Beats per Minute"},
    {"LOCAT", {Octave, NoteValue, Value, PitchBend}, false, nullptr, "Location"},
    {"PROGR", {Octave, NoteValue, Value, PitchBend}, false, nullptr, "Patch"},
    {"AFTER", {Octave, NoteValue, Value, PitchBend}, false, nullptr, "Ch. Aftertouch"},
    {"PBEND", {Octave, NoteValue, Value, PitchBend}, false, nullptr, "PB Sensitivity"},
    {"PORTS", {Octave, NoteValue, Value, PitchBend}, false, nullptr, "Port Number"},
    {"CNTRL", {Octave, NoteValue, PitchBend}, true, "Control #", "Control Value"},
    {"LFO_2", {Octave, NoteValue, PitchBend}, true, "Speed", "Pitch Change"},
    {"FILT1", {Octave, NoteValue, PitchBend}, true, "Speed", "Depth"},
    {"METER", {Octave, NoteValue, PitchBend}, true, "Top Number", "Bottom Number"},
    {"FILT2", {Octave, NoteValue, PitchBend}, true, "Filter Cutoff", "Filter Resonance"},
    {"NRPN1", {Octave, NoteValue, PitchBend}, true, "LSB Number (0 - 26)", "Value"},
};

void SwitchRow(Context& c, const NoteRow& row) {
    for (Group g : row.Off) {
        c.screen.SetControlEnabled(kGroupControls[g][0], false);
        c.screen.SetControlEnabled(kGroupControls[g][1], false);
    }
    if (row.AdjustmentBoxOn) c.screen.SetControlEnabled("txtAdj", true);
}

void LabelRow(Context& c, const NoteRow& row) {
    if (row.Adjustment) c.screen.SetCaption("lblAdjustment", row.Adjustment);
    c.screen.SetCaption("lblDynamics", row.Dynamics);
}

} // namespace

bool HasCurrentTrack(const State& s) {
    const int t = s.CurrentTrack;
    return t >= 1 && t <= s.NumTracks && t <= s.ItemCount.Upper() && t <= s.CurrentItem.Upper();
}

// ---- Help lines -------------------------------------------------------------------

std::string TrackHelpLine(int numTracks) {
    return "Enter track number (1-" + NumberText(numTracks) + ")";
}

std::optional<std::string> AdjHelpLine(const std::string& note) {
    if (note == "FILT2") return "Filter Cutoff is 0-127";
    if (note == "FILT1") return "Wa Wa speed is 0-127";
    if (note == "LFO_2") return "Speed is 0-127";
    if (note == "NRPN1") return "LSB is 0 to 26";
    if (note == "CNTRL") return "Controllers are 0 to 127";
    if (note == "METER") return "Top Number is 1-99";
    return std::nullopt;
}

std::string DynHelpLine(const std::string& note, const std::string& adj) {
    if (note == "PROGR") return "Patch range from 1-128";
    if (note == "CNTRL" || note == "AFTER" || note == "PBEND") return "Range from 0-127";
    if (note == "LFO_2") return "Pitch Change from -127 to 127";
    if (note == "FILT1") return "Wa Wa depth is -64 to 63";
    if (note == "FILT2") return "Filter Resonance is 0-127";
    if (note == "PORTS") return "Ports are 0-9";
    if (note == "METER") return "Bottom Number is 2, 4, 8, 16, 32 or 64";
    if (note == "TEMPO") return "Beats per Minute is 1-999";
    if (note == "LOCAT") return "Location is 1-999";
    if (note == "NRPN1") {
        // A parameter the table does not have reads as 0 to 0.
        const double n = RoundHalfEven(Val(adj));
        std::optional<NrpnRange> range;
        if (InRange(n, 0, kNrpnParameterCount - 1)) range = NrpnRangeOf(static_cast<int>(n));
        const NrpnRange r = range.value_or(NrpnRange{0, 0});
        return "From " + NumberText(r.Min) + " to " + NumberText(r.Max);
    }
    return "Dynamics range from 1-127";
}

// ---- Focus handlers -------------------------------------------------------------

void txtTempo_GotFocus(Context& c) {
    HideIfShown(c, "cboTracks");
    c.screen.SetStatus1(kTempoHelp);
}

bool txtTrack_GotFocus(Context& c) {
    State& s = c.s;
    if (!IsTempoText(c.screen.Text(Box::Tempo))) {
        c.screen.SetFocus(Box::Tempo);
        return false;
    }
    s.SkipValidation = 0;
    s.RecalcDone = 0;
    c.screen.SetControlVisible("cboTracks", true);
    c.screen.SetStatus1(TrackHelpLine(s.NumTracks));
    return true;
}

bool txtItem_GotFocus(Context& c) {
    State& s = c.s;
    if (!TrackValid(s, c.screen.Text(Box::Track))) {
        c.screen.SetFocus(Box::Track);
        return false;
    }
    HideIfShown(c, "cboTracks");
    s.SkipValidation = 0;
    c.screen.SetStatus1(kItemHelp);
    return true;
}

void txtChannel_GotFocus(Context& c) {
    c.s.SkipValidation = 0;
    c.screen.SetStatus1(kChannelHelp);
}

bool txtBar_GotFocus(Context& c) {
    State& s = c.s;
    if (!IsNumeric(c.screen.Text(Box::Item)) || !PointerValid(s)) {
        c.screen.SetFocus(Box::Item);
        return false;
    }
    if (s.FieldsDisabled == 1) EnableFields(c);
    s.SkipValidation = 0;
    c.screen.SetStatus1(kBarHelp);
    return true;
}

void txtNote_GotFocus(Context& c) {
    State& s = c.s;
    HideIfShown(c, "cboGMNames");
    if (s.FieldsDisabled == 1) EnableFields(c);
    DefaultValueLabels(c);
    s.SkipValidation = 0;
    c.screen.SetStatus1(kNoteHelp);
}

void txtOcta_GotFocus(Context& c) {
    c.s.SkipValidation = 0;
    c.screen.SetStatus1(kOctaveHelp);
}

void txtDur_GotFocus(Context& c) {
    c.s.SkipValidation = 0;
    c.screen.SetStatus1(kDurationHelp);
}

void txtAdj_GotFocus(Context& c) {
    if (const auto line = AdjHelpLine(c.screen.Text(Box::Note))) c.screen.SetStatus1(*line);
    c.s.SkipValidation = 0;
}

void txtDyn_GotFocus(Context& c) {
    const std::string note = c.screen.Text(Box::Note);
    c.screen.SetStatus1(DynHelpLine(note, c.screen.Text(Box::Adj)));
    if (note == "PROGR") {
        // The program is chosen from the instrument list.
        c.screen.SetControlVisible("cboGMNames", true);
        c.screen.SetFocusOn("cboGMNames");
    }
    c.s.SkipValidation = 0;
}

void txtPitchbend_GotFocus(Context& c) {
    c.screen.SetStatus1(kPitchBendHelp);
}

// ---- Loss-of-focus checks -------------------------------------------------------

void ShowTrackDetails(Context& c, Integer t, const std::string& trackText) {
    State& s = c.s;
    MainScreen& sc = c.screen;
    sc.SetControlVisible("txtChannel", t != 1);
    sc.SetCaption("lblTrackDesc",
                  t <= s.TrackDescription.Upper() ? s.TrackDescription(t) : std::string());
    s.LastTrack = trackText;

    // The page of track rows that holds the track.
    const int page = (t - 1) / 32;
    if (page != s.TrackPage) {
        if (s.NumTracks > 64) s.TrackPage = static_cast<Integer>((page + 2) % 3);
        sc.btnFlip_Click();
    }
}

bool txtTempo_LostFocus(Context& c) {
    State& s = c.s;
    MainScreen& sc = c.screen;
    if (s.MenuActive != 0) return true;
    if (s.FieldsDisabled == 1) EnableFields(c);
    const std::string text = sc.Text(Box::Tempo);
    if (!IsNumeric(text)) {
        sc.SetFocus(Box::Tempo);
        return false;
    }
    const double v = Val(text);
    if (!InRange(v, kMinTempo, kMaxTempo)) {
        sc.Beep();
        sc.SetText(Box::Tempo, s.LastTempo);
        sc.SetFocus(Box::Tempo);
        return false;
    }
    s.LastTempo = text;
    s.BeatUnit = 8;
    if (v != Val(s.Tempo)) {
        const int answer = c.msg.MsgBox("Are you sure you want to change Tempo from " + s.Tempo +
                                            " to " + text + " ?",
                                        mb::YesNo | mb::Question, std::string("Tempo Change ?"));
        if (answer == mb::Yes) {
            sc.SetHourglass(true);
            s.Tempo = text;
            s.SelectedTracks.assign(static_cast<std::size_t>(std::max<int>(s.NumTracks, 0)), '1');
            Recalculate(c);
            sc.SetHourglass(false);
        } else {
            sc.SetText(Box::Tempo, s.Tempo);
        }
    }
    sc.SetText(Box::Track, "1");
    return true;
}

bool txtTrack_LostFocus(Context& c) {
    State& s = c.s;
    MainScreen& sc = c.screen;
    if (s.MenuActive != 0) return true;
    if (s.FieldsDisabled == 1) EnableFields(c);
    if (s.SkipValidation == 1) return true;

    // A number beyond the piece's tracks, however large, is refused.
    const std::string text = sc.Text(Box::Track);
    if (!TrackValid(s, text) || s.NumTracks > s.CurrentItem.Upper() ||
        s.NumTracks > s.ItemCount.Upper()) {
        sc.Beep();
        sc.SetText(Box::Track, s.LastTrack);
        sc.SetFocus(Box::Track);
        return false;
    }
    const Integer t = CInt(Val(text));
    ShowTrackDetails(c, t, text);

    // A track is measured from its start, as the recalculation does: no
    // fraction of a tick and no TEMPO beat unit of another track carry over.
    s.TickFraction = 0;
    s.BeatUnit = 8;
    s.CurrentTrack = t;
    try {
        TrackFileOpen(c);
    } catch (const VbError& e) {
        c.msg.MsgBox(ErrorOccuredText(e));
        sc.SetFocus(Box::Track);
        return false;
    }

    s.LastItem = NumberText(s.CurrentItem(t));
    sc.SetText(Box::Item, s.LastItem);
    for (Box b : {Box::Bar, Box::Note, Box::Octa, Box::Dur}) sc.SetText(b, "");
    sc.SetText(Box::Adj, "0");
    sc.SetText(Box::Dyn, "64");
    s.LastBar.clear();
    s.LastNote.clear();
    s.LastDuration.clear();
    s.LastDynamics.clear();
    s.LastChannel.clear();
    s.LastPitchBend.clear();
    s.LastOctave = "0";
    return true;
}

bool txtItem_LostFocus(Context& c) {
    State& s = c.s;
    MainScreen& sc = c.screen;
    if (s.MenuActive != 0) return true;
    if (s.FieldsDisabled == 1) EnableFields(c);
    if (s.SkipValidation == 1) return true;
    // No track has been chosen yet.
    if (!HasCurrentTrack(s)) {
        sc.SetFocus(Box::Track);
        return false;
    }

    const int t = s.CurrentTrack;
    const int count = s.ItemCount(t);
    auto pointerFor = [&](const std::string& text) -> std::optional<Integer> {
        if (!IsNumeric(text)) return std::nullopt;
        const double n = RoundHalfEven(Val(text));
        if (!InRange(n, 1, count + 1)) return std::nullopt;
        return static_cast<Integer>(n);
    };

    const std::string text = sc.Text(Box::Item);
    const std::optional<Integer> item = pointerFor(text);
    if (!item) {
        // The pointer goes back to the last valid item number the box
        // showed; when that no longer lies on the track, to the pointer it
        // had, or behind the last item.
        if (const auto last = pointerFor(s.LastItem)) {
            s.CurrentItem(t) = *last;
            sc.SetText(Box::Item, s.LastItem);
        } else {
            const int before = s.CurrentItem(t);
            if (before < 1 || before > count + 1)
                s.CurrentItem(t) = static_cast<Integer>(count + 1);
            s.LastItem = NumberText(s.CurrentItem(t));
            sc.SetText(Box::Item, s.LastItem);
        }
        sc.SetFocus(Box::Item);
        return false;
    }
    s.CurrentItem(t) = *item;

    if (*item == 1) {
        sc.SetText(Box::Bar, "1");
        for (Box b : {Box::Note, Box::Octa, Box::Dur}) sc.SetText(b, "");
        sc.SetText(Box::Adj, "0");
        sc.SetText(Box::Dyn, "64");
        s.ItemDynamics = 64;
        sc.SetText(Box::PitchBend, "0");
    }
    if (count < *item) {
        sc.SetText(Box::Channel, t <= 16 ? sc.Text(Box::Track) : std::string("16"));
    } else if (ReadItem(c, 2)) {
        if (Trim(sc.Text(Box::Note)).size() == 5) DisplayDescription(c);
    }
    s.LastItem = sc.Text(Box::Item);
    return true;
}

void txtChannel_LostFocus(Context& c) {
    c.screen.SetControlVisible("cboDrumLookup", Val(c.screen.Text(Box::Channel)) == 10);
}

bool txtBar_LostFocus(Context& c) {
    const State& s = c.s;
    if (s.MenuActive != 0 || s.SkipValidation == 1) return true;
    if (!IsNumeric(c.screen.Text(Box::Bar))) {
        c.screen.SetFocus(Box::Bar);
        return false;
    }
    return true;
}

void DisableFields(Context& c) {
    for (const char* control : kValueControls) c.screen.SetControlEnabled(control, false);
    c.s.FieldsDisabled = 1;
    c.screen.SetFocusOn("btnAccept");
}

bool txtNote_LostFocus(Context& c) {
    State& s = c.s;
    MainScreen& sc = c.screen;
    if (s.MenuActive != 0 || s.SkipValidation == 1) return true;

    // Text that was not typed key by key (pasted) is upper-cased here.
    std::string note = UCase(Trim(sc.Text(Box::Note)));
    s.Scratch = note;
    if (note != sc.Text(Box::Note)) sc.SetText(Box::Note, note);
    const bool trackOne = Val(sc.Text(Box::Track)) == 1;

    if (trackOne && note != "TEMPO" && note != "METER" && note != "R" && note != "END") {
        c.msg.MsgBox("Only Tempo and Meter changes allowed on Track 1", mb::OKOnly,
                     std::string(kTrackOneTitle));
        sc.SetFocus(Box::Note);
        return false;
    }

    // The flat sign.
    if (const std::string flat = FlatSpelling(note); flat != note) {
        note = flat;
        s.Scratch = note;
        sc.SetText(Box::Note, note);
    }

    if (note.size() != 5 || InStr(kValueKeywords, note) == 0)
        SetCaptionWhereDifferent(c, "lblDynamics", "Dynamics");

    if (note != "R" && note != "END" && note.size() != 5) return true;
    s.FieldsDisabled = 1;

    if (note == "R") {
        sc.SetControlEnabled("txtOcta", false);
        sc.SetControlEnabled("txtDyn", false);
        return true;
    }
    if (note == "END" || note == "LEGON" || note == "LEGOF" || note == "RESET" || note == "LEGO1") {
        DisableFields(c);
        return false;
    }
    for (const NoteRow& row : kNoteRows) {
        if (note != row.Note) continue;
        if (note == "TEMPO") {
            if (!trackOne) {
                c.msg.MsgBox("Tempo changes should only be placed on Track 1", mb::OKOnly,
                             std::string(kEntryTitle));
                sc.SetFocus(Box::Note);
                return false;
            }
            sc.SetText(Box::Dur, "q");
        }
        SwitchRow(c, row);
        if (note == "METER" && !trackOne) {
            c.msg.MsgBox("Meter changes should only be placed on Track 1", mb::OKOnly,
                         std::string(kEntryTitle));
            sc.SetFocus(Box::Note);
            return false;
        }
        LabelRow(c, row);
        return true;
    }
    return true; // another five characters: only FieldsDisabled
}

void txtDur_LostFocus(Context& c) {
    if (c.s.MenuActive != 0) return;
    c.screen.SetStatus1("");
    if (c.s.SkipValidation != 1) c.screen.SetText(Box::Dur, LCase(Trim(c.screen.Text(Box::Dur))));
}

void cboGMNames_LostFocus(Context& c) {
    const State& s = c.s;
    MainScreen& sc = c.screen;
    if (s.MenuActive != 0 || s.SkipValidation == 1 || !sc.GMNamesVisible()) return;
    if (!sc.GMNamesText().empty() || sc.GMNamesListIndex() >= 0)
        sc.SetText(Box::Dyn, ChosenProgram(sc));
    sc.HideGMNames();
}

// ---- Keys ---------------------------------------------------------------------------

FormKeyAction Form_KeyDown(Context& c, int keyCode, int shift) {
    State& s = c.s;
    if (keyCode == vbkey::Return && shift == 0) return FormKeyAction::NextBox;
    if (keyCode == vbkey::Up && shift == 0) {
        s.SkipValidation = 1;
        return FormKeyAction::PreviousBox;
    }
    if (keyCode == vbkey::Tab && shift == vbshift::Shift) {
        s.SkipValidation = 1;
        return FormKeyAction::None;
    }
    if (keyCode == vbkey::F12 && shift == 0 && !c.screen.GMNamesVisible()) {
        if (!ItemBoxNamesPointer(s, c.screen.Text(Box::Item))) return FormKeyAction::CheckItemBox;
        const std::string note = c.screen.Text(Box::Note);
        if (note == "END" || note == "LEGOF" || note == "LEGO1" || note == "LEGON") {
            const bool pastLast =
                HasCurrentTrack(s) && s.CurrentItem(s.CurrentTrack) > s.ItemCount(s.CurrentTrack);
            if (pastLast || s.InsertRemaining > 1) return FormKeyAction::None;
        }
        return FormKeyAction::Accept;
    }
    return FormKeyAction::None;
}

void Form_KeyPress(int& keyAscii) {
    if (keyAscii == vbkey::Return) keyAscii = 0;
}

namespace {

// A command of a function key on the current track; a track-file failure is
// reported and ends it.
template <class Command> void OnCurrentTrack(Context& c, Command command) {
    if (!HasCurrentTrack(c.s)) return;
    try {
        command();
    } catch (const VbError& e) {
        c.msg.MsgBox(ErrorOccuredText(e));
    }
}

// A command that works at the cursor and leaves it where it was, shown in
// the item box.
template <class Command> void KeepingCursor(Context& c, Command command) {
    OnCurrentTrack(c, [&c, &command] {
        State& s = c.s;
        const int t = s.CurrentTrack;
        const Integer kept = s.CurrentItem(t);
        command();
        s.CurrentItem(t) = kept;
        c.screen.SetText(Box::Item, NumberText(kept));
    });
}

// F9: the bar asked for, then the search for its first item.
void FindBar(Context& c) {
    State& s = c.s;
    for (;;) {
        const std::string answer =
            c.msg.InputBox("Enter bar number to find", std::string("Find Bar"));
        if (answer.empty()) return;
        if (IsNumeric(answer) && InRange(Val(answer), 0, kMaxBar)) {
            s.ItemBar = CInt(Val(answer));
            break;
        }
    }
    LocateBar(c);
}

// The keyword each find key of the item box looks for.
const char* FindKeyword(int keyCode) {
    switch (keyCode) {
    case kF2:
        return "PROGR";
    case kF3:
        return "CNTRL";
    case kF4:
        return "TEMPO";
    case kF5:
        return "METER";
    case kF6:
        return "LEGON";
    case kF10:
        return "PBEND";
    default:
        return nullptr;
    }
}

} // namespace

void txtItem_KeyDown(Context& c, int& keyCode, int shift) {
    if (shift != 0) return;
    // The scans show messages: their keys go no further once used.
    switch (keyCode) {
    case kF7:
        keyCode = 0;
        CheckLegato(c);
        return;
    case kF8:
        keyCode = 0;
        CheckChannel(c);
        return;
    case kF9:
        return OnCurrentTrack(c, [&c] { FindBar(c); });
    default:
        break;
    }
    if (const char* keyword = FindKeyword(keyCode)) {
        OnCurrentTrack(c, [&c, keyword] {
            c.s.Scratch = keyword;
            LocateNote(c);
        });
    }
}

void txtBar_KeyDown(Context& c, int& keyCode, int shift, EntryDialogs* dialogs) {
    State& s = c.s;
    s.DialogResult.clear();
    if (shift != 0) return;
    switch (keyCode) {
    case vbkey::Home: {
        const double next = Val(c.screen.Text(Box::Bar)) + 1;
        c.screen.SetText(Box::Bar, BoxNumberText(next));
        // A bar beyond 16 bits is refused by Accept Item; ItemBar keeps its
        // value.
        if (InRange(RoundHalfEven(next), -32768, 32767)) s.ItemBar = CInt(next);
        c.screen.SetFocus(Box::Note);
        break;
    }
    case kF11:
        KeepingCursor(c, [&c] { InsertItems(c); });
        if (HasCurrentTrack(s)) s.InsertLastItem = s.CurrentItem(s.CurrentTrack);
        break;
    case kF10:
        KeepingCursor(c, [&c] { DeleteItemPrompt(c); });
        break;
    case kF6:
        // Used here: the key goes no further while the dialog shows.
        keyCode = 0;
        if (dialogs) ReviseBarNumbers(c, *dialogs);
        break;
    case kF8:
        // Used up here: the key goes no further once the dialog has gone,
        // whichever control the focus is back on by then.
        keyCode = 0;
        if (dialogs) CopyItemsHere(c, *dialogs);
        break;
    default:
        break;
    }
}

void txtNote_KeyDown(Context& c, int& keyCode, int shift, EntryDialogs* dialogs) {
    c.s.DialogResult.clear();
    if (shift != 0) return;
    if (keyCode == kF7) {
        keyCode = 0;
        if (dialogs) PickSpecialItem(c, *dialogs);
        return;
    }
    const char* keyword = nullptr;
    switch (keyCode) {
    case kF2:
        keyword = "PROGR";
        break;
    case kF3:
        keyword = "CNTRL";
        break;
    case kF4:
        keyword = "LEGON";
        break;
    case kF5:
        keyword = "LEGOF";
        break;
    case kF6:
        keyword = "TEMPO";
        break;
    case kF8:
        keyword = "METER";
        break;
    default:
        break;
    }
    if (keyword) c.screen.SetText(Box::Note, keyword);
}

void PickSpecialItem(Context& c, EntryDialogs& dialogs) {
    State& s = c.s;
    s.DialogResult.clear();
    // The note box is not checked while the picker has the focus; it has
    // the focus again when the picker is gone.
    s.SkipValidation = 1;
    dialogs.ShowNoteOptions(c);
    s.SkipValidation = 0;
    if (s.DialogResult.empty()) return;
    c.screen.SetText(Box::Note, s.DialogResult);
    c.screen.SetStatus1("Press <ENTER> to accept");
}

void ReviseBarNumbers(Context& c, EntryDialogs& dialogs) {
    State& s = c.s;
    s.DialogResult.clear();
    // The bar box is not checked while the dialog has the focus; it has
    // the focus again when the dialog is hidden.
    s.SkipValidation = 1;
    const ReviseMode mode = dialogs.ShowReviseBarNos(c);
    s.SkipValidation = 0;
    if (!HasCurrentTrack(s)) return;
    if (s.DialogResult == "okay") AssignBarNumbers(c, mode);
    s.LastItem = NumberText(s.CurrentItem(s.CurrentTrack));
    c.screen.SetText(Box::Item, s.LastItem);
}

void CopyItemsHere(Context& c, EntryDialogs& dialogs) {
    State& s = c.s;
    s.DialogResult.clear();
    // The bar box is not checked while the dialog has the focus.
    s.SkipValidation = 1;
    dialogs.ShowCopyByItem(c);
    s.SkipValidation = 0;
    if (!HasCurrentTrack(s)) return;
    if (s.DialogResult != "okay") {
        c.screen.SetFocus(Box::Bar);
        return;
    }
    dialogs.RunCopyByItem(c);
    // The boxes show the item at the cursor, behind the copied items, so
    // that the next Accept Item writes what they show where they show it.
    ShowCursorItem(c, NumberText(s.CurrentItem(s.CurrentTrack)));
}

void txtNote_KeyPress(State& s, int& keyAscii) {
    NoteNameKey(keyAscii, s.NoteKeyCount + 1);
    // The count only tells the second keystroke; it stops at the 16-bit limit.
    if (s.NoteKeyCount < 32767) ++s.NoteKeyCount;
}

void txtDur_KeyPress(int& keyAscii) {
    if (keyAscii > 0 && keyAscii < 256) {
        const std::string lower = LCase(std::string(1, static_cast<char>(keyAscii)));
        if (lower.size() == 1) keyAscii = static_cast<unsigned char>(lower[0]);
    }
}

} // namespace tnq
