// Staccato and its reversal: "Apply &Staccato..." shortens every plain note
// of a passage and fills the time it gives up with a rest right after it,
// so the track keeps its length; "&Reverse Staccato..." joins each note
// directly followed by a rest back into one note. Both work on the track
// files and leave the score to the closing recalculation.
#pragma once

#include "core/context.h"
#include "core/track_selection.h"

#include <optional>
#include <string>

namespace tnq {

// The part of a note that stays sounding.
enum class Proportion { None, OneQuarter, OneHalf, ThreeQuarters };

// The boxes and options of frmStaccato, as set.
struct StaccatoTexts {
    std::string Repeats, BeatValue, StartingBeat, NoBeats, From, To;
    bool ByBar = true, ByItem = false;
    Proportion Part = Proportion::OneHalf;
};

// Where OK stops: None = accepted; Silent = OK does nothing; otherwise the
// field that gets the focus.
enum class StaccatoField { None, Silent, Repeats, BeatValue, StartingBeat, NoBeats };

// The OK checks of frmStaccato, in this order: a location option; By Item
// with exactly one chosen track ("Selection by Item can only be for one
// track" when several); a proportion; Repeat Number 1..4; From and To
// numeric, To not below From (silent); then, when both beat fields are
// filled, Beat Value one letter of "xwhqestzy", Starting Beat and No. of
// Beats whole numbers from 0; a No. of Beats given alone not below 0.
StaccatoField StaccatoOK(Context& c, const StaccatoTexts& t);

// A note's Duration W (trimmed) under Staccato with the proportion: the
// note's new duration and the rest after it, or nothing when the note
// stays as it is (tied values, "y", text that is no plain note value, a
// result that is no valid duration of at most 10 characters).
struct StaccatoSplit {
    std::string Note, Rest;
};
std::optional<StaccatoSplit> SplitDuration(const std::string& w, Proportion part);

// The duration of a note D joined with the rest E after it, or nothing when
// the pair cannot be joined (a letter before "x" would be needed, a tuplet
// that halves to no divisor, a rest without a note value).
std::optional<std::string> JoinedDuration(const std::string& d, const std::string& e);

class StaccatoDialog {
public:
    virtual ~StaccatoDialog() = default;
    // Shown modally, captioned by MenuMode; true after a valid OK.
    virtual bool Show(Context& c) = 0;
    virtual StaccatoTexts Texts() const = 0;
};

// The per-track steps on RangeFrom..RangeTo of CurrentTrack, file 2 open.
// A track without room for the copies ("Space Limitation") is left
// byte for byte as it was. Staccato leaves a note whole that has a dash
// adjustment or that a later item's dash adjustment takes off the length of.
void StaccatoSpan(Context& c, Proportion part);
// Reverse Staccato leaves a note and its rest apart when the rest has a dash
// adjustment or a later item's dashes take off its length or one before it.
void ReverseStaccatoSpan(Context& c);

// The commands. Return true when every span was visited.
bool ApplyStaccato(Context& c, TrackSelectionDialog& tracks, StaccatoDialog& dialog);
bool ReverseStaccato(Context& c, TrackSelectionDialog& tracks, StaccatoDialog& dialog);

} // namespace tnq
