// "Punch In/Punch Out &1 Item": one item put into, or taken out of, every
// chosen track at the same place (a bar and beat, or the end of each
// track); or, with "Update Adjustment", an amount added to the adjustment
// of each track's last note or rest. Afterwards every track is selected
// and recalculated.
#pragma once

#include "core/context.h"
#include "core/track_files.h"
#include "core/track_selection.h"

#include <string>

namespace tnq {

enum class PunchOperation { None, In, Out };

// The dialog's boxes as typed, its check boxes and its operation.
struct PunchTexts {
    std::string AtBar, Repeat, AtBeat, BeatValue;
    bool LastItem = false; // "Add or Delete Last Item"
    std::string Measure, Note, Octave, NoteValue, Adjustment, Dynamics, Pitchbend;
    PunchOperation Operation = PunchOperation::None;
    bool UpdateAdjustment = false;
};

// The Punch In/Out dialog as the command sees it.
class PunchDialog {
public:
    virtual ~PunchDialog() = default;
    // Shown modally; true after a valid OK.
    virtual bool Show(Context& c) = 0;
    virtual PunchTexts Texts() const = 0;
};

// The Note Value rule of the dialog, stricter than a duration text: a note
// letter first; after a letter a letter, "." or a digit; after dots a
// letter or "."; after digits a letter or a digit. So "q", "q.", "hq", "q3"
// and "q.e" pass, "q3." and "q.3" and "3q" do not. Blanks do not count.
bool PunchNoteValueValid(const std::string& text);

// Where OK stops: None = accepted; Operation = no operation chosen (its
// message shown); otherwise the box that gets the focus.
enum class PunchField {
    None, Operation, AtBar, Repeat, AtBeat, BeatValue, Measure, Note, Octave, NoteValue,
    Adjustment, Dynamics, Pitchbend
};

// The checks of OK in screen order: an operation ("An operation must be
// selected", title "PunchIn/Out"); unless "Add or Delete Last Item": At Bar
// 1..9999, Repeat No. 1..4, At Beat 1..128, Beat Value one note letter
// (blanks removed, either case); Measure a bar 0..9999 wherever the item's
// bar is used (not for Punch Out or Update Adjustment at the track ends);
// Note Name one of the 24 note names, or "R" or "CNTRL" in either case;
// Octave 0..8; for CNTRL the controller 0..127 and its value 0..127; for a
// note or rest a Note Value that passes the dialog's rule and is a duration
// the recalculation takes, an adjustment of the item's forms (a number
// -999..9999 or dashes, at most four characters; for Update Adjustment a
// number), Dynamics 1..127 (0..999
// for a rest) and Pitchbend -8192..8191. Numbers are whole, blanks around
// them allowed.
PunchField PunchOK(Context& c, const PunchTexts& t);

// The item a valid dialog describes, as it is written into the record
// boxes: numbers in plain digits, "R" and "CNTRL" upper-cased, blanks
// removed from the note and its value; a rest has Dynamics "0"; CNTRL has
// octave "0", no note value and pitch bend "0". The channel is left empty: it is taken from the
// track.
TrackItemRecord PunchItem(const PunchTexts& t);

// The command. At a bar and beat (bar range validated on every chosen
// track, occurrence Repeat No.): Punch In opens room before the item at
// the place and writes the dialog's item there, with the channel of the
// item it pushed on; a full track gets the "Space Limitation" message and
// stays as it was. Punch Out deletes the first item of bar Measure from the
// place on that matches: a note or rest by note and note value, a keyword
// by note and dynamics. At the end of each chosen track: Punch In appends
// the item (the capacity rule as above); with "Update Adjustment" it adds
// the Adjustment to that of the last note or rest instead (a track of
// keywords alone is passed over; a sum outside -999..9999 shows "Track <t>
// new adjustment value out of range", title "Punch In/Punch Out", and ends
// the command after the tracks done before are recalculated); Punch Out
// removes the last item when note and duration match. Returns true when
// every chosen track was done.
//
// Dash adjustments: before any track is changed, the punched item's dashes
// must find items before its place to take off and leave it a length (as
// Accept Item takes them), and no later item's dashes may take off items
// across the place (at a bar and beat; for Punch Out the item it takes out);
// otherwise a message names the track and item and nothing is changed.
// Update Adjustment adds only numbers and keeps dashes: a last note or rest
// whose adjustment is dashes refuses the command (ShowDashInTheWay,
// "updated") before any track is changed.
bool PunchInOut(Context& c, TrackSelectionDialog& tracks, PunchDialog& dialog);

} // namespace tnq
