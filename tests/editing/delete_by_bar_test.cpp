#include "editing/delete_by_bar.h"

#include "editing/edit_fixture.h"
#include "editing/mid_keys.h"
#include "editing/track_builders.h"

namespace tnq {
namespace {

using test::Halves;
using test::Item;
using test::Join;

// The dialog answered from a script: OK runs the real checks.
class ScriptedDeleteByBar : public DeleteByBarDialog {
public:
    bool Show(Context& c) override {
        ++shown;
        modeShown = c.s.MenuMode;
        if (cancel) return false;
        return DeleteByBarOK(texts) == BarField::None;
    }
    DeleteByBarTexts Texts() const override { return texts; }

    DeleteByBarTexts texts;
    bool cancel = false;
    int shown = 0;
    std::string modeShown;
};

DeleteByBarTexts Bars(std::string from, std::string to, bool adjust = false,
                      std::string start = "", std::string beats = "", std::string value = "q") {
    return {from, to, value, start, beats, adjust};
}

TEST(DeleteByBarOK, BarsThenBeatsInScreenOrder) {
    struct Case {
        DeleteByBarTexts texts;
        BarField want;
    } cases[] = {
        {Bars("3", "4"), BarField::None},
        {Bars("5", "3"), BarField::Silent},
        {Bars("", "3"), BarField::Silent},
        {Bars("3", "x"), BarField::Silent},
        {Bars("1", "10000"), BarField::Silent}, // beyond the bar field
        {Bars("-1", "3"), BarField::Silent},
        {Bars("1.5", "3"), BarField::Silent},
        {Bars(" 3", "3 "), BarField::None},
        {Bars("3", "4", true, "2", ""), BarField::None},   // whole bars
        {Bars("3", "4", true, "", "2"), BarField::None},   // narrowed from beat 0
        {Bars("3", "4", true, "", "-2"), BarField::NumberOfBeats},
        {Bars("3", "4", true, "2", "2", "qq"), BarField::BeatValue},
        {Bars("3", "4", true, "2", "2", "Q"), BarField::BeatValue},
        {Bars("3", "4", true, "a", "2"), BarField::StartingBeat},
        {Bars("3", "4", true, "2", "b"), BarField::NumberOfBeats},
        {Bars("3", "4", true, "0", "2"), BarField::Silent},
        {Bars("3", "4", true, "0", "0"), BarField::None},
        {Bars("3", "4", true, "-2", "-2"), BarField::StartingBeat},
        {Bars("3", "4", true, "2", "-1"), BarField::NumberOfBeats},
        {Bars("3", "4", true, "2", "1.5"), BarField::NumberOfBeats},
        {Bars("3", "4", false, "2", "3", "e"), BarField::None},
    };
    for (const auto& k : cases)
        EXPECT_EQ(DeleteByBarOK(k.texts), k.want)
            << k.texts.FromBar << ".." << k.texts.ToBar << " " << k.texts.StartingBeat << "+"
            << k.texts.NoBeats << k.texts.BeatValue;
}

class DeleteByBarTest : public test::EditTest {
protected:
    // Quarters C D E F in bar `bar`.
    static std::vector<TrackItemRecord> Quarters(int bar) {
        std::vector<TrackItemRecord> r;
        for (const char* n : {"C", "D", "E", "F"})
            r.push_back(Item(n, "4", "q", "0", "64", std::to_string(bar), "2"));
        return r;
    }
    ScriptedDeleteByBar dialog;
};

TEST_F(DeleteByBarTest, BarsThreeToFourOfTwoTracksClosedUp) {
    // Track 2 has a TEMPO and a METER item in bar 3: they go with the bar.
    auto two = Halves(1, 6, "C", "G", "2");
    two.insert(two.begin() + 4, Item("TEMPO", "", "q", "0", "90", "3", "2"));
    two.insert(two.begin() + 5, Item("METER", "", "", "3", "4", "3", "2"));
    Tracks({{2, two}, {3, Halves(1, 6, "E", "B", "3")}, {4, Halves(1, 6, "D", "A", "4")}});
    tracks.Choose({2, 3});
    dialog.texts = Bars("3", "4", true);
    ASSERT_TRUE(DeleteByBar(c, tracks, dialog));
    EXPECT_EQ(dialog.modeShown, "mnuEdtDelete");
    EXPECT_EQ(s.MenuMode, "mnuEdtDelete");
    EXPECT_EQ(p.screen.status2, "Select a menu item");

    // Bars 5 and 6 are now 3 and 4, in the records and in BarNo.
    const auto wantTwo = Join(Halves(1, 2, "C", "G", "2"), Halves(5, 6, "C", "G", "2", 2));
    const auto wantThree = Join(Halves(1, 2, "E", "B", "3"), Halves(5, 6, "E", "B", "3", 2));
    ExpectTrack(2, wantTwo);
    ExpectTrack(3, wantThree);
    ExpectTrack(4, Halves(1, 6, "D", "A", "4")); // not chosen
    EXPECT_EQ(s.ItemCount(2), 8);
    EXPECT_EQ(s.ItemCount(3), 8);
    EXPECT_EQ(s.BarNo(2, 5), 3);
    EXPECT_EQ(s.BarNo(3, 8), 4);
    EXPECT_EQ(p.screen.figures[1], "8");
    // The file keeps its length: the records behind the new END stay.
    EXPECT_EQ(std::filesystem::file_size(TrackPath(2)), 15u * 34u);

    // Track 4 made as long for the .MID file.
    Tracks({{4, Halves(1, 4, "D", "A", "4")}});
    EXPECT_EQ(test::MidNoteOnKeys(c),
              (std::vector<std::vector<int>>{test::RecordKeys(s, wantTwo),
                                             test::RecordKeys(s, wantThree),
                                             test::RecordKeys(s, Records(4))}));
}

TEST_F(DeleteByBarTest, UntickedTheBarsBehindKeepTheirNumbers) {
    Tracks({{2, Halves(1, 8, "C", "G", "2")}, {3, Halves(1, 8, "E", "B", "3")}});
    tracks.Choose({2, 3});
    dialog.texts = Bars("5", "7");
    ASSERT_TRUE(DeleteByBar(c, tracks, dialog));
    ExpectTrack(2, Join(Halves(1, 4, "C", "G", "2"), Halves(8, 8, "C", "G", "2")));
    ExpectTrack(3, Join(Halves(1, 4, "E", "B", "3"), Halves(8, 8, "E", "B", "3")));
    EXPECT_EQ(s.BarNo(3, 9), 8);
}

TEST_F(DeleteByBarTest, BeatsTwoAndThreeOfABarTickedLowersEveryLaterItemByOne) {
    auto two = Join(Join(Quarters(3), Quarters(4)), Quarters(5));
    Tracks({{2, two}});
    tracks.Choose({2});
    dialog.texts = Bars("4", "4", true, "2", "2");
    ASSERT_TRUE(DeleteByBar(c, tracks, dialog));
    auto want = Quarters(3);
    // The item before the beats keeps its bar; those behind them drop one.
    want.push_back(Item("C", "4", "q", "0", "64", "4", "2"));
    want.push_back(Item("F", "4", "q", "0", "64", "3", "2"));
    for (auto r : Quarters(4)) want.push_back(r);
    ExpectTrack(2, want);
    EXPECT_EQ(s.ItemCount(2), 10);
    EXPECT_EQ(s.BarNo(2, 5), 4);
    EXPECT_EQ(s.BarNo(2, 6), 3);
    EXPECT_EQ(s.BarNo(2, 7), 4);
}

TEST_F(DeleteByBarTest, NoStartingBeatNarrowsFromTheFirstBeat) {
    Tracks({{2, Join(Quarters(1), Quarters(2))}});
    tracks.Choose({2});
    dialog.texts = Bars("2", "2", false, "", "2");
    ASSERT_TRUE(DeleteByBar(c, tracks, dialog));
    EXPECT_EQ(s.StartingBeat, 0);
    EXPECT_EQ(s.NumberOfBeats, 2);
    auto want = Quarters(1);
    want.push_back(Item("E", "4", "q", "0", "64", "2", "2"));
    want.push_back(Item("F", "4", "q", "0", "64", "2", "2"));
    ExpectTrack(2, want);
}

TEST_F(DeleteByBarTest, TheRangeAtTheEndOfATrack) {
    Tracks({{2, Halves(1, 4, "C", "G", "2")}});
    tracks.Choose({2});
    dialog.texts = Bars("3", "4", true);
    ASSERT_TRUE(DeleteByBar(c, tracks, dialog));
    ExpectTrack(2, Halves(1, 2, "C", "G", "2"));
    const std::string bytes = test::ReadFile(TrackPath(2));
    EXPECT_EQ(bytes.substr(4 * 34, 34), EncodeRecord(kEndRecord));
    EXPECT_EQ(s.ItemCount(2), 4);
}

TEST_F(DeleteByBarTest, ADashBehindTheRangeThatTakesOffItsItemsRefusesIt) {
    // Bar 2 of track 3 opens with a note that takes off the B of bar 1.
    const auto two = Halves(1, 2, "C", "G", "2");
    const auto three =
        Join(Halves(1, 1, "E", "B", "3"), {Item("E", "4", "w.", "-", "64", "2", "3")});
    Tracks({{2, two}, {3, three}});
    tracks.Choose({2, 3});
    dialog.texts = Bars("1", "1");
    p.msg.AnswerOk();
    EXPECT_FALSE(DeleteByBar(c, tracks, dialog));
    EXPECT_EQ(p.msg.Last().Text, "Item 3 on Track 3 takes off the length of the items before it, "
                                 "which this would change; nothing has been deleted");
    ExpectTrack(2, two);
    ExpectTrack(3, three);
}

TEST_F(DeleteByBarTest, ARefusalLeavesEveryTrackAsItWas) {
    // Track 3 repeats bars 1-2 after bar 6: lowering them by 2 would give
    // bar -1.
    Tracks({{2, Halves(1, 6, "C", "G", "2")},
            {3, Join(Halves(1, 6, "E", "B", "3"), Halves(1, 2, "E", "B", "3"))}});
    const std::string before2 = test::ReadFile(TrackPath(2)), before3 = test::ReadFile(TrackPath(3));
    tracks.Choose({2, 3});
    dialog.texts = Bars("3", "4", true);
    p.msg.AnswerOk();
    EXPECT_FALSE(DeleteByBar(c, tracks, dialog));
    EXPECT_EQ(p.msg.Last().Text,
              "Adjusting the bar numbers would take Track 3 below bar 0; nothing has been deleted");
    EXPECT_EQ(p.msg.Last().Title, "Delete by Bar");
    EXPECT_EQ(p.screen.status2, "Select a menu item");
    EXPECT_EQ(test::ReadFile(TrackPath(2)), before2);
    EXPECT_EQ(test::ReadFile(TrackPath(3)), before3);
    EXPECT_EQ(s.ItemCount(2), 12);
    EXPECT_EQ(s.BarNo(3, 16), 2);

    // Unticked the same range goes; the repeat keeps its numbers.
    tracks.Choose({3});
    dialog.texts = Bars("3", "4");
    ASSERT_TRUE(DeleteByBar(c, tracks, dialog));
    ExpectTrack(3, Join(Join(Halves(1, 2, "E", "B", "3"), Halves(5, 6, "E", "B", "3")),
                        Halves(1, 2, "E", "B", "3")));

    // A bar missing on a chosen track: its message, nothing deleted.
    tracks.Choose({2, 3});
    dialog.texts = Bars("9", "9");
    p.msg.AnswerOk();
    EXPECT_FALSE(DeleteByBar(c, tracks, dialog));
    EXPECT_EQ(p.msg.Last().Title, "Validate Bar Numbers");
    EXPECT_EQ(test::ReadFile(TrackPath(2)), before2);

    // Cancel in the track selection or the dialog: nothing shown or changed.
    const int shown = dialog.shown;
    tracks.Choose({});
    EXPECT_FALSE(DeleteByBar(c, tracks, dialog));
    EXPECT_EQ(dialog.shown, shown);
    tracks.Choose({2});
    dialog.cancel = true;
    dialog.texts = Bars("1", "1");
    EXPECT_FALSE(DeleteByBar(c, tracks, dialog));
    EXPECT_EQ(test::ReadFile(TrackPath(2)), before2);
}

} // namespace
} // namespace tnq
