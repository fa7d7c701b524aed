#include "editing/renumber_bars.h"

#include "editing/edit_fixture.h"
#include "editing/mid_keys.h"

namespace tnq {
namespace {

using test::Item;

TEST(RenumberedBars, RepeatsCountOnGapsStayItemsOfABarShareANumber) {
    struct Case {
        std::vector<int> bars, want;
    } cases[] = {
        {{1, 1, 2, 3, 4, 3, 4, 5}, {1, 1, 2, 3, 4, 5, 6, 7}},
        {{1, 3, 3, 4}, {1, 3, 3, 4}},                   // a missing bar stays missing
        {{0, 0, 1}, {0, 0, 1}},                         // bar 0 kept
        {{9, 10, 9, 10}, {9, 10, 11, 12}},              // the first keeps its number
        {{1, 2, 3, 1, 2, 3, 1}, {1, 2, 3, 4, 5, 6, 7}}, // two repeats
        {{5, 8, 6}, {5, 8, 9}},                         // a gap, then a step back
        {{}, {}},
    };
    for (const auto& k : cases) EXPECT_EQ(RenumberedBars(k.bars), k.want);
}

class RenumberBarsTest : public test::EditTest {
protected:
    static TrackItemRecord Q(const char* note, const char* bar, const char* channel = "2") {
        return Item(note, "4", "q", "0", "64", bar, channel);
    }
    // A whole bar of four quarters.
    static void Bar(std::vector<TrackItemRecord>& r, const char* note, const char* bar,
                    const char* channel) {
        for (int i = 0; i < 4; ++i) r.push_back(Q(note, bar, channel));
    }
    static const constexpr char* kQuestion =
        "This function will provide a unique bar number for all bars on all tracks. This will "
        "renumber the repeated sections, where the bar numbers were also repeated. To be on the "
        "safe side, back up your file before running this function.Okay to continue ?";
};

TEST_F(RenumberBarsTest, RepeatedSectionsOfEveryTrackGetBarsOfTheirOwn) {
    SetUpPiece(4, 40);
    s.PieceOpen = 1;
    // Track 2: bars 1 2 | 1 2 (repeat) | 3; track 3 the same with a CNTRL
    // at the start of the repeat; track 4 empty; none selected.
    std::vector<TrackItemRecord> two, three;
    for (const char* bar : {"1", "2", "1", "2", "3"}) {
        Bar(two, "C", bar, "2");
        Bar(three, "E", bar, "3");
    }
    three.insert(three.begin() + 8, Item("CNTRL", "0", "", "7", "100", "1", "3"));
    Tracks({{2, two}, {3, three}});
    s.SelectedTracks = "0000";
    s.Scratch = "end";
    p.msg.Answer(mb::Yes);
    ASSERT_TRUE(RenumberBars(c));
    EXPECT_EQ(p.msg.Last().Text, kQuestion);
    EXPECT_EQ(p.msg.Last().Code, mb::YesNo + mb::Question);
    EXPECT_EQ(p.msg.Last().Title, "Renumber bars");
    EXPECT_EQ(s.MenuMode, "mnuEdtRenumber");
    EXPECT_EQ(p.screen.status2, "Select a menu item");

    std::vector<TrackItemRecord> wantTwo, wantThree;
    for (const char* bar : {"1", "2", "3", "4", "5"}) {
        Bar(wantTwo, "C", bar, "2");
        Bar(wantThree, "E", bar, "3");
    }
    wantThree.insert(wantThree.begin() + 8, Item("CNTRL", "0", "", "7", "100", "3", "3"));
    ExpectTrack(2, wantTwo);
    ExpectTrack(3, wantThree);
    ExpectTrack(4, {});
    EXPECT_EQ(s.BarNo(2, 20), 5);
    EXPECT_EQ(s.BarNo(3, 9), 3);
    EXPECT_EQ(s.BarNo(3, 10), 3);
    // Nothing recalculated: every cursor stays on the track's last item.
    EXPECT_EQ(s.CurrentItem(2), 20);
    EXPECT_EQ(s.CurrentTrack, 4);
    EXPECT_EQ(s.ItemCount(3), 21);

    const auto keys = test::MidNoteOnKeys(c);
    EXPECT_EQ(keys, (std::vector<std::vector<int>>{test::RecordKeys(s, wantTwo),
                                                   test::RecordKeys(s, wantThree)}));
}

TEST_F(RenumberBarsTest, NoOrABarBeyond9999ChangesNothing) {
    std::vector<TrackItemRecord> two{Q("C", "1"), Q("D", "2"), Q("E", "1")};
    std::vector<TrackItemRecord> three{Q("C", "9998"), Q("D", "9999"), Q("E", "9999"),
                                       Q("F", "9998"), Q("G", "9999")};
    Tracks({{2, two}, {3, three}});
    const std::string before2 = test::ReadFile(TrackPath(2)), before3 = test::ReadFile(TrackPath(3));

    p.msg.Answer(mb::No);
    EXPECT_FALSE(RenumberBars(c));
    EXPECT_EQ(p.screen.status2, "");
    EXPECT_EQ(p.msg.shown.size(), 1u);

    // Track 3 would reach 10001: refused before track 2 is written.
    p.msg.Answer(mb::Yes);
    p.msg.AnswerOk();
    EXPECT_FALSE(RenumberBars(c));
    EXPECT_EQ(p.msg.Last().Text,
              "Track 3 would get bar numbers outside 0 to 9999; no bar number has been changed");
    EXPECT_EQ(p.msg.Last().Title, "Renumber bars");
    EXPECT_EQ(p.screen.status2, "Select a menu item");
    EXPECT_EQ(test::ReadFile(TrackPath(2)), before2);
    EXPECT_EQ(test::ReadFile(TrackPath(3)), before3);
    EXPECT_EQ(s.BarNo(2, 3), 1);

    // Without that track the others are renumbered.
    Tracks({{3, {Q("C", "1"), Q("D", "2"), Q("E", "3")}}});
    p.msg.Answer(mb::Yes);
    EXPECT_TRUE(RenumberBars(c));
    ExpectTrack(2, {Q("C", "1"), Q("D", "2"), Q("E", "3")});
}

TEST_F(RenumberBarsTest, WithoutAPieceOnlyTheNoFileMessage) {
    s.PieceOpen = 0;
    p.msg.AnswerOk();
    EXPECT_FALSE(RenumberBars(c));
    EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened");
}

} // namespace
} // namespace tnq
