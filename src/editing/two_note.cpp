// The two-note pattern.
#include "editing/two_note.h"

#include "core/edit_fields.h"
#include "core/vocabulary.h"
#include "platform/vb.h"

#include <optional>

namespace tnq {

namespace {

// A note name of the pattern after the box rules: first letter upper case,
// "B" second the flat sign, trimmed.
void SpellNote(std::string& name) {
    if (!name.empty()) name[0] = UCase(std::string(1, name[0]))[0];
    if (Trim(name).size() == 2) {
        const std::size_t second = name.find_first_not_of(' ') + 1;
        if (name[second] == 'B') name[second] = 'b';
    }
    name = Trim(name);
}

bool PatternNote(const State& s, const std::string& name) {
    return name == "R" || NoteIndexOf(s, name) != 0;
}

// Octave: a whole number 0..8, kept as its one digit ("04" and "+4" as "4")
// for the one-character field.
bool PatternOctave(std::string& octave) {
    const std::optional<int> value = WholeNumber(Trim(octave), 0, 8);
    octave = value ? NumberText(*value) : Trim(octave);
    return value.has_value();
}

} // namespace

GridField TwoNoteOK(const State& s, TwoNoteTexts& t) {
    if (CheckBarFields({t.FromBar, t.ToBar, "", "", ""}) != BarField::None) return GridField::Silent;
    SpellNote(t.Note1);
    SpellNote(t.Note2);
    if (!PatternNote(s, t.Note1)) return GridField::Note1;
    if (!PatternNote(s, t.Note2)) return GridField::Note2;
    if (!PatternOctave(t.Octave1)) return GridField::Octave1;
    if (!PatternOctave(t.Octave2)) return GridField::Octave2;
    if (!GridValueOK(t.NoteValue)) return GridField::Value;
    if (!PerBarOK(t.NotesPerBar)) return GridField::PerBar;
    return GridField::None;
}

TrackItemRecord PatternItem(const TwoNoteTexts& t, int k, int bar, const std::string& channel) {
    const bool first = k % 2 == 0;
    const std::string& note = first ? t.Note1 : t.Note2;
    return {note,
            first ? t.Octave1 : t.Octave2,
            Trim(t.NoteValue),
            "0",
            note == "R" ? "0" : "64",
            NumberText(bar),
            channel,
            "0"};
}

bool TwoNotePattern(Context& c, TrackSelectionDialog& tracks, TwoNoteDialog& dialog) {
    GridCommand cmd;
    cmd.MenuMode = "mnuEdtTwoNote";
    cmd.Progress = "Setting up 2 note pattern...";
    cmd.Title = "Two Note Pattern";
    cmd.ShowDialog = [&dialog](Context& cc) { return dialog.Show(cc); };
    cmd.Texts = [&dialog] {
        const TwoNoteTexts t = dialog.Texts();
        return std::vector<std::string>{t.FromBar, t.ToBar, t.NotesPerBar};
    };
    cmd.Items = [&dialog]() -> GridItem {
        TwoNoteTexts t = dialog.Texts();
        for (std::string* text : {&t.Note1, &t.Octave1, &t.Note2, &t.Octave2, &t.NoteValue})
            *text = Trim(*text);
        return [t](int k, int bar, const std::string& channel) {
            return PatternItem(t, k, bar, channel);
        };
    };
    return RunGridCommand(c, tracks, cmd);
}

} // namespace tnq
