// EnableFields, DisplayDescription, the value labels' default captions.
#include "entry/value_fields.h"

#include "platform/vb.h"

#include <string_view>

namespace tnq {

const char* const kValueControls[10] = {"lblOctave",     "txtOcta",     "lblNoteValue", "txtDur",
                                        "lblAdjustment", "txtAdj",      "lblDynamics",  "txtDyn",
                                        "lblPitchBend",  "txtPitchBend"};

void EnableFields(Context& c) {
    for (const char* control : kValueControls) c.screen.SetControlEnabled(control, true);
    c.s.FieldsDisabled = 0;
}

namespace {

struct Description {
    std::string_view Note;
    const char* Adjustment; // nullptr: the label keeps its caption
    const char* Dynamics;
};

constexpr Description kDescriptions[] = {
    {"PORTS", nullptr, "Port Number"},        {"CNTRL", "Control #", "Control Value"},
    {"TEMPO", nullptr, "Beats per Minute"},   {"PROGR", nullptr, "Patch"},
    {"AFTER", nullptr, "Ch. Aftertouch"},     {"PBEND", nullptr, "PB Sensitivity"},
    {"LFO_2", "Speed", "Pitch Change"},       {"FILT1", "Speed", "Depth"},
    {"METER", "Top Number", "Bottom Number"}, {"FILT2", "Filter Cutoff", "Filter Resonance"},
    {"NRPN1", "LSB Number", "Value"},
};

} // namespace

void SetCaptionWhereDifferent(Context& c, const std::string& label, const std::string& caption) {
    if (c.screen.Caption(label) != caption) c.screen.SetCaption(label, caption);
}

void DisplayDescription(Context& c) {
    const std::string note = Trim(c.screen.Text(Box::Note));
    for (const Description& d : kDescriptions) {
        if (note != d.Note) continue;
        if (d.Adjustment) c.screen.SetCaption("lblAdjustment", d.Adjustment);
        c.screen.SetCaption("lblDynamics", d.Dynamics);
        return;
    }
}

std::string ChosenProgram(const MainScreen& screen) {
    const std::string typed = screen.GMNamesText();
    const double v = Val(typed);
    if (v > 0 && v < 129) return typed;
    return std::to_string(screen.GMNamesListIndex() + 1);
}

void DefaultValueLabels(Context& c) {
    SetCaptionWhereDifferent(c, "lblAdjustment", "Spare");
    SetCaptionWhereDifferent(c, "lblDynamics", "Dynamics");
}

} // namespace tnq
