// Revise Parameters: chosen fields of every item in a passage of the chosen
// tracks overwritten with one value each (note name, octave, note value,
// channel, pitch bend). Only ticked boxes count; a field whose box is not
// ticked (or, for the note value, empty) is left as it is. The tracks are
// recalculated afterwards, as note values change lengths.
#pragma once

#include "core/context.h"
#include "core/track_selection.h"
#include "editing/passage_fields.h"

#include <optional>
#include <string>

namespace tnq {

// The boxes of frmParameters, as typed, with their ticks.
struct ParameterTexts {
    PassageTexts Passage;
    bool NoteTicked = false, OctaveTicked = false, DurationTicked = false,
         ChannelTicked = false, PitchbendTicked = false;
    std::string Note, Octave, Duration, Channel, Pitchbend;
};

class ParametersDialog {
public:
    virtual ~ParametersDialog() = default;
    // Shown modally; true after a valid OK.
    virtual bool Show(Context& c) = 0;
    virtual ParameterTexts Texts() const = 0;
};

// A note value as this dialog takes it: a letter of "xwhqestzy" first;
// after a letter or a dot, a letter, a dot or a digit; after a digit, a
// letter or a digit; at most 10 characters that the duration parser takes.
bool RevisedDurationValid(const std::string& text);

// The note name of the Note box: one of the sharp or flat names, letter case
// as in the tables, or "R" in either case (given back as "R").
std::optional<std::string> RevisedNote(const State& s, const std::string& text);

// OK in screen order: By Bar or By Item; By Item with exactly one chosen
// track ("Selection by Item can only be for one track" for more); each
// ticked box: Note, Octave 0..8, Duration, Channel 1..16, Pitchbend
// -8192..8191; then the Repeat Number and the beat fields.
EditField ParametersOK(Context& c, const ParameterTexts& t);

// "Revise &Parameters...". Returns true when the walk ran to its end. Items
// with dashes keep their lengths: a note value for an item with dashes, or
// for one whose length a later item's dashes take off, refuses the command
// before any track is changed (ShowDashInTheWay, "revised").
bool ReviseParameters(Context& c, TrackSelectionDialog& tracks, ParametersDialog& dialog);

} // namespace tnq
