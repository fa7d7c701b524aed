#include "editing/staccato.h"

#include "editing/edit_fixture.h"
#include "editing/mid_keys.h"

namespace tnq {
namespace {

using test::Item;

// The dialog answered from a script: OK runs the real checks.
class ScriptedStaccato : public StaccatoDialog {
public:
    bool Show(Context& c) override {
        modeShown = c.s.MenuMode;
        field = StaccatoOK(c, texts);
        return field == StaccatoField::None;
    }
    StaccatoTexts Texts() const override { return texts; }
    StaccatoTexts texts{"1", "q", "", "", "", ""};
    std::string modeShown;
    StaccatoField field = StaccatoField::None;
};

TEST(StaccatoDurations, SplitAndJoinAgain) {
    using P = Proportion;
    struct Case {
        const char* w;
        P part;
        const char* note; // "" = the note stays as it is
        const char* rest;
    };
    const Case cases[] = {
        {"q", P::OneHalf, "e", "e"},        {"h", P::OneQuarter, "e", "q."},
        {"h", P::ThreeQuarters, "q.", "e"}, {"q.", P::OneQuarter, "e.", "e."},
        {"z", P::ThreeQuarters, "y", "y"},  {"q3", P::OneQuarter, "q6", "q6"},
        {"e5", P::OneHalf, "e10", "e10"},   {"x", P::OneHalf, "w", "w"},
        {"q3.", P::OneHalf, "q6", "q6"},    {"w..", P::ThreeQuarters, "h..", "h.."},
        {"y", P::OneHalf, "", ""},          {"y.", P::OneQuarter, "", ""},
        {"hq", P::OneHalf, "", ""},         {"", P::OneHalf, "", ""},
        {"k", P::OneHalf, "", ""},          {"q20000", P::OneHalf, "", ""},
        {"qa", P::OneHalf, "", ""},
    };
    for (const Case& k : cases) {
        const auto split = SplitDuration(k.w, k.part);
        ASSERT_EQ(split.has_value(), *k.note != '\0') << k.w;
        if (!split) continue;
        EXPECT_EQ(split->Note, k.note) << k.w;
        EXPECT_EQ(split->Rest, k.rest) << k.w;
        // The pair joins back into the value split, except where halving a
        // dotted or tuplet value lost its dots.
        if (std::string(k.w) != "q3.") {
            EXPECT_EQ(JoinedDuration(split->Note, split->Rest), k.w) << k.w;
        }
    }
    struct Join {
        const char* d;
        const char* e;
        const char* want; // "" = not joined
    };
    const Join joins[] = {
        {"q", "q", "h"},  {"s", "e.", "q"}, {"e", "e", "q"},  {"x", "x", ""},
        {"w", "w.", ""},  {"q1", "q1", ""}, {"q0", "q0", ""}, {"q", "", ""},
        {"q", "R", ""},   {"e3", "e3", "e1"},
    };
    for (const Join& j : joins) {
        const auto got = JoinedDuration(j.d, j.e);
        EXPECT_EQ(got.value_or(""), j.want) << j.d << " " << j.e;
    }
}

TEST(StaccatoFields, OkChecksInOrder) {
    test::Program p;
    p.s.SelectedTracks = "0110";
    struct Case {
        StaccatoTexts t;
        const char* selected;
        StaccatoField want;
        bool warned;
    };
    auto texts = [](const char* rep, const char* value, const char* start, const char* beats,
                    const char* from, const char* to, bool byItem = false) {
        StaccatoTexts t{rep, value, start, beats, from, to};
        t.ByBar = !byItem;
        t.ByItem = byItem;
        return t;
    };
    StaccatoTexts none = texts("1", "q", "", "", "1", "2");
    none.ByBar = false;
    StaccatoTexts noPart = texts("1", "q", "", "", "1", "2");
    noPart.Part = Proportion::None;
    const Case cases[] = {
        {texts("1", "q", "", "", "1", "2"), "0100", StaccatoField::None, false},
        {none, "0100", StaccatoField::Silent, false},
        {texts("1", "q", "", "", "1", "2", true), "0110", StaccatoField::Silent, true},
        {texts("1", "q", "", "", "1", "2", true), "0000", StaccatoField::Silent, false},
        {texts("1", "q", "", "", "1", "2", true), "0100", StaccatoField::None, false},
        {noPart, "0100", StaccatoField::Silent, false},
        {texts("5", "q", "", "", "1", "2"), "0100", StaccatoField::Repeats, false},
        {texts("", "q", "", "", "1", "2"), "0100", StaccatoField::Repeats, false},
        // From and To are left to the command: the bar check or the item
        // range refuses them there.
        {texts("1", "q", "", "", "5", "3"), "0100", StaccatoField::None, false},
        {texts("1", "q", "", "", "", "3"), "0100", StaccatoField::None, false},
        {texts("1", "q", "", "", "", "", true), "0100", StaccatoField::None, false},
        {texts("1", "qq", "2", "", "1", "2"), "0100", StaccatoField::None, false},
        {texts("1", "qq", "2", "1", "1", "2"), "0100", StaccatoField::BeatValue, false},
        {texts("1", "Q", "2", "1", "1", "2"), "0100", StaccatoField::BeatValue, false},
        {texts("1", "q", "b", "1", "1", "2"), "0100", StaccatoField::StartingBeat, false},
        {texts("1", "q", "2", "b", "1", "2"), "0100", StaccatoField::NoBeats, false},
        {texts("1", "q", "1", "-2", "1", "2"), "0100", StaccatoField::NoBeats, false},
    };
    for (const Case& k : cases) {
        p.s.SelectedTracks = k.selected;
        p.msg.shown.clear();
        if (k.warned) p.msg.AnswerOk();
        EXPECT_EQ(StaccatoOK(p.c, k.t), k.want) << k.t.Repeats << k.t.From << k.t.To;
        EXPECT_EQ(p.msg.shown.size(), k.warned ? 1u : 0u);
        if (k.warned) {
            EXPECT_EQ(p.msg.Last().Text, "Selection by Item can only be for one track");
        }
    }
}

class Staccato : public test::EditTest {
protected:
    void SetUp() override {
        test::EditTest::SetUp();
        SetUpPiece(4, 40);
        s.SelectedTracks.assign(4, '0');
        s.ActiveTracks.assign(4, '1');
    }
    std::string FileOf(int t) const { return test::ReadFile(TrackPath(t)); }
    // The ticks of track t's notes and rests.
    Long TrackLength(int t) const {
        Long total = 0;
        for (int i = 1; i <= s.ItemCount(t); ++i)
            if (s.NoteCode(t, i) < 128) total += s.ItemTime(t, i);
        return total;
    }
    ScriptedStaccato dialog;
};

TEST_F(Staccato, NotesOfADashAdjustmentStayWhole) {
    // E takes off the length of C: both stay whole, so the track keeps its
    // length; D is split.
    const std::vector<TrackItemRecord> bar{Item("D", "4", "h", "0", "64", "1", "2"),
                                           Item("C", "4", "h", "0", "64", "1", "2"),
                                           Item("E", "4", "w.", "-", "64", "1", "2")};
    Tracks({{2, bar}});
    const Long length = TrackLength(2);
    tracks.Choose({2});
    dialog.texts = {"1", "q", "", "", "1", "1"};
    ASSERT_TRUE(ApplyStaccato(c, tracks, dialog));
    ExpectTrack(2, {Item("D", "4", "q", "0", "64", "1", "2"),
                    Item("R", "0", "q", "0", "0", "1", "2"), bar[1], bar[2]});
    EXPECT_EQ(TrackLength(2), length);
}

TEST_F(Staccato, ReverseLeavesPairsOfADashAdjustmentApart) {
    // Track 2: E takes off the rest's length; track 3: the rest takes off
    // the note's. Both pairs stay apart, so the tracks keep their lengths.
    const std::vector<TrackItemRecord> later{Item("C", "4", "q"), Item("R", "0", "q", "0", "0"),
                                             Item("E", "4", "w", "-")};
    const std::vector<TrackItemRecord> onRest{Item("C", "4", "q"), Item("R", "0", "h", "-", "0")};
    Tracks({{2, later}, {3, onRest}});
    const Long lengths[] = {TrackLength(2), TrackLength(3)};
    tracks.Choose({2, 3});
    p.msg.AnswerOk();
    dialog.texts = {"1", "q", "", "", "1", "1"};
    ASSERT_TRUE(ReverseStaccato(c, tracks, dialog));
    EXPECT_EQ(p.msg.shown.size(), 1u);
    ExpectTrack(2, later);
    ExpectTrack(3, onRest);
    EXPECT_EQ(TrackLength(2), lengths[0]);
    EXPECT_EQ(TrackLength(3), lengths[1]);
}

TEST_F(Staccato, PassageSplitThenReversedGetsItsDurationsBack) {
    // Bars 1 to 3 of 4/4 on track 2: bar 2 is the passage.
    const std::vector<TrackItemRecord> before = {
        Item("C", "4", "w", "0", "64", "1", "2"),
        Item("PROGR", "0", "", "0", "5", "2", "2"),
        Item("D", "4", "q", "0", "80", "2", "2"),
        Item("E", "4", "q.", "0", "64", "2", "2"),
        Item("F", "4", "e", "0", "64", "2", "2"),
        Item("CNTRL", "0", "", "7", "90", "2", "2"),
        Item("G", "4", "q3", "0", "64", "2", "2"),
        Item("A", "4", "q3", "0", "64", "2", "2"),
        Item("B", "4", "q3", "0", "64", "2", "2"),
        Item("R", "0", "e", "0", "0", "2", "2"),
        Item("C", "5", "w", "0", "64", "3", "2"),
    };
    auto rest = [](const char* d, const char* bend = "0") {
        return Item("R", "0", d, "0", "0", "2", "2", bend);
    };
    struct Case {
        Proportion part;
        std::vector<TrackItemRecord> bar2;
    };
    const Case cases[] = {
        {Proportion::OneHalf,
         {Item("D", "4", "e", "0", "80", "2", "2"), rest("e"),
          Item("E", "4", "e.", "0", "64", "2", "2"), rest("e."), Item("F", "4", "s", "0", "64", "2", "2"),
          rest("s"), Item("CNTRL", "0", "", "7", "90", "2", "2"), Item("G", "4", "q6", "0", "64", "2", "2"),
          rest("q6"), Item("A", "4", "q6", "0", "64", "2", "2"), rest("q6"),
          Item("B", "4", "q6", "0", "64", "2", "2"), rest("q6"), Item("R", "0", "e", "0", "0", "2", "2")}},
        {Proportion::OneQuarter,
         {Item("D", "4", "s", "0", "80", "2", "2"), rest("e."),
          Item("E", "4", "e.", "0", "64", "2", "2"), rest("e."), Item("F", "4", "t", "0", "64", "2", "2"),
          rest("s."), Item("CNTRL", "0", "", "7", "90", "2", "2"), Item("G", "4", "q6", "0", "64", "2", "2"),
          rest("q6"), Item("A", "4", "q6", "0", "64", "2", "2"), rest("q6"),
          Item("B", "4", "q6", "0", "64", "2", "2"), rest("q6"), Item("R", "0", "e", "0", "0", "2", "2")}},
    };
    for (const Case& k : cases) {
        Tracks({{2, before}});
        const Long length = TrackLength(2);
        tracks.Choose({2});
        dialog.texts = {"1", "q", "", "", "2", "2"};
        dialog.texts.Part = k.part;
        ASSERT_TRUE(ApplyStaccato(c, tracks, dialog));
        EXPECT_EQ(dialog.modeShown, "mnuEdtStaccato");
        EXPECT_EQ(p.screen.status2, "Select a menu item");
        std::vector<TrackItemRecord> want = {before[0], before[1]};
        want.insert(want.end(), k.bar2.begin(), k.bar2.end());
        want.push_back(before.back());
        ExpectTrack(2, want);
        EXPECT_EQ(s.ItemCount(2), static_cast<int>(want.size()));
        EXPECT_EQ(TrackLength(2), length);
        EXPECT_EQ(test::MidNoteOnKeys(c), (std::vector<std::vector<int>>{{60, 62, 64, 65, 67, 69, 71, 72}}));

        tracks.Choose({2});
        p.msg.AnswerOk();
        ASSERT_TRUE(ReverseStaccato(c, tracks, dialog));
        EXPECT_EQ(p.msg.Last().Title, "Reverse Staccato");
        EXPECT_EQ(dialog.modeShown, "mnuEdtReverseStac");
        ExpectTrack(2, before);
        EXPECT_EQ(s.ItemCount(2), static_cast<int>(before.size()));
        EXPECT_EQ(test::MidNoteOnKeys(c), (std::vector<std::vector<int>>{{60, 62, 64, 65, 67, 69, 71, 72}}));
    }
}

TEST_F(Staccato, ByItemAndSpansWithNothingToSplit) {
    struct Case {
        const char* name;
        std::vector<TrackItemRecord> items;
        const char* from;
        const char* to;
        bool byItem;
        std::vector<TrackItemRecord> want;
    };
    const std::vector<TrackItemRecord> unchanged = {
        Item("PROGR", "0", "", "0", "5"), Item("R", "0", "h", "0", "0"), Item("C", "4", "hq"),
        Item("D", "4", "y"), Item("CNTRL", "0", "", "7", "90")};
    const Case cases[] = {
        {"nothing to split", unchanged, "1", "1", false, unchanged},
        {"keywords only", {Item("PROGR", "0", "", "0", "5"), Item("CNTRL", "0", "", "7", "90")}, "1", "1",
         false, {Item("PROGR", "0", "", "0", "5"), Item("CNTRL", "0", "", "7", "90")}},
        {"by item",
         {Item("C", "4", "q"), Item("D", "4", "q"), Item("E", "4", "h")},
         "2", "2", true,
         {Item("C", "4", "q"), Item("D", "4", "e"), Item("R", "0", "e", "0", "0"), Item("E", "4", "h")}},
        {"by item from empty", {Item("C", "4", "q"), Item("D", "4", "q")}, "", "2", true,
         {Item("C", "4", "q"), Item("D", "4", "q")}},
        {"by item backwards", {Item("C", "4", "q"), Item("D", "4", "q")}, "2", "1", true,
         {Item("C", "4", "q"), Item("D", "4", "q")}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Tracks({{3, k.items}});
        tracks.Choose({3});
        dialog.texts = {"1", "q", "", "", k.from, k.to};
        dialog.texts.ByBar = !k.byItem;
        dialog.texts.ByItem = k.byItem;
        ApplyStaccato(c, tracks, dialog);
        // The dialog takes any From and To; an empty or backward item range
        // edits nothing.
        EXPECT_EQ(dialog.field, StaccatoField::None);
        ExpectTrack(3, k.want);
        EXPECT_EQ(s.ItemCount(3), static_cast<int>(k.want.size()));
    }
}

TEST_F(Staccato, ATrackWithoutRoomIsLeftByteForByte) {
    SetUpPiece(4, 8);
    s.ActiveTracks.assign(4, '1');
    const std::vector<TrackItemRecord> items = {Item("C", "4", "q"), Item("D", "4", "q"),
                                                Item("E", "4", "q"), Item("F", "4", "q")};
    Tracks({{2, items}, {3, {Item("G", "4", "h"), Item("A", "4", "h")}}});
    const std::string before = FileOf(2);
    tracks.Choose({2, 3});
    p.msg.AnswerOk();
    dialog.texts = {"1", "q", "", "", "1", "1"};
    ASSERT_TRUE(ApplyStaccato(c, tracks, dialog));
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Title, "Space Limitation");
    EXPECT_EQ(FileOf(2), before);
    EXPECT_EQ(s.ItemCount(2), 4);
    // The next track is done.
    ExpectTrack(3, {Item("G", "4", "q"), Item("R", "0", "q", "0", "0"), Item("A", "4", "q"),
                    Item("R", "0", "q", "0", "0")});
}

TEST_F(Staccato, ReverseLeavesPairsItCannotJoin) {
    const std::vector<TrackItemRecord> items = {
        Item("C", "4", "q1"), Item("R", "0", "q1", "0", "0"), Item("D", "4", "x"),
        Item("R", "0", "x", "0", "0"), Item("E", "4", "q"), Item("R", "0", "", "0", "0"),
        Item("TEMPO", "0", "q", "0", "90"), Item("R", "0", "q", "0", "0"), Item("F", "4", "q"),
        Item("R", "0", "q", "0", "0")};
    Tracks({{2, items}});
    tracks.Choose({2});
    p.msg.AnswerOk();
    dialog.texts = {"1", "q", "", "", "1", "1"};
    ASSERT_TRUE(ReverseStaccato(c, tracks, dialog));
    std::vector<TrackItemRecord> want(items.begin(), items.end() - 2);
    want.push_back(Item("F", "4", "h"));
    ExpectTrack(2, want);
}

} // namespace
} // namespace tnq
