// The sample pieces built into the program directory: each opens, its
// track files agree with its data file, it recalculates without a data
// error and is written as a .MID file that midicsv reads.
#include "core/memory.h"
#include "core/piece_commands.h"
#include "core/recalculate.h"
#include "core/startup.h"
#include "mid_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

namespace tnq::test {
namespace {

namespace fs = std::filesystem;

// The program directory: the test binaries are built beside the program.
fs::path ProgramDir() {
    return SystemInfo().ProgramDirectory();
}

class SamplePieces : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        pieces = p.dir.Path() / "pieces";
        fs::create_directories(pieces);
        s.FilePath = pieces.string();
        SystemDefaults(c);
        FillNoteTables(s);
    }
    // A copy of the sample, opened with File > Open.
    void OpenCopy(const std::string& name) {
        const fs::path sample = ProgramDir() / (name + ".TNQ");
        ASSERT_TRUE(fs::is_directory(sample)) << sample << " has not been built";
        fs::copy(sample, pieces / (name + ".TNQ"), fs::copy_options::recursive);
        p.files.Choose((pieces / (name + ".TNQ") / (name + ".TNQ")).string());
        ASSERT_TRUE(mnuFilOpen_Click(c));
    }

    Program p;
    State& s = p.s;
    Context& c = p.c;
    fs::path pieces;
};

TEST_P(SamplePieces, OpensRecalculatesAndWritesAMidFile) {
    const std::string name = GetParam();
    OpenCopy(name);
    if (HasFatalFailure()) return;
    EXPECT_EQ(s.PieceTitle, name);

    // What Open read from the data file.
    std::vector<std::vector<std::vector<long>>> snapshot(static_cast<std::size_t>(s.NumTracks) + 1);
    for (int t = 1; t <= s.NumTracks; ++t)
        for (int i = 1; i <= s.ItemCount(t); ++i)
            snapshot[static_cast<std::size_t>(t)].push_back({s.NoteCode(t, i), s.ItemTime(t, i),
                                                             s.ItemDyn(t, i), s.BarNo(t, i),
                                                             s.ItemChan(t, i), s.ItemBend(t, i)});

    // The track files say the same.
    s.SelectedTracks.assign(static_cast<std::size_t>(s.NumTracks), '1');
    ASSERT_TRUE(Recalculate(c));
    int used = 0;
    for (int t = 1; t <= s.NumTracks; ++t) {
        SCOPED_TRACE("track " + std::to_string(t));
        const auto& items = snapshot[static_cast<std::size_t>(t)];
        ASSERT_EQ(s.ItemCount(t), static_cast<int>(items.size()));
        used += !items.empty();
        for (int i = 1; i <= s.ItemCount(t); ++i)
            EXPECT_EQ((std::vector<long>{s.NoteCode(t, i), s.ItemTime(t, i), s.ItemDyn(t, i),
                                         s.BarNo(t, i), s.ItemChan(t, i), s.ItemBend(t, i)}),
                      items[static_cast<std::size_t>(i) - 1])
                << "item " << i;
    }
    EXPECT_GE(used, 3);

    // Balanced: the writer takes it, and every chunk ends at the same time.
    ScriptedMidDialog dialog;
    dialog.Ok({"", kDefaultCopyright, false, 0});
    ASSERT_TRUE(MakeMidFile(c, dialog));
    const CsvResult csv = ExpectReadable(MidFilePath(s));
    std::set<long long> ends;
    for (const auto& r : csv.Records)
        if (r.Type == "End_track" && r.Track > 1) ends.insert(r.Time);
    EXPECT_EQ(ends.size(), 1u) << csv.Out;
    EXPECT_GT(csv.Of(2, "Note_on_c").size(), 20u);
    EXPECT_FALSE(csv.Of(1, "Time_signature").empty());
}

INSTANTIATE_TEST_SUITE_P(Delivered, SamplePieces,
                         ::testing::Values(kSamplePieces[0], kSamplePieces[1], kSamplePieces[2]));

// Together the samples show every kind of item and the duration forms.
TEST(SamplePieceContents, CoverTheItemKindsAndDurationForms) {
    std::set<std::string> notes, durations;
    bool reset = false, bent = false;
    for (const char* name : kSamplePieces) {
        const fs::path dir = ProgramDir() / (std::string(name) + ".TNQ");
        ASSERT_TRUE(fs::is_directory(dir)) << dir;
        for (const auto& entry : fs::directory_iterator(dir)) {
            const std::string file = entry.path().filename().string();
            if (file.find('.') != std::string::npos) continue; // track files have no extension
            const std::string bytes = ReadFile(entry.path());
            for (std::size_t at = 0; at + kRecordLength <= bytes.size(); at += kRecordLength) {
                const TrackItemRecord r = Trimmed(DecodeRecord(bytes.substr(at, kRecordLength)));
                if (r.Note == "END") break;
                notes.insert(r.Note);
                durations.insert(r.Duration);
                reset |= r.Note == "CNTRL" && r.Adjustment == "121";
                bent |= r.Note.size() < 5 && r.Note != "R" && r.PitchBend != "0";
            }
        }
    }
    for (const char* kw : {"R", "PROGR", "CNTRL", "TEMPO", "METER", "LOCAT", "AFTER", "PBEND",
                           "LEGON", "LEGOF", "LFO_2", "FILT1", "FILT2", "PORTS", "NRPN1"})
        EXPECT_TRUE(notes.count(kw)) << kw;
    EXPECT_TRUE(notes.count("F#"));
    for (const char* d : {"hq", "h.", "q.", "e3", "h.h."}) EXPECT_TRUE(durations.count(d)) << d;
    EXPECT_TRUE(reset);
    EXPECT_TRUE(bent);
}

} // namespace
} // namespace tnq::test
