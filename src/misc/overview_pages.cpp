// The overview pages' texts.
#include "misc/overview_pages.h"

#include "platform/help_file.h"

namespace tnq {

namespace {

// Builds a page: headings come after a blank line, bold and underlined.
class PageWriter {
public:
    void Heading(const std::string& text) {
        lines_.push_back({});
        lines_.push_back({{text, true, true}});
    }
    void Text(const std::string& text) { lines_.push_back({{text}}); }
    void Line(PageLine line) { lines_.push_back(std::move(line)); }
    std::vector<PageLine> Take() { return std::move(lines_); }

private:
    std::vector<PageLine> lines_;
};

void Page0(PageWriter& w, const State& s) {
    w.Line({{"Tonquill for Windows", true, false, 9.75}, {"  (version " + s.Version + ")"}});
    w.Heading("Purpose:");
    w.Text("To use a computer to orchestrate and play a sound card or synthesizer.");
    w.Heading("Minimum Requirements:");
    w.Text("A Linux desktop with 8 MB of free memory, and a sound card or a MIDI interface");
    w.Text("driving a synthesizer or sound module (a software synthesizer will do).");
    w.Heading("Software Setup:");
    w.Text("The MIDI output the test sounds play on is chosen under Miscellaneous, Set Output.");
    w.Text("The program enters, edits and plays pieces; each piece is stored in a directory");
    w.Text("of its own with the extension .TNQ.");
    w.Heading("Programs and Files:");
    w.Text("Tonquill writes Standard MIDI Files, which the player of your choice plays.");
    w.Heading("Tracks and Channels:");
    w.Text("Up to 96 Tracks - 1 Note per Track, multiple ports, 16 Channels per port.");
}

void Page1(PageWriter& w) {
    w.Heading("General Operating Information:");
    for (const char* line : {
             "You need to know the controllers and patches of your sound card or synthesizer.",
             "Input is mainly note names and note values, with help on the screen for every",
             "field and as few keystrokes as possible.",
             "Dynamics, tempo changes, staccato, controller series and pitch bend are done by",
             "the editing functions of the Edit menu; sections can be copied and transposed.",
             "Any music written in standard notation can be played.",
             "Entries are not case-sensitive: note names become upper case, note values",
             "lower case.",
             "Bar numbers are required by the editing functions: enter them with every item."})
        w.Text(line);
}

void Page2(PageWriter& w) {
    w.Heading("A Few Hints:");
    for (const char* line : {
             "Work from a score, one staff per track.",
             "Set an instrument up once and use it again on higher tracks by its channel.",
             "For pitch bend, expression and tempo changes first enter a rhythm of rests,",
             "then edit them with the series functions of the Edit menu.",
             "Track 1 is reserved for tempo and meter; meter changes help later printing.",
             "All data is entered from the keyboard.",
             "Note names: C C# D D# E F F# G G# A A# Db Eb Gb Ab Bb",
             "B typed after a note name is a flat, # a sharp; R is a rest."})
        w.Text(line);
}

void Page3(PageWriter& w) {
    for (const char* line : {
             "Octaves run from 0 to 8; C4 is middle C.",
             "Note values: x breve, w whole, h half, q quarter, e eighth, s sixteenth,",
             "t thirty-second, z sixty-fourth, y hundred-twenty-eighth.",
             "Dots add a half, a quarter and an eighth of the value (q. q.. q...).",
             "A number divides the value: q3 is a third of a quarter (160 ticks at 480",
             "per quarter), one note of an eighth-note triplet; h3 is a quarter-note triplet.",
             "Values joined are tied (hq, wwww), up to 10 characters: q3q3 and q.q too.",
             "Enter only bar, note, octave and note value and let the other fields take",
             "their defaults (dynamics 64, pitch bend 0).",
             "Every field starts from the previous entry."})
        w.Text(line);
}

void Page4(PageWriter& w, const State& s, const std::string& exe) {
    w.Heading("Navigating the Screen");
    for (const char* line : {
             "The main screen shows the entry fields on the left and the tracks on the right;",
             "the menus lead to the editing functions and their dialogs.",
             "Enter moves to the next input, F12 accepts an item, the Up arrow goes back,",
             "Esc returns to the menu."})
        w.Text(line);
    w.Heading("Files required:");
    w.Text("  " + exe + " - the program, should be in its own directory");
    for (int i = 1; i <= 8; ++i)
        if (!s.RequiredFiles[i].empty()) w.Text("  " + s.RequiredFiles[i]);
    w.Heading("Installation");
    w.Text("   Keep " + exe + ", " + kHelpFileName + " and the sample pieces together in");
    w.Text("   one directory. To run the program, start " + exe + " from there.");
}

void Page5(PageWriter& w) {
    w.Text("   Support files you received that are not yet on your system go into the");
    w.Text("   program's directory.");
    w.Heading("Help");
    w.Text("   Press F1 to receive help at any point, or select");
    w.Line({{"   Contents", true}, {" from the Help menu."}});
}

} // namespace

OverviewPage OverviewPageOf(const State& s, int page, const std::string& exeName) {
    PageWriter w;
    OverviewPage p;
    switch (page) {
    case 0:
        p.Left = 120;
        p.Top = 400;
        Page0(w, s);
        break;
    case 1:
        p.Left = 120;
        p.Top = 200;
        Page1(w);
        break;
    case 2:
        Page2(w);
        break;
    case 3:
        p.Left = 120;
        p.Top = 200;
        Page3(w);
        break;
    case 4:
        Page4(w, s, exeName);
        break;
    default:
        Page5(w);
        break;
    }
    p.Lines = w.Take();
    return p;
}

void OverviewPager::Next() {
    if (Page >= Last) return;
    ++Page;
    if (Page == Last) NextEnabled = false;
    PreviousEnabled = true;
}

void OverviewPager::Previous() {
    if (Page <= 0) return;
    --Page;
    if (Page == 0) PreviousEnabled = false;
    NextEnabled = true;
}

} // namespace tnq
