// Randomize a Passage: the notes of a passage of one track get random
// dynamics, or its TEMPO items random beats per minute, each a whole number
// from a lower to an upper limit with the same chance. The limits stay in
// the item's range (velocities 1..127, tempos 1..999), the lower not above
// the upper. Lengths do not change, so nothing is recalculated.
#pragma once

#include "core/context.h"
#include "editing/passage_fields.h"

#include <string>

namespace tnq {

// The boxes of frmRandom, as typed, with the mode chosen ("&Dynamics" or
// "&Tempo"; neither at first).
struct RandomTexts {
    PassageTexts Passage;
    std::string Track, Lower, Upper;
    bool Dynamics = false, Tempo = false;
};

class RandomDialog {
public:
    virtual ~RandomDialog() = default;
    // Shown modally; true after a valid OK.
    virtual bool Show(Context& c) = 0;
    virtual RandomTexts Texts() const = 0;
};

// OK in screen order: Track 1..NumTracks; By Bar or By Item (silent); a
// mode (silent); both limits numeric, within 1..127 for dynamics or 1..999
// for tempos, the lower not above the upper (silent); then the Repeat
// Number and the beat fields.
EditField RandomOK(const State& s, const RandomTexts& t);

// The whole number from lower to upper that a draw r in [0, 1) picks,
// computed from single-precision operands; a draw outside [0, 1) is taken
// as the nearest value inside.
Integer DrawBetween(double r, Integer lower, Integer upper);

// "Random&ize a Passage": the passage of the dialog's one track. A span
// without TEMPO items in Tempo mode is told ("A series of Tempos has to be
// set up first", title "Randomize") and left; the run goes on. Leaves
// SelectedTracks holding that track alone.
bool RandomizePassage(Context& c, RandomDialog& dialog);

} // namespace tnq
