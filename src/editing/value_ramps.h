// Edit Dynamics and Edit Pitch Bend: the notes of a passage (dynamics), or
// its notes and rests (pitch bend, all put on one channel), get values in
// equal steps from a From Value to a To Value, or their values scaled by a
// percentage. A scaled value stays in its range: velocities 1..127, bends
// -8192..8191. Neither changes a length, so neither recalculates.
#pragma once

#include "core/context.h"
#include "core/track_selection.h"
#include "editing/passage_fields.h"

#include <string>

namespace tnq {

// The boxes of frmDynamics and frmPitchbend, as typed (Track and Channel
// only in frmPitchbend). Percent is the percent box when Percent is ticked
// and empty otherwise.
struct RampTexts {
    PassageTexts Passage;
    std::string Track, Channel;
    bool PercentTicked = false;
    std::string Percent, FromValue, ToValue;
};

// The dialog as the commands see it.
class RampDialog {
public:
    virtual ~RampDialog() = default;
    // Shown modally; true after a valid OK.
    virtual bool Show(Context& c) = 0;
    virtual RampTexts Texts() const = 0;
};

// OK of Edit Dynamics, in screen order: By Bar or By Item chosen; By Item
// with exactly one chosen track ("Selection by Item can only be for one
// track" for more); a ticked Percent not 0 and within 16 bits, or else From
// Value and To Value 1..127; then the Repeat Number and the beat fields.
EditField DynamicsOK(Context& c, const RampTexts& t);

// OK of Edit Pitch Bend: Track 1..NumTracks, Channel 1..16, By Bar or By
// Item, a ticked Percent as above or else From Value and To Value
// -8192..8191, then the Repeat Number and the beat fields.
EditField PitchBendOK(const State& s, const RampTexts& t);

// "Edit &Dynamics...": the chosen tracks' notes in the passage, each track's
// ramp spread over its own notes. Returns true when the walk ran to its end.
bool EditDynamics(Context& c, TrackSelectionDialog& tracks, RampDialog& dialog);

// "Edit Pitch&Bend...": the passage of the dialog's one track; its notes and
// rests get the bends and the dialog's channel, the ramp stepping over every
// item of the span. Leaves SelectedTracks holding that track alone.
bool EditPitchBend(Context& c, RampDialog& dialog);

} // namespace tnq
