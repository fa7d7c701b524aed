#include "editing/copy_items.h"

#include "core/item_space.h"
#include "editing/edit_fixture.h"

#include <array>
#include <filesystem>

namespace tnq {
namespace {

using test::Item;

TEST(CopyLists, EntriesGiveTheirSemitonesAndOctaves) {
    EXPECT_EQ(SemitonesOf(0), 0);
    EXPECT_EQ(SemitonesOf(11), 11);
    EXPECT_EQ(SemitonesOf(12), -1);
    EXPECT_EQ(SemitonesOf(22), -11);
    EXPECT_STREQ(kPitchTexts[12], "down a minor 2nd");
    EXPECT_EQ(OctavesOf(7), 7);
    EXPECT_EQ(OctavesOf(8), -1);
    EXPECT_EQ(OctavesOf(14), -7);
    EXPECT_STREQ(kOctaveTexts[14], "down 7 octaves");
}

class Transposition : public test::EditTest {};

TEST_F(Transposition, RespellsCarriesAndWrapsOctaves) {
    struct Row {
        const char *note, *octave;
        int semis, octs;
        const char *wantNote, *wantOctave;
        int wantCode; // from source code 60 (any note), -1 = unchanged
    } rows[] = {
        {"C", "4", 1, 0, "C#", "4", 61},   {"B", "4", 1, 0, "C", "5", 72},
        {"C", "4", -1, 0, "B", "3", 59},   {"Db", "4", -2, 0, "B", "3", 59},
        {"Eb", "4", 2, 0, "F", "4", 65},   {"Bb", "4", 1, 0, "B", "4", 71},
        {"Ab", "4", -1, 0, "G", "4", 67},  {"E", "4", 4, 0, "G#", "4", 68},
        {"C", "7", 0, 2, "C", "1", 24},    {"C", "1", 0, -2, "C", "7", 96},
        {"R", "", 0, 1, "R", "1", -1},     {"R", "", 0, 0, "R", "0", -1},
        {"TEMPO", "", 3, 0, "TEMPO", "0", -1},
        // A semitone past either end of the score wraps as octaves do.
        {"B", "8", 1, 0, "C", "1", 24},    {"C", "0", -1, 0, "B", "7", 107},
        {"B", "8", 1, 7, "C", "8", 108},   {"C", "0", -1, -7, "B", "0", 23},
    };
    for (const Row& r : rows) {
        s.CopySemitones = static_cast<Integer>(r.semis);
        s.CopyOctaves = static_cast<Integer>(r.octs);
        TrackItemRecord rec = Item(r.note, r.octave, "q");
        Transpose(s, rec);
        EXPECT_EQ(rec.Note, r.wantNote) << r.note << r.octave << " " << r.semis << "/" << r.octs;
        EXPECT_EQ(rec.Octave, r.wantOctave) << r.note << r.octave << " " << r.semis;
        const Integer source = r.wantCode < 0 ? Integer(0) : Integer(60);
        EXPECT_EQ(TransposedCode(s, rec, source), r.wantCode < 0 ? 0 : r.wantCode)
            << r.note << r.octave;
    }
    // Keyword codes and untransposed notes keep their code.
    s.CopySemitones = 0;
    s.CopyOctaves = 0;
    EXPECT_EQ(TransposedCode(s, Item("D", "5", "q"), 60), 60);
    s.CopyOctaves = 1;
    EXPECT_EQ(TransposedCode(s, Item("PROGR", "1", ""), 128), 128);
}

// A copy test: source tracks written, destination cursor and file set.
class Copying : public test::EditTest {
protected:
    static std::vector<TrackItemRecord> Bars(int from, int to, const char* channel = "2") {
        std::vector<TrackItemRecord> r;
        for (int bar = from; bar <= to; ++bar)
            for (const char* n : {"C", "G"})
                r.push_back(Item(n, "4", "h", "0", "64", std::to_string(bar), channel));
        return r;
    }
    // Destination t, cursor at item, file 2 on it.
    void At(int t, int item) {
        s.CurrentTrack = static_cast<Integer>(t);
        s.CurrentItem(t) = static_cast<Integer>(item);
        TrackFileOpen(c);
    }
    void Source(int track, int from, int count, const std::string& title = "") {
        s.SourceTitle = title.empty() ? s.PieceTitle : title;
        s.SourceTrack = static_cast<Integer>(track);
        s.RangeFrom = static_cast<Integer>(from);
        s.RangeTo = static_cast<Integer>(count);
    }
    // The score of track t agrees with what a recalculation makes of its file.
    void ExpectScoreMatchesFile(int t) {
        const int count = s.ItemCount(t);
        std::vector<std::array<long, 5>> before;
        for (int i = 1; i <= count; ++i)
            before.push_back({s.NoteCode(t, i), s.ItemTime(t, i), s.BarNo(t, i),
                              s.ItemChan(t, i), s.ItemDyn(t, i)});
        Select({t});
        ASSERT_TRUE(Recalculate(c));
        ASSERT_EQ(s.ItemCount(t), count) << "track " << t;
        for (int i = 1; i <= count; ++i) {
            const std::array<long, 5> now = {s.NoteCode(t, i), s.ItemTime(t, i), s.BarNo(t, i),
                                             s.ItemChan(t, i), s.ItemDyn(t, i)};
            EXPECT_EQ(before[static_cast<std::size_t>(i) - 1], now) << "track " << t << " item " << i;
        }
    }
};

TEST_F(Copying, AddReplaceInsertWithOffsetAndTransposition) {
    s.MenuMode = "mnuEdtCopy";
    s.CopyOffset = 8;
    s.CopySemitones = 4; // up a major 3rd
    for (const char* mode : {"ADD", "REPLACE", "INSERT"}) {
        Tracks({{2, Bars(1, 2)}});
        s.CopyMode = mode;
        Source(2, 1, 2); // bar 1
        At(2, std::string(mode) == "ADD" ? 5 : 3);
        EXPECT_EQ(DoCopy(c), CopyResult::Copied) << mode;
        const TrackItemRecord e4 = Item("E", "4", "h", "0", "64", "9", "2");
        const TrackItemRecord b4 = Item("B", "4", "h", "0", "64", "9", "2");
        auto want = Bars(1, 2);
        if (std::string(mode) == "ADD") {
            want.insert(want.end(), {e4, b4});
        } else if (std::string(mode) == "REPLACE") {
            want[2] = e4;
            want[3] = b4;
        } else {
            want.insert(want.begin() + 2, {e4, b4});
        }
        ExpectTrack(2, want);
        EXPECT_EQ(BoxesRecord(c.screen), b4) << mode; // the boxes show the last item written
        EXPECT_EQ(s.ItemCount(2), static_cast<int>(want.size())) << mode;
        EXPECT_EQ(s.CurrentItem(2), std::string(mode) == "ADD" ? 7 : 5) << mode;
        ExpectScoreMatchesFile(2);
    }
}

TEST_F(Copying, ARunCopiedOntoItselfCopiesWhatTheSourceHeld) {
    s.MenuMode = "mnuEdtCopy";
    s.CopyOffset = 1;
    // REPLACE from the second item of the run: forward copying would read
    // items it had already written.
    Tracks({{2, Bars(1, 2)}});
    s.CopyMode = "REPLACE";
    Source(2, 1, 4);
    At(2, 2);
    EXPECT_EQ(DoCopy(c), CopyResult::Copied);
    auto want = Bars(1, 2);
    want.resize(1);
    for (const auto& r : Bars(1, 2)) {
        auto moved = r;
        moved.Bar = std::to_string(std::stoi(r.Bar) + 1);
        want.push_back(moved);
    }
    ExpectTrack(2, want);
    ExpectScoreMatchesFile(2);

    // INSERT inside its own source run: the room opened does not move the
    // run being read.
    Tracks({{3, Bars(1, 2)}});
    s.CopyMode = "INSERT";
    s.CopyOffset = 0;
    Source(3, 1, 4);
    At(3, 3);
    EXPECT_EQ(DoCopy(c), CopyResult::Copied);
    auto ins = Bars(1, 2);
    const auto run = Bars(1, 2);
    ins.insert(ins.begin() + 2, run.begin(), run.end());
    ExpectTrack(3, ins);
    ExpectScoreMatchesFile(3);
}

TEST_F(Copying, CopyByItemRulesForBarsAndChannel) {
    s.MenuMode = "mnuEdtNotes";
    s.CopyMode = "ADD";
    s.CopyChannel = "7";
    Tracks({{2, Bars(3, 4)}, {3, {}}});
    s.CopyBarNumbers = "";
    s.CopyOffset = 50; // not used without bar numbers
    Source(2, 2, 2);
    At(3, 1);
    EXPECT_EQ(DoCopy(c), CopyResult::Copied);
    ExpectTrack(3, {Item("G", "4", "h", "0", "64", "1", "7"), Item("C", "4", "h", "0", "64", "1", "7")});
    s.CopyBarNumbers = "Y";
    s.CopyOffset = -2;
    Source(2, 4, 1);
    EXPECT_EQ(DoCopy(c), CopyResult::Copied);
    EXPECT_EQ(Records(3).back(), Item("G", "4", "h", "0", "64", "2", "7"));
    ExpectScoreMatchesFile(3);
}

TEST_F(Copying, RefusedBeforeTheFirstWrite) {
    s.MenuMode = "mnuEdtCopy";
    s.CopyMode = "ADD";
    Tracks({{2, Bars(1, 2)}, {3, {Item("D", "4", "q")}}});
    // A bar the offset takes below 0 or above 9999.
    for (int offset : {-2, 9998}) {
        s.CopyOffset = static_cast<Integer>(offset);
        Source(2, 1, 4);
        At(3, 2);
        p.msg.AnswerOk();
        EXPECT_EQ(DoCopy(c), CopyResult::Refused) << offset;
        EXPECT_EQ(p.msg.Last().Title, "Copy");
        ExpectTrack(3, {Item("D", "4", "q")});
        EXPECT_EQ(s.ItemCount(3), 1);
    }
    // A run past the source track's end, or from item 0: silently nothing.
    s.CopyOffset = 0;
    for (auto [from, count] : {std::pair{3, 3}, std::pair{0, 2}}) {
        Source(2, from, count);
        EXPECT_EQ(DoCopy(c), CopyResult::Refused);
    }
    ExpectTrack(3, {Item("D", "4", "q")});
}

TEST_F(Copying, AFullTrackStopsTheCopyAtTheItemThatPassesIt) {
    // 20 items per track: a track holds 19.
    s.MenuMode = "mnuEdtCopy";
    s.CopyOffset = 0;
    auto many = Bars(1, 8); // 16 items
    Tracks({{2, many}, {3, Bars(1, 2)}});
    s.CopyMode = "ADD";
    Source(3, 1, 4);
    At(2, 17);
    p.msg.AnswerOk();
    EXPECT_EQ(DoCopy(c), CopyResult::Stopped);
    EXPECT_EQ(p.msg.Last().Title, "Space Limitation");
    auto want = many;
    const auto three = Bars(1, 2);
    want.insert(want.end(), three.begin(), three.begin() + 3);
    ExpectTrack(2, want);
    EXPECT_EQ(s.ItemCount(2), 19);
    ExpectScoreMatchesFile(2);

    // INSERT opens all its room or none.
    Tracks({{2, many}});
    s.CopyMode = "INSERT";
    At(2, 1);
    p.msg.AnswerOk();
    EXPECT_EQ(DoCopy(c), CopyResult::Refused);
    ExpectTrack(2, many);
}

// A run is read only when it lies before the track's END record and within
// its whole records, through file 2 open on the track or not.
TEST_F(Copying, ARunIsReadOnlyBeforeTheEndRecord) {
    const std::string c4 = EncodeRecord(Item("C", "4", "q"));
    const std::string ended = c4 + c4 + EncodeRecord(kEndRecord) + c4;
    const struct {
        std::string bytes;
        int last;
        bool read;
    } rows[] = {{ended, 2, true}, {ended, 3, false}, {ended, 4, false},
                {c4 + c4 + "C  ", 2, true}, {c4 + c4 + "C  ", 3, false}};
    for (const auto& r : rows)
        for (const int file2 : {1, 2}) {
            test::WriteFile(TrackPath(1), r.bytes);
            At(file2, 1);
            EXPECT_EQ(ReadCopySource(c, s.PieceTitle, 1, 1, r.last).has_value(), r.read)
                << r.bytes.size() << " bytes, last " << r.last << ", file 2 on " << file2;
        }
}

TEST_F(Copying, FromAnotherPieceOnlyTheCountFollows) {
    // The second piece, with its own track 2.
    const std::string open = s.PieceTitle;
    s.PieceTitle = "RONDO";
    std::filesystem::create_directories(PieceDir());
    WriteTrack(2, Bars(5, 5, "9"));
    s.PieceTitle = open;
    Tracks({{2, {Item("D", "4", "q")}}});
    s.MenuMode = "mnuEdtCopy";
    s.CopyMode = "ADD";
    s.CopyOffset = 0;
    s.CopySemitones = 0;
    s.CopyOctaves = -1;
    Source(2, 1, 2, "RONDO");
    At(2, 2);
    EXPECT_EQ(DoCopy(c), CopyResult::Copied);
    ExpectTrack(2, {Item("D", "4", "q"), Item("C", "3", "h", "0", "64", "5", "9"),
                    Item("G", "3", "h", "0", "64", "5", "9")});
    EXPECT_EQ(s.ItemCount(2), 3);
    EXPECT_EQ(s.NoteCode(2, 2), 0); // left to the recalculation
    // Nothing was created in the piece copied from.
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(s.FilePath) / "RONDO.TNQ" /
                                         TrackFileName("RONDO", 3)));
}

TEST_F(Copying, VerticalCopySkipsTempoAndMeterAndTakesTheChannelBefore) {
    s.MenuMode = "mnuEdtVertical";
    s.CopyOffset = 0;
    std::vector<TrackItemRecord> src = {Item("C", "4", "q", "0", "64", "1", "3"),
                                        Item("TEMPO", "", "q", "0", "90", "1", "3"),
                                        Item("E", "4", "q", "0", "64", "1", "3"),
                                        Item("METER", "", "", "3", "4", "1", "3")};
    Tracks({{1, src}, {2, {Item("D", "5", "q", "0", "64", "1", "11")}}, {3, {}}, {4, {}}});
    const auto source = ReadCopySource(c, s.PieceTitle, 1, 1, 4);
    ASSERT_TRUE(source);
    s.SourceTitle = s.PieceTitle;

    // INSERT before item 1 of track 2: room for exactly two items, channel 2.
    s.CopyMode = "INSERT";
    At(2, 1);
    EXPECT_EQ(DoVerticalCopy(c, *source), CopyResult::Copied);
    ExpectTrack(2, {Item("C", "4", "q", "0", "64", "1", "2"), Item("E", "4", "q", "0", "64", "1", "2"),
                    Item("D", "5", "q", "0", "64", "1", "11")});
    ExpectScoreMatchesFile(2);
    // ADD behind it: the channel of the item before.
    s.CopyMode = "ADD";
    At(2, 4);
    EXPECT_EQ(DoVerticalCopy(c, *source), CopyResult::Copied);
    EXPECT_EQ(Records(2)[3], Item("C", "4", "q", "0", "64", "1", "11"));
    EXPECT_EQ(s.ItemCount(2), 5);

    // A source of nothing but TEMPO and METER, or an empty one, writes
    // nothing: no blank item is left behind.
    const std::vector<CopiedItem> tempoOnly = {(*source)[1], (*source)[3]};
    for (const auto& run : {tempoOnly, std::vector<CopiedItem>{}}) {
        s.CopyMode = "INSERT";
        At(3, 1);
        EXPECT_EQ(DoVerticalCopy(c, run), CopyResult::Copied);
        EXPECT_EQ(s.ItemCount(3), 0);
        EXPECT_TRUE(Records(3).empty());
    }
}

TEST_F(Copying, VerticalCopyChannelOfAHighTrack) {
    SetUpPiece(20, 20);
    s.SelectedTracks.assign(20, '0');
    s.MenuMode = "mnuEdtVertical";
    s.CopyMode = "ADD";
    Tracks({{1, {Item("C", "4", "q")}}});
    const auto source = ReadCopySource(c, s.PieceTitle, 1, 1, 1);
    s.SourceTitle = s.PieceTitle;
    for (auto [track, channel] : {std::pair{20, "16"}, std::pair{5, "5"}}) {
        At(track, 1);
        EXPECT_EQ(DoVerticalCopy(c, *source), CopyResult::Copied);
        EXPECT_EQ(Records(track).at(0).Channel, channel);
    }
}

} // namespace
} // namespace tnq
