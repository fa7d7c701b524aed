// The special-item picker's rows and rules.
#include "entry/note_options.h"

namespace tnq {

const NoteOption kNoteOptions[kNoteOptionRows] = {
    {"optProgr", "&PROGR", "Program Change", "PROGR"},
    {"optCntrl", "&CNTRL", "Control Change", "CNTRL"},
    {"optAfter", "&AFTER", "Channel Aftertouch", "AFTER"},
    {"optEnd", "E&ND", "Delete from this item on ", "END"},
    {"optTempo", "&TEMPO", "Tempo Change (Track 1 only)", "TEMPO"},
    {"optMeter", "&METER", "Time Signature (Track 1 only)", "METER"},
    {"optPbend", "P&BEND", "Pitch Bend Sensitivity", "PBEND"},
    {"optLegon", "LE&GON", "Start Legato", "LEGON"},
    {"optLegof", "LEG&OF", "Stop Legato", "LEGOF"},
    {"optLego1", "L&EGO1", "Start Legato (using NRPN)", "LEGO1"},
    {"optReset", "&RESET", " Lego1 / Aftertouch / Modulation/ Expression / NRPN", "RESET"},
    {"optLFO_2", "L&FO_2", "LFO2 - Pitch (Vibrato) (NRPN)", "LFO_2"},
    {"optFilt1", "F&ILT1", "Wa Wa Effect (NRPN)", "FILT1"},
    {"optFilt2", "FILT&2", "Filter Cutoff and Resonance (NRPN)", "FILT2"},
    {"optPorts", "PORTS", "Port Number", "PORTS"},
    {"optNRPN1", "NRPN1", "Any NRPN (0 - 26)", ""},
};

std::optional<std::string> NoteOptionsKeyword(int selectedRow) {
    if (selectedRow < 1 || selectedRow > kNoteOptionRows) return std::nullopt;
    const std::string keyword = kNoteOptions[selectedRow - 1].Keyword;
    if (keyword.empty()) return std::nullopt;
    return keyword;
}

void PlaceNoteOptions(PlaceableForm& form, const ScreenMetrics& screen, int resolution) {
    CentreForm(form, screen);
    float left = 0, top = 0;
    form.Get(FormProp::Left, left);
    form.Get(FormProp::Top, top);
    left += 1000;
    form.Set(FormProp::Left, left);
    if (screen.WidthPixels() != 640.0 && resolution != 0)
        ResizeForm(form, screen, static_cast<int>(left), static_cast<int>(top));
}

} // namespace tnq
