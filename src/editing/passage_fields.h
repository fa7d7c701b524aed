// What the passage edits (Edit Dynamics, Edit Pitch Bend, Revise Parameters,
// Randomize a Passage) share: the passage boxes of their dialogs (By Bar or
// By Item, From, To, Repeat Number and the beat fields) with their OK rules,
// the percentage that scales a value, the ramp that steps a value in equal
// parts, and the work on one item of a span through the record boxes.
#pragma once

#include "core/context.h"
#include "core/track_selection.h"
#include "editing/edit_frame.h"

#include <functional>
#include <optional>
#include <string>

namespace tnq {

// The passage boxes of a dialog, as typed.
struct PassageTexts {
    bool ByBar = true, ByItem = false;
    std::string From, To, RepeatNumber = "1", BeatValue = "q", StartingBeat, NoBeats;
};

// Where a passage dialog's OK stops: None = every check passed; Silent = OK
// does nothing (the focus stays); otherwise the box that gets the focus.
enum class EditField {
    None, Silent, Track, Channel, Percent, FromValue, ToValue, Lower, Upper,
    Note, Octave, Duration, PitchBend, RepeatNumber, BeatValue, StartingBeat, NoBeats,
    Controller, Insert
};

// By Bar or By Item chosen (else Silent); By Item with exactly one chosen
// track: none is Silent, more is "Selection by Item can only be for one
// track" and Silent.
EditField CheckPassageChoice(Context& c, const PassageTexts& t);

// The Repeat Number (1..4), then the beat fields: both empty passes;
// otherwise the Beat Value is one of "xwhqestzy", the Starting Beat and No.
// of Beats whole numbers from 0, and one empty beat box is refused by its
// own focus.
EditField CheckRepeatAndBeats(const PassageTexts& t);

// The frame's range texts of a passage (By Item: the item numbers).
EditRangeTexts RangeOf(const PassageTexts& t);

// A ticked Percent: a numeric text whose whole value is not 0 and fits 16
// bits; nothing otherwise.
std::optional<Integer> PercentValue(const std::string& text);

// The scale factor of a percentage, in single precision: 1 + |percent|/100,
// its reciprocal for a negative percentage.
Single PercentFactor(Integer percent);

// value × factor rounded down (the product taken in full precision), held
// within lo..hi.
Integer Scaled(Integer value, Single factor, int lo, int hi);

// Values in equal steps from `from`: the first item gets `from`, each
// Advance adds the step (single precision) without passing `to`, and the
// next value is the running one rounded down.
class Ramp {
public:
    // steps: how many parts the way from `from` to `to` is divided into
    // (it may be a fraction); 0 keeps every value at `from`.
    Ramp(Integer from, Integer to, double steps);
    Integer Next() const { return next_; }
    void Advance();

private:
    Integer from_, to_;
    Single step_ = 0, value_;
    Integer next_;
};

// Runs work on each item of the span RangeFrom..RangeTo of CurrentTrack that
// `take` accepts (by its score numbers): the item's record read into the
// boxes, work changes them (and the score), the record written back when
// work returns true. A record that cannot be read, or a run-time error,
// stops it (told) and returns false.
bool RewriteSpan(Context& c, const std::function<bool(int item)>& take,
                 const std::function<bool(int item)>& work);

// The number of items of the span that `take` accepts.
int CountInSpan(const State& s, const std::function<bool(int item)>& take);

// A note of the score for the value edits: a key (code 1..127) with a length.
bool IsSoundingNote(const State& s, int track, int item);

// Leaves SelectedTracks holding track alone.
void SelectOnly(State& s, int track);

// The track selection of a command whose own dialog names its one track:
// never shown.
class NoTrackSelection : public TrackSelectionDialog {
public:
    void Show(Context&) override {}
    void SetCaption(const std::string&) override {}
};

} // namespace tnq
