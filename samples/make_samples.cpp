// Builds the sample pieces delivered with the program. Each listing
// NAME.txt is typed item by item into a new piece NAME through Accept Item,
// the way a user types it into the entry boxes, and the piece is saved:
// the result is the piece directory NAME.TNQ inside the output directory.
//
//   make_samples <output directory> <listing>...
//
// The listing format is described at the top of every listing. An item the
// program refuses stops the run with the line that holds it.
#include "core/context.h"
#include "core/piece_commands.h"
#include "core/track_files.h"
#include "entry/accept_item.h"
#include "core/vocabulary.h"
#include "platform/vb.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace tnq;

namespace {

constexpr const char* kInitQuestion = "Do you wish to use the automatic tracks initialization ?";

// New asks for the title and offers the initialization; every other box is
// a fault of the listing.
class ListingBoxes : public MessageBoxes {
public:
    explicit ListingBoxes(std::string title) : title_(std::move(title)) {}
    int MsgBox(const std::string& text, int, const std::optional<std::string>&) override {
        if (text == kInitQuestion) return mb::No;
        shown.push_back(text);
        return mb::OK;
    }
    std::string InputBox(const std::string&, const std::optional<std::string>&,
                         const std::string&) override {
        return title_;
    }
    std::vector<std::string> shown;

private:
    std::string title_;
};

// The entry boxes as a plain buffer.
class BufferScreen : public MainScreen {
public:
    std::string Text(Box box) const override {
        auto it = boxes_.find(box);
        return it == boxes_.end() ? std::string() : it->second;
    }
    void SetText(Box box, const std::string& text) override { boxes_[box] = text; }
    void SetStatus1(const std::string&) override {}
    void SetStatus2(const std::string&) override {}
    void SetTrackFigure(int, const std::string&) override {}
    void SetHourglass(bool) override {}
    void SetFocus(Box box) override { focus = box; }
    Box focus = Box::Tempo;

private:
    std::map<Box, std::string> boxes_;
};

const char* BoxName(Box box) {
    static const char* names[] = {"tempo",  "track",    "item",  "channel",  "bar",       "note",
                                  "octave", "duration", "value", "dynamics", "pitch bend"};
    return names[static_cast<int>(box)];
}

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> out;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '|')) out.push_back(Trim(field));
    if (!line.empty() && line.back() == '|') out.push_back("");
    return out;
}

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
    throw std::runtime_error(where + ": " + what);
}

// What the tempo and track boxes do when the user moves to another track:
// the beat unit back to a quarter, the track's file opened, the item box on
// the track's cursor and the remembered texts emptied.
void TakeTrack(Context& c, int track) {
    State& s = c.s;
    s.BeatUnit = 8;
    s.TickFraction = 0;
    s.CurrentTrack = static_cast<Integer>(track);
    TrackFileOpen(c);
    c.screen.SetText(Box::Track, std::to_string(track));
    c.screen.SetText(Box::Item, std::to_string(s.CurrentItem(track)));
    s.LastItem = c.screen.Text(Box::Item);
    s.LastBar = s.LastNote = s.LastDuration = s.LastDynamics = s.LastChannel = s.LastPitchBend = "";
    s.LastOctave = "0";
}

void MakePiece(const fs::path& outDir, const fs::path& listing, const fs::path& settingsFile) {
    const std::string title = UCase(listing.stem().string());
    std::error_code ec;
    fs::remove_all(outDir / (title + ".TNQ"), ec);

    State s;
    ListingBoxes msg(title);
    SettingsStore ini(settingsFile);
    BufferScreen screen;
    SystemInfo sys;
    Context c{s, msg, ini, screen, sys};
    FillNoteTables(s);
    s.FilePath = outDir.string();
    if (!mnuFilNew_Click(c)) Fail(title, "the new piece could not be made");

    std::ifstream in(listing);
    if (!in) Fail(listing.string(), "cannot be read");
    std::string line;
    int lineNo = 0, track = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string where = listing.filename().string() + ":" + std::to_string(lineNo);
        const std::string text = Trim(line);
        if (text.empty() || text[0] == '#') continue;
        if (text[0] == '@') {
            const auto blank = text.find(' ');
            const std::string key = text.substr(0, blank);
            const std::string value = blank == std::string::npos ? "" : Trim(text.substr(blank));
            if (key == "@tempo") {
                s.Tempo = s.LastTempo = value;
                screen.SetText(Box::Tempo, value);
            } else if (key == "@description") {
                s.PieceDescription = value;
            } else {
                Fail(where, "unknown directive " + key);
            }
            continue;
        }

        const std::vector<std::string> f = SplitFields(text);
        if (f.size() != 9) Fail(where, "an item has nine fields");
        const double t = Val(f[0]);
        if (!IsNumeric(f[0]) || t < 1 || t > s.NumTracks) Fail(where, "no such track " + f[0]);
        if (static_cast<int>(t) != track) TakeTrack(c, track = static_cast<int>(t));

        screen.SetText(Box::Bar, f[1]);
        screen.SetText(Box::Note, f[2]);
        screen.SetText(Box::Octa, f[3]);
        screen.SetText(Box::Dur, f[4]);
        screen.SetText(Box::Adj, f[5]);
        screen.SetText(Box::Dyn, f[6]);
        screen.SetText(Box::Channel, f[7]);
        screen.SetText(Box::PitchBend, f[8]);
        const int cursor = s.CurrentItem(track);
        btnAccept_Click(c);
        if (!msg.shown.empty()) Fail(where, msg.shown.back());
        if (s.CurrentItem(track) != cursor + 1)
            Fail(where, std::string("the item was refused at its ") + BoxName(screen.focus));
    }

    if (!mnuFilSave_Click(c)) Fail(title, "the piece could not be saved");
    if (!msg.shown.empty()) Fail(title, msg.shown.back());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: make_samples <output directory> <listing>...\n";
        return 2;
    }
    // New reads the limits from the settings: a settings file of its own
    // keeps the defaults whatever the user has set.
    std::string tmpl = (fs::temp_directory_path() / "tnqsamples.XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) {
        std::cerr << "make_samples: no temporary directory\n";
        return 1;
    }
    const fs::path tmp = tmpl;
    int status = 0;
    try {
        const fs::path outDir = fs::absolute(argv[1]);
        fs::create_directories(outDir);
        for (int i = 2; i < argc; ++i) MakePiece(outDir, argv[i], tmp / "win.ini");
    } catch (const std::exception& e) {
        std::cerr << "make_samples: " << e.what() << "\n";
        status = 1;
    }
    std::error_code ec;
    fs::remove_all(tmp, ec);
    return status;
}
