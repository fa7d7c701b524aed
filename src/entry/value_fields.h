// The value boxes of the item row: switching them back on, and the captions
// of their labels for the kind of item the boxes show.
#pragma once

#include "core/context.h"

#include <string>

namespace tnq {

// The ten controls the note box switches off for a rest or keyword, in
// their order: lblOctave, txtOcta, lblNoteValue, txtDur, lblAdjustment,
// txtAdj, lblDynamics, txtDyn, lblPitchBend, txtPitchBend.
extern const char* const kValueControls[10];

// Switches the ten controls on again; FieldsDisabled := 0. The focus stays.
void EnableFields(Context& c);

// Captions of lblAdjustment and lblDynamics for the keyword in txtNote
// (captions only); any other text changes nothing.
void DisplayDescription(Context& c);

// Sets a label's caption only where it differs.
void SetCaptionWhereDifferent(Context& c, const std::string& label, const std::string& caption);

// lblAdjustment back to "Spare" and lblDynamics to "Dynamics", each only
// where it differs.
void DefaultValueLabels(Context& c);

// The dynamics box's text for the program chosen in the open instrument
// list: a number 1..128 typed into the list as it was typed, else the
// chosen row's program number ("0" when no row is chosen).
std::string ChosenProgram(const MainScreen& screen);

} // namespace tnq
