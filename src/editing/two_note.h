// "Set Up a &2 Note Pattern": the bar range of every chosen track replaced
// by a figure of two alternating notes (or a note and rests), a fixed
// number of equal notes to a bar, each bar starting again with note 1.
#pragma once

#include "core/context.h"
#include "core/track_selection.h"
#include "editing/rests.h"

#include <string>

namespace tnq {

// The boxes of frmTwoNote, as typed.
struct TwoNoteTexts {
    std::string FromBar, ToBar, Note1, Octave1, Note2, Octave2, NoteValue, NotesPerBar;
};

// The OK checks of frmTwoNote, in screen order: From Bar and To Bar
// (silent); each note name (its first letter upper-cased, a second "B"
// made the flat sign "b", trimmed) a name of NoteSharp or NoteFlat or "R";
// each octave a whole number 0..8, written back as its one digit; the Note
// Value (first letter lower-cased); # Notes per Bar. The boxes' changes are made in t.
GridField TwoNoteOK(const State& s, TwoNoteTexts& t);

// The item at position k of a bar: note 1 at even positions, note 2 at odd
// ones, with its octave, the note value, adjustment "0", dynamics "64" ("0"
// for a rest, which must stay silent), the bar, the channel, pitch bend "0".
TrackItemRecord PatternItem(const TwoNoteTexts& t, int k, int bar, const std::string& channel);

class TwoNoteDialog {
public:
    virtual ~TwoNoteDialog() = default;
    // Shown modally; true after a valid OK.
    virtual bool Show(Context& c) = 0;
    virtual TwoNoteTexts Texts() const = 0;
};

// The command: bars From..To of every chosen track (items of any kind)
// become # Notes per Bar items of the pattern per bar. Returns true when
// every chosen track was visited.
bool TwoNotePattern(Context& c, TrackSelectionDialog& tracks, TwoNoteDialog& dialog);

} // namespace tnq
