#include "editing/copy_commands.h"

#include "editing/copy_items.h"
#include "editing/edit_fixture.h"
#include "editing/scripted_dialogs.h"
#include "midifile/mid_fixture.h"

#include <filesystem>
#include <map>

namespace tnq {
namespace {

using test::Item;
using test::ScriptedCopyByBar;

CopyByBarTexts Bars(std::string title, std::string from, std::string to, std::string atBar = "",
                    std::string offset = "0", std::string start = "", std::string beats = "",
                    std::string value = "q") {
    return {title, from, to, value, start, beats, atBar, offset};
}

class CopyCommands : public test::EditTest {
protected:
    // Bars from..to of two half notes each.
    static std::vector<TrackItemRecord> Halves(int from, int to, const char* a, const char* b,
                                               const char* channel) {
        std::vector<TrackItemRecord> r;
        for (int bar = from; bar <= to; ++bar)
            for (const char* n : {a, b})
                r.push_back(Item(n, "4", "h", "0", std::string(n) == "R" ? "0" : "64",
                                 std::to_string(bar), channel));
        return r;
    }
    static std::vector<TrackItemRecord> Join(std::vector<TrackItemRecord> a,
                                             const std::vector<TrackItemRecord>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
    // A second piece with a data file and track files.
    void SecondPiece(const std::string& title,
                     std::initializer_list<std::pair<int, std::vector<TrackItemRecord>>> tracks) {
        const std::string open = s.PieceTitle;
        s.PieceTitle = title;
        std::filesystem::create_directories(PieceDir());
        test::WriteFile(PieceDir() / (title + ".TNQ"), "\"60\",480\r\n");
        for (const auto& [t, items] : tracks) WriteTrack(t, items);
        s.PieceTitle = open;
    }
    // Writes the piece as a .MID file that midicsv reads; the keys of the
    // note-ons of each chunk that has any, in chunk order.
    std::vector<std::vector<int>> WriteMid() {
        s.TrackDescription.ReDim(s.NumTracks);
        test::ScriptedMidDialog mid;
        mid.Ok({"", kDefaultCopyright, false, 0});
        EXPECT_TRUE(MakeMidFile(c, mid));
        const test::CsvResult csv = test::ExpectReadable(MidFilePath(s));
        std::map<int, std::vector<int>> keys;
        for (const auto& r : csv.Records)
            if (r.Type == "Note_on_c" && r.Fields.size() >= 3 && r.Fields[2] != "0")
                keys[r.Track].push_back(std::stoi(r.Fields[1]));
        std::vector<std::vector<int>> out;
        for (const auto& [track, k] : keys) out.push_back(k);
        return out;
    }
    // The keys the notes of track t's file sound.
    std::vector<int> KeysOf(int t) const {
        std::vector<int> keys;
        for (const auto& r : Records(t))
            if (const int pos = NotePosition(s, r.Note); pos != 0)
                keys.push_back((std::stoi(r.Octave) + 1) * 12 + pos - 1);
        return keys;
    }
    ScriptedCopyByBar dialog;
};

TEST_F(CopyCommands, BarsFiveToEightOfTwoTracksInsertedAtBarNineUpAThird) {
    SetUpPiece(4, 60);
    s.SelectedTracks.assign(4, '0');
    s.ActiveTracks.assign(4, '1');
    Tracks({{2, Halves(1, 10, "C", "G", "2")}, {3, Halves(1, 10, "E", "B", "3")}});
    tracks.Choose({2, 3});
    dialog.mode = "INSERT";
    dialog.texts = Bars("SONATA", "5", "8", "9", "4");
    dialog.pitch = 4; // up a major 3rd
    ASSERT_TRUE(CopySection(c, tracks, dialog));
    EXPECT_EQ(dialog.modeShown, "mnuEdtCopy");
    EXPECT_EQ(p.screen.status2, "Select a menu item");

    ExpectTrack(2, Join(Join(Halves(1, 8, "C", "G", "2"), Halves(9, 12, "E", "B", "2")),
                        Halves(9, 10, "C", "G", "2")));
    // Track 3's B4 up a third crosses into octave 5.
    auto up = Halves(9, 12, "G#", "D#", "3");
    for (auto& r : up)
        if (r.Note == "D#") r.Octave = "5";
    ExpectTrack(3, Join(Join(Halves(1, 8, "E", "B", "3"), up), Halves(9, 10, "E", "B", "3")));
    EXPECT_EQ(s.ItemCount(2), 28);
    EXPECT_EQ(s.NoteCode(3, 18), 75);

    EXPECT_EQ(KeysOf(2)[16], 64); // E4, the first copied item
    EXPECT_EQ(WriteMid(), (std::vector<std::vector<int>>{KeysOf(2), KeysOf(3)}));
}

TEST_F(CopyCommands, ASectionFromASecondPieceNarrowedToBeatsOnEachTrack) {
    // Track 2 of RONDO: four quarters in bar 1; track 3: two halves.
    SecondPiece("RONDO", {{2,
                           {Item("C", "4", "q"), Item("D", "4", "q"), Item("E", "4", "q"),
                            Item("F", "4", "q")}},
                          {3, {Item("C", "3", "h"), Item("G", "3", "h")}}});
    Tracks({{2, {Item("A", "4", "h")}}, {3, {Item("A", "3", "h")}}});
    tracks.Choose({2, 3});
    dialog.texts = Bars("RONDO", "1", "1", "", "1", "2", "2"); // beats 2-3 in quarters
    ASSERT_TRUE(CopySection(c, tracks, dialog));
    EXPECT_EQ(s.SourceTitle, "RONDO");
    ExpectTrack(2, {Item("A", "4", "h"), Item("D", "4", "q", "0", "64", "2"),
                    Item("E", "4", "q", "0", "64", "2")});
    // Beat 2 begins inside the first half note of track 3.
    ExpectTrack(3, {Item("A", "3", "h"), Item("C", "3", "h", "0", "64", "2"),
                    Item("G", "3", "h", "0", "64", "2")});
    // Recalculated: the score follows the files.
    EXPECT_EQ(s.ItemCount(3), 3);
    EXPECT_EQ(s.NoteCode(2, 2), 62);
    EXPECT_EQ(s.NoteCode(3, 3), 55);
    // The piece copied from is unchanged and has nothing new.
    EXPECT_EQ(std::filesystem::file_size(std::filesystem::path(s.FilePath) / "RONDO.TNQ" /
                                         TrackFileName("RONDO", 2)),
              5u * 34u);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(s.FilePath) / "RONDO.TNQ" /
                                         TrackFileName("RONDO", 1)));

    // Tracks 2 and 3 now differ (3 half notes against 2 quarters and a
    // half): made equal for the .MID file.
    Tracks({{2, Records(2)}, {3, {Item("A", "3", "h"), Item("C", "3", "h", "0", "64", "2")}}});
    EXPECT_EQ(KeysOf(2), (std::vector<int>{69, 62, 64}));
    EXPECT_EQ(WriteMid(), (std::vector<std::vector<int>>{KeysOf(2), KeysOf(3)}));
}

TEST_F(CopyCommands, VerticalCopyIntoThreeTracks) {
    // Track 2 is copied into itself, and into tracks 3 and 4, behind their
    // two bars.
    Tracks({{2, Halves(1, 2, "C", "E", "5")},
            {3, Halves(1, 2, "R", "R", "6")},
            {4, Halves(1, 2, "R", "R", "7")}});
    p.msg.AnswerInput("0");   // no such track: asked again
    p.msg.AnswerInput("abc"); // asked again
    p.msg.AnswerInput("2");
    tracks.Choose({2, 3, 4});
    dialog.texts = Bars("SONATA", "1", "2", "", "2");
    dialog.pitch = 7; // up a perfect 5th
    ASSERT_TRUE(VerticalCopy(c, tracks, dialog));
    EXPECT_EQ(dialog.modeShown, "mnuEdtVertical");
    EXPECT_EQ(s.SelectedTracks, "0111");
    for (auto [t, channel] : {std::pair{2, "5"}, std::pair{3, "6"}, std::pair{4, "7"}}) {
        const auto before = t == 2 ? Halves(1, 2, "C", "E", "5")
                                   : Halves(1, 2, "R", "R", channel);
        ExpectTrack(t, Join(before, Halves(3, 4, "G", "B", channel)));
        EXPECT_EQ(s.ItemCount(t), 8);
    }
    EXPECT_EQ(KeysOf(4), (std::vector<int>{67, 71, 67, 71}));
    EXPECT_EQ(WriteMid(), (std::vector<std::vector<int>>{KeysOf(2), KeysOf(3), KeysOf(4)}));
}

TEST_F(CopyCommands, VerticalCopyEndsWithoutATrackOrFromAnEmptyTrack) {
    Tracks({{2, Halves(1, 2, "C", "E", "5")}});
    p.msg.AnswerInput("");
    EXPECT_FALSE(VerticalCopy(c, tracks, dialog));
    EXPECT_EQ(dialog.shown, 0);
    EXPECT_TRUE(tracks.shownWith.empty());

    // Track 1 is empty: nothing is copied, and no blank is left.
    p.msg.AnswerInput("1");
    tracks.Choose({2});
    dialog.mode = "INSERT";
    dialog.texts = Bars("SONATA", "1", "1", "1");
    VerticalCopy(c, tracks, dialog);
    ExpectTrack(2, Halves(1, 2, "C", "E", "5"));
}

TEST_F(CopyCommands, AtBarMissingOnADestinationEndsTheCommand) {
    Tracks({{2, Halves(1, 2, "C", "E", "2")}, {3, Halves(1, 1, "D", "F", "3")}});
    tracks.Choose({2, 3});
    dialog.mode = "REPLACE";
    dialog.texts = Bars("SONATA", "1", "1", "2");
    p.msg.AnswerOk();
    EXPECT_FALSE(CopySection(c, tracks, dialog));
    EXPECT_EQ(p.msg.Last().Title, "Find Bar");
    // Track 2 was copied before; the score agrees with its file.
    ExpectTrack(2, Join(Halves(1, 1, "C", "E", "2"), Halves(1, 1, "C", "E", "2")));
    EXPECT_EQ(s.BarNo(2, 3), 1);
    ExpectTrack(3, Halves(1, 1, "D", "F", "3"));
}

TEST_F(CopyCommands, CopyByBarOkChecks) {
    Tracks({{2, Halves(1, 2, "C", "E", "2")}});
    SecondPiece("RONDO", {});
    struct Row {
        const char* mode;
        CopyByBarTexts texts;
        CopyField want;
        const char* message; // "" = none
    } rows[] = {
        {"", Bars("SONATA", "1", "2"), CopyField::Silent, "No option selected"},
        {"ADD", Bars("NOPIECE", "1", "2"), CopyField::Title, "File  NOPIECEdoes not exist"},
        {"ADD", Bars("../RONDO", "1", "2"), CopyField::Title, "File  ../RONDOdoes not exist"},
        {"ADD", Bars("RONDO", "1", "2"), CopyField::None, ""},
        {"ADD", Bars("SONATA", "3", "2"), CopyField::Silent, ""},
        {"ADD", Bars("SONATA", "1", "2", ""), CopyField::None, ""},
        {"REPLACE", Bars("SONATA", "1", "2", "10000"), CopyField::Silent, ""},
        {"INSERT", Bars("SONATA", "1", "2", ""), CopyField::Silent, ""},
        {"ADD", Bars("SONATA", "1", "2", "", ""), CopyField::Silent, ""},
        {"ADD", Bars("SONATA", "1", "2", "", "-2"), CopyField::Offset, ""},
        {"ADD", Bars("SONATA", "1", "2", "", "9998"), CopyField::Offset, ""},
        {"ADD", Bars("SONATA", "1", "2", "", "9997"), CopyField::None, ""},
        {"ADD", Bars("SONATA", "1", "2", "", "0", "2", "2", "qq"), CopyField::BeatValue, ""},
        {"ADD", Bars("SONATA", "1", "2", "", "0", "0", "2"), CopyField::Silent, ""},
        {"ADD", Bars("SONATA", "1", "2", "", "0", "1", "-2"), CopyField::NoBeats, ""},
    };
    for (const Row& r : rows) {
        const std::size_t before = p.msg.shown.size();
        if (*r.message) p.msg.AnswerOk();
        EXPECT_EQ(CopyByBarOK(c, r.mode, r.texts, 12, 14), r.want) << r.mode << r.texts.Title;
        if (*r.message) {
            ASSERT_EQ(p.msg.shown.size(), before + 1);
            EXPECT_EQ(p.msg.Last().Text, r.message);
        } else {
            EXPECT_EQ(p.msg.shown.size(), before) << r.mode << r.texts.FromBar;
        }
    }
    EXPECT_EQ(s.CopySemitones, -1);
    EXPECT_EQ(s.CopyOctaves, -7);
}

// ---- Copy by Item ---------------------------------------------------------

CopyByItemTexts ByItem(std::string title, std::string track, std::string item,
                       std::string count, std::string channel = "1", bool bars = false,
                       std::string offset = "") {
    return {title, track, item, count, offset, channel, bars};
}

TEST_F(CopyCommands, CopyByItemOkChecks) {
    Tracks({{2, Halves(1, 5, "C", "E", "2")}}); // 10 items
    SecondPiece("RONDO", {{3, {Item("C", "4", "q"), Item("D", "4", "q")}}});
    struct Row {
        const char* mode;
        CopyByItemTexts texts;
        CopyField want;
    } rows[] = {
        {"", ByItem("SONATA", "2", "8", "3"), CopyField::Silent},
        {"ADD", ByItem("SONATA", "2", "8", "3", "0"), CopyField::Channel},
        {"ADD", ByItem("SONATA", "2", "8", "3", "17"), CopyField::Channel},
        {"ADD", ByItem("SONATA", "2", "8", "3", ""), CopyField::Channel},
        {"ADD", ByItem("SONATA", "2", "8", "3", "16"), CopyField::None},
        {"ADD", ByItem("SONATA", "2", "8", "4"), CopyField::NoItems},
        {"ADD", ByItem("SONATA", "2", "8", "0"), CopyField::NoItems},
        {"ADD", ByItem("SONATA", "2", "0", "1"), CopyField::Item},
        {"ADD", ByItem("SONATA", "2", "11", "1"), CopyField::Item},
        {"ADD", ByItem("SONATA", "5", "1", "1"), CopyField::Track},
        {"ADD", ByItem("SONATA", "x", "1", "1"), CopyField::Track},
        {"ADD", ByItem("SONATA", "2", "1", "1", "1", true, "x"), CopyField::Offset},
        {"ADD", ByItem("RONDO", "3", "2", "1"), CopyField::None},
        {"ADD", ByItem("RONDO", "3", "2", "2"), CopyField::NoItems},
        {"ADD", ByItem("RONDO", "2", "1", "1"), CopyField::Item},
    };
    for (const Row& r : rows) {
        if (r.want == CopyField::Channel || *r.mode == '\0') p.msg.AnswerOk();
        EXPECT_EQ(CopyByItemOK(c, r.mode, r.texts, 0, 0), r.want)
            << r.texts.Title << r.texts.Track << "/" << r.texts.Item << "/" << r.texts.NoItems
            << "/" << r.texts.Channel;
    }
    EXPECT_TRUE(p.msg.AllAnswersUsed());
    EXPECT_EQ(p.msg.shown[1].Text, "Enter a destination Channel Number (1-16)");
    EXPECT_EQ(p.msg.shown[1].Title, "Copy by Item");
    // The last good OK stored its run.
    EXPECT_EQ(CopyByItemOK(c, "INSERT", ByItem("RONDO", "3", "1", "2", "9", true, "3"), 2, 0),
              CopyField::None);
    EXPECT_EQ(s.SourceTitle, "RONDO");
    EXPECT_EQ(s.RangeFrom, 1);
    EXPECT_EQ(s.RangeTo, 2);
    EXPECT_EQ(s.CopyChannel, "9");
    EXPECT_EQ(s.CopyOffset, 3);
    EXPECT_EQ(s.CopyBarNumbers, "Y");
    EXPECT_EQ(s.CopySemitones, 2);
}

TEST_F(CopyCommands, CopyByItemFromAnotherPieceRecalculatesTheTrack) {
    SecondPiece("RONDO", {{3, {Item("C", "4", "q", "0", "64", "7"), Item("D", "4", "q", "0", "64", "7")}}});
    Tracks({{2, {Item("A", "4", "h"), Item("B", "4", "h")}}});
    s.MenuMode = "mnuEdtNotes";
    s.CurrentTrack = 2;
    s.CurrentItem(2) = 2;
    ASSERT_EQ(CopyByItemOK(c, "INSERT", ByItem("RONDO", "3", "1", "2", "4", true, "1"), 0, 0),
              CopyField::None);
    EXPECT_TRUE(CopyByItem(c));
    ExpectTrack(2, {Item("A", "4", "h"), Item("C", "4", "q", "0", "64", "8", "4"),
                    Item("D", "4", "q", "0", "64", "8", "4"), Item("B", "4", "h")});
    EXPECT_EQ(s.NoteCode(2, 2), 60);
    EXPECT_EQ(s.ItemChan(2, 3), 4);
    EXPECT_EQ(s.BarNo(2, 3), 8);
    EXPECT_EQ(s.NoteCode(2, 4), 71);
    EXPECT_EQ(s.CurrentTrack, 2);
    EXPECT_EQ(s.CurrentItem(2), 4); // behind the copied items
}

TEST_F(CopyCommands, CursorAtTheEndDecidesTheOptions) {
    Tracks({{2, Halves(1, 5, "C", "E", "2")}});
    s.CurrentTrack = 2;
    s.CurrentItem(2) = 5;
    EXPECT_FALSE(CursorAtTrackEnd(s));
    s.CurrentItem(2) = 11;
    EXPECT_TRUE(CursorAtTrackEnd(s));
}

} // namespace
} // namespace tnq
