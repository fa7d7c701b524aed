#include "editing/punch.h"

#include "editing/edit_fixture.h"
#include "editing/scripted_dialogs.h"
#include "editing/mid_keys.h"
#include "editing/track_builders.h"

namespace tnq {
namespace {

using test::Item;
using test::ScriptedPunch;
using test::Join;

// A dialog filled in: at bar and beat, the item C4 q.
PunchTexts At(std::string bar, std::string beat, PunchOperation op, std::string note = "C",
              std::string value = "q") {
    PunchTexts t;
    t.AtBar = bar;
    t.Repeat = "1";
    t.AtBeat = beat;
    t.BeatValue = "q";
    t.Measure = bar;
    t.Note = note;
    t.Octave = "4";
    t.NoteValue = value;
    t.Adjustment = "0";
    t.Dynamics = "64";
    t.Pitchbend = "0";
    t.Operation = op;
    return t;
}

PunchTexts AtEnds(PunchOperation op, std::string note = "C", std::string value = "q") {
    PunchTexts t = At("", "", op, note, value);
    t.Repeat = t.AtBeat = t.BeatValue = "";
    t.Measure = "9";
    t.LastItem = true;
    return t;
}

TEST(PunchNoteValue, TheDialogsOwnRule) {
    for (const char* ok : {"q", "q.", "q..", "hq", "q3", "q12", "q.e", "q3e", " q . ", "w"})
        EXPECT_TRUE(PunchNoteValueValid(ok)) << ok;
    for (const char* bad : {"", "3q", ".q", "q3.", "q.3", "qx!", "Q", "r", "q-"})
        EXPECT_FALSE(PunchNoteValueValid(bad)) << bad;
}

class PunchTest : public test::EditTest {
protected:
    // Quarters C D E F of a bar on a channel.
    static std::vector<TrackItemRecord> Quarters(int bar, const char* channel, int octave = 4) {
        std::vector<TrackItemRecord> r;
        for (const char* n : {"C", "D", "E", "F"})
            r.push_back(Item(n, std::to_string(octave), "q", "0", "64", std::to_string(bar), channel));
        return r;
    }
    static std::vector<TrackItemRecord> Bars(int from, int to, const char* channel, int octave = 4) {
        std::vector<TrackItemRecord> r;
        for (int bar = from; bar <= to; ++bar) r = Join(r, Quarters(bar, channel, octave));
        return r;
    }
    ScriptedPunch dialog;
};

TEST_F(PunchTest, OkChecksInScreenOrder) {
    struct Case {
        const char* what;
        PunchTexts texts;
        PunchField want;
    };
    auto with = [](PunchTexts t, auto change) {
        change(t);
        return t;
    };
    const PunchTexts in = At("5", "2", PunchOperation::In);
    const Case cases[] = {
        {"plain", in, PunchField::None},
        {"bar 0", with(in, [](auto& t) { t.AtBar = "0"; }), PunchField::AtBar},
        {"bar 10000", with(in, [](auto& t) { t.AtBar = "10000"; }), PunchField::AtBar},
        {"repeat 5", with(in, [](auto& t) { t.Repeat = "5"; }), PunchField::Repeat},
        {"beat 129", with(in, [](auto& t) { t.AtBeat = "129"; }), PunchField::AtBeat},
        {"beat value Q", with(in, [](auto& t) { t.BeatValue = " Q "; }), PunchField::None},
        {"beat value qq", with(in, [](auto& t) { t.BeatValue = "qq"; }), PunchField::BeatValue},
        {"measure 1.5", with(in, [](auto& t) { t.Measure = "1.5"; }), PunchField::Measure},
        {"measure 10000", with(in, [](auto& t) { t.Measure = "10000"; }), PunchField::Measure},
        {"measure empty", with(in, [](auto& t) { t.Measure = ""; }), PunchField::Measure},
        {"note eb", with(in, [](auto& t) { t.Note = "eb"; }), PunchField::Note},
        {"note Eb", with(in, [](auto& t) { t.Note = " Eb"; }), PunchField::None},
        {"note H", with(in, [](auto& t) { t.Note = "H"; }), PunchField::Note},
        {"rest r", with(in, [](auto& t) { t.Note = "r"; t.Dynamics = "0"; }), PunchField::None},
        {"octave 9", with(in, [](auto& t) { t.Octave = "9"; }), PunchField::Octave},
        {"value q3.", with(in, [](auto& t) { t.NoteValue = "q3."; }), PunchField::NoteValue},
        {"value empty", with(in, [](auto& t) { t.NoteValue = ""; }), PunchField::NoteValue},
        // Passes the dialog's rule, but no duration the recalculation takes.
        {"value q0", with(in, [](auto& t) { t.NoteValue = "q0"; }), PunchField::NoteValue},
        {"value too long", with(in, [](auto& t) { t.NoteValue = "qqqqqqqqqqq"; }),
         PunchField::NoteValue},
        {"adjustment x", with(in, [](auto& t) { t.Adjustment = "x"; }), PunchField::Adjustment},
        {"adjustment 10000", with(in, [](auto& t) { t.Adjustment = "10000"; }),
         PunchField::Adjustment},
        {"adjustment dashes", with(in, [](auto& t) { t.Adjustment = "--"; }), PunchField::None},
        {"adjustment -999", with(in, [](auto& t) { t.Adjustment = "-999"; }), PunchField::None},
        {"dynamics 0", with(in, [](auto& t) { t.Dynamics = "0"; }), PunchField::Dynamics},
        {"rest dynamics -1", with(in, [](auto& t) { t.Note = "R"; t.Dynamics = "-1"; }),
         PunchField::Dynamics},
        {"bend 8192", with(in, [](auto& t) { t.Pitchbend = "8192"; }), PunchField::Pitchbend},
        {"cntrl", with(in, [](auto& t) { t.Note = "cntrl"; t.NoteValue = ""; t.Adjustment = "7"; t.Dynamics = "0"; }),
         PunchField::None},
        {"cntrl 128", with(in, [](auto& t) { t.Note = "CNTRL"; t.Adjustment = "128"; }),
         PunchField::Adjustment},
        {"cntrl value 128", with(in, [](auto& t) { t.Note = "CNTRL"; t.Dynamics = "128"; }),
         PunchField::Dynamics},
        {"at the ends, no place", with(AtEnds(PunchOperation::In), [](auto&) {}), PunchField::None},
        {"out at the ends, no measure",
         with(AtEnds(PunchOperation::Out), [](auto& t) { t.Measure = "x"; }), PunchField::None},
        {"in at the ends, a measure",
         with(AtEnds(PunchOperation::In), [](auto& t) { t.Measure = "x"; }), PunchField::Measure},
        {"an amount of dashes",
         with(AtEnds(PunchOperation::In),
              [](auto& t) { t.UpdateAdjustment = true; t.Adjustment = "--"; }),
         PunchField::Adjustment},
    };
    for (const auto& k : cases) EXPECT_EQ(PunchOK(c, k.texts), k.want) << k.what;
    EXPECT_TRUE(p.msg.shown.empty());

    p.msg.AnswerOk();
    EXPECT_EQ(PunchOK(c, At("5", "1", PunchOperation::None)), PunchField::Operation);
    EXPECT_EQ(p.msg.Last().Text, "An operation must be selected");
    EXPECT_EQ(p.msg.Last().Code, mb::OKOnly);
    EXPECT_EQ(p.msg.Last().Title, "PunchIn/Out");
}

TEST_F(PunchTest, TheItemWrittenHasPlainNumbers) {
    PunchTexts t = At("5", "1", PunchOperation::In, "Eb", " q . ");
    t.Measure = " 07";
    t.Octave = "04";
    t.Dynamics = "+90";
    EXPECT_EQ(PunchItem(t), (TrackItemRecord{"Eb", "4", "q.", "0", "90", "7", "", "0"}));
    t.Note = "cntrl";
    t.Adjustment = "7";
    EXPECT_EQ(PunchItem(t), (TrackItemRecord{"CNTRL", "0", "", "7", "90", "7", "", "0"}));
    t.Note = "r";
    EXPECT_EQ(PunchItem(t).Dynamics, "0"); // a rest is silent
}

TEST_F(PunchTest, InAtBarFiveBeatTwoAndOutAgain) {
    SetUpPiece(3, 40);
    s.PieceOpen = 1;
    const auto two = Bars(4, 6, "2"), three = Bars(4, 6, "3", 3);
    Tracks({{2, two}, {3, three}});
    tracks.Choose({2, 3});
    dialog.texts = At("5", "2", PunchOperation::In, "G", "h");
    ASSERT_TRUE(PunchInOut(c, tracks, dialog));
    EXPECT_EQ(dialog.modeShown, "mnuEdtPunch");
    EXPECT_EQ(p.screen.status2, "Select a menu item");
    EXPECT_EQ(s.SelectedTracks, "111");

    // Before D of bar 5, with its channel.
    auto wantTwo = two, wantThree = three;
    wantTwo.insert(wantTwo.begin() + 5, Item("G", "4", "h", "0", "64", "5", "2"));
    wantThree.insert(wantThree.begin() + 5, Item("G", "4", "h", "0", "64", "5", "3"));
    ExpectTrack(2, wantTwo);
    ExpectTrack(3, wantThree);
    EXPECT_EQ(s.ItemCount(2), 13);
    EXPECT_EQ(s.NoteCode(3, 6), 67);
    EXPECT_EQ(test::MidNoteOnKeys(c),
              (std::vector<std::vector<int>>{test::RecordKeys(s, wantTwo),
                                             test::RecordKeys(s, wantThree)}));

    // Out again: from beat 2 of bar 5, the first G h.
    tracks.Choose({2, 3});
    dialog.texts = At("5", "2", PunchOperation::Out, "G", "h");
    ASSERT_TRUE(PunchInOut(c, tracks, dialog));
    ExpectTrack(2, two);
    ExpectTrack(3, three);
    EXPECT_EQ(s.ItemCount(3), 12);
    EXPECT_EQ(test::MidNoteOnKeys(c), (std::vector<std::vector<int>>{test::RecordKeys(s, two),
                                                                      test::RecordKeys(s, three)}));
}

TEST_F(PunchTest, InAtBeatOneGoesBeforeTheBarsFirstItemAtRepeatTwo) {
    // Bars 1 2 3 2 3: the second time through bar 2.
    const auto two = Join(Bars(1, 3, "2"), Bars(2, 3, "2"));
    SetUpPiece(4, 40);
    s.PieceOpen = 1;
    Tracks({{2, two}});
    tracks.Choose({2});
    dialog.texts = At("2", "1", PunchOperation::In, "R", "q");
    dialog.texts.Repeat = "2";
    dialog.texts.Measure = "2";
    dialog.texts.Dynamics = "0";
    ASSERT_TRUE(PunchInOut(c, tracks, dialog));
    auto want = two;
    want.insert(want.begin() + 12, Item("R", "4", "q", "0", "0", "2", "2"));
    ExpectTrack(2, want);
}

TEST_F(PunchTest, OutTakesTheFirstMatchOfTheBarFromTheBeatOn) {
    std::vector<TrackItemRecord> two{
        Item("C", "4", "q", "0", "64", "5", "2"),      // before beat 2
        Item("C", "4", "h", "0", "64", "5", "2"),      // another value
        Item("CNTRL", "0", "", "7", "100", "5", "2"),  // the controller, by its value
        Item("C", "4", "q", "0", "64", "5", "2"),      // the first match
        Item("C", "4", "q", "0", "64", "5", "2"),
        Item("C", "4", "q", "0", "64", "6", "2")};
    Tracks({{2, two}, {3, {Item("D", "4", "w", "0", "64", "5", "3"),
                           Item("C", "4", "q", "0", "64", "6", "3")}}});
    tracks.Choose({2, 3});
    dialog.texts = At("5", "2", PunchOperation::Out);
    ASSERT_TRUE(PunchInOut(c, tracks, dialog));
    auto want = two;
    want.erase(want.begin() + 3);
    ExpectTrack(2, want);
    // Bar 6 is not looked at.
    ExpectTrack(3, {Item("D", "4", "w", "0", "64", "5", "3"), Item("C", "4", "q", "0", "64", "6", "3")});

    tracks.Choose({2});
    dialog.texts = At("5", "1", PunchOperation::Out, "CNTRL", "");
    dialog.texts.Adjustment = "64"; // another controller number
    dialog.texts.Dynamics = "100";
    dialog.texts.Octave = "0";
    ASSERT_TRUE(PunchInOut(c, tracks, dialog));
    want.erase(want.begin() + 2);
    ExpectTrack(2, want);
}

TEST_F(PunchTest, AFullTrackIsToldAndLeftAsItWas) {
    SetUpPiece(4, 5); // four items at most
    s.PieceOpen = 1;
    const auto full = Quarters(1, "2");
    const std::vector<TrackItemRecord> three{Item("E", "4", "h", "0", "64", "1", "3"),
                                             Item("E", "4", "h", "0", "64", "1", "3")};
    Tracks({{2, full}, {3, three}});
    tracks.Choose({2, 3});
    dialog.texts = At("1", "1", PunchOperation::In);
    p.msg.AnswerOk();
    ASSERT_TRUE(PunchInOut(c, tracks, dialog));
    EXPECT_EQ(p.msg.Last().Title, "Space Limitation");
    ExpectTrack(2, full);
    ExpectTrack(3, Join({Item("C", "4", "q", "0", "64", "1", "3")}, three));

    // At the track ends the same rule holds.
    tracks.Choose({2, 3});
    dialog.texts = AtEnds(PunchOperation::In, "G");
    p.msg.AnswerOk();
    ASSERT_TRUE(PunchInOut(c, tracks, dialog));
    EXPECT_EQ(p.msg.Last().Title, "Space Limitation");
    ExpectTrack(2, full);
    ExpectTrack(3, Join(Join({Item("C", "4", "q", "0", "64", "1", "3")}, three),
                        {Item("G", "4", "q", "0", "64", "9", "3")}));
    EXPECT_EQ(s.ItemCount(3), 4);
}

TEST_F(PunchTest, AtTheEndsInAndOut) {
    const auto two = Quarters(1, "2");
    const std::vector<TrackItemRecord> three{Item("E", "4", "w", "0", "64", "1", "3")};
    Tracks({{2, two}, {3, three}});
    tracks.Choose({2, 3});
    dialog.texts = AtEnds(PunchOperation::In, "G", "q");
    ASSERT_TRUE(PunchInOut(c, tracks, dialog));
    ExpectTrack(2, Join(two, {Item("G", "4", "q", "0", "64", "9", "2")}));
    ExpectTrack(3, Join(three, {Item("G", "4", "q", "0", "64", "9", "3")}));
    EXPECT_EQ(s.ItemCount(3), 2);
    EXPECT_EQ(s.SelectedTracks, "1111");

    // Out: track 3's last item differs in value; both are asked.
    Tracks({{3, Join(three, {Item("G", "4", "h", "0", "64", "9", "3")})}});
    tracks.Choose({2, 3});
    dialog.texts = AtEnds(PunchOperation::Out, "G", "q");
    ASSERT_TRUE(PunchInOut(c, tracks, dialog));
    ExpectTrack(2, two);
    ExpectTrack(3, Join(three, {Item("G", "4", "h", "0", "64", "9", "3")}));
    EXPECT_EQ(s.ItemCount(2), 4);
}

TEST_F(PunchTest, UpdateAdjustmentOfTheLastNoteOrRest) {
    const std::vector<TrackItemRecord> two{Item("C", "4", "q", "5", "64", "1", "2"),
                                           Item("LEGOF", "", "", "0", "", "1", "2")};
    const std::vector<TrackItemRecord> three{Item("C", "4", "q", "9995", "64", "1", "3")};
    const std::vector<TrackItemRecord> four{Item("CNTRL", "0", "", "7", "100", "1", "4"),
                                            Item("LEGOF", "", "", "0", "", "1", "4")};
    Tracks({{2, two}, {3, {Item("C", "4", "q", "0", "64", "1", "3")}}, {4, four}});
    tracks.Choose({2, 3, 4});
    dialog.texts = AtEnds(PunchOperation::In);
    dialog.texts.UpdateAdjustment = true;
    dialog.texts.Adjustment = "10";
    ASSERT_TRUE(PunchInOut(c, tracks, dialog));
    ExpectTrack(2, {Item("C", "4", "q", "15", "64", "1", "2"), two[1]});
    ExpectTrack(3, {Item("C", "4", "q", "10", "64", "1", "3")});
    ExpectTrack(4, four); // keywords alone: passed over

    // 9995 + 10 on track 3: the message ends the command; track 2, done
    // before, keeps its change and the score follows it.
    Tracks({{3, three}});
    tracks.Choose({2, 3, 4});
    p.msg.AnswerOk();
    EXPECT_FALSE(PunchInOut(c, tracks, dialog));
    EXPECT_EQ(p.msg.Last().Text, "Track 3 new adjustment value out of range");
    EXPECT_EQ(p.msg.Last().Code, mb::OKOnly);
    EXPECT_EQ(p.msg.Last().Title, "Punch In/Punch Out");
    EXPECT_EQ(p.screen.status2, "Select a menu item");
    EXPECT_EQ(s.SelectedTracks, "0111"); // not reselected
    ExpectTrack(2, {Item("C", "4", "q", "25", "64", "1", "2"), two[1]});
    ExpectTrack(3, three);
}

TEST_F(PunchTest, ADashAdjustmentIsCheckedAgainstTheItemsBeforeThePlace) {
    Tracks({{2, Quarters(1, "2")}, {3, Quarters(1, "3")}});
    tracks.Choose({2, 3});
    dialog.texts = At("1", "2", PunchOperation::In, "G", "h");
    dialog.texts.Adjustment = "-"; // takes off the C before it
    ASSERT_TRUE(PunchInOut(c, tracks, dialog));
    EXPECT_EQ(s.ItemTime(3, 2), 480);
    const std::string two = test::ReadFile(TrackPath(2)), three = test::ReadFile(TrackPath(3));

    // At the start of the tracks there is nothing to take off.
    dialog.texts.AtBeat = "1";
    tracks.Choose({2, 3});
    p.msg.AnswerOk();
    EXPECT_FALSE(PunchInOut(c, tracks, dialog));
    EXPECT_EQ(p.msg.Last().Text, "The dash adjustment of the item punched in as Item 1 on Track 2 "
                                 "has no items before it to take off, or takes off its whole "
                                 "length; nothing has been punched in");
    // Nor may an item go in, or come out, between the G and its C.
    dialog.texts = At("1", "2", PunchOperation::In);
    tracks.Choose({2, 3});
    p.msg.AnswerOk();
    EXPECT_FALSE(PunchInOut(c, tracks, dialog));
    EXPECT_EQ(p.msg.Last().Text, "Item 2 on Track 2 takes off the length of the items before it, "
                                 "which this would change; nothing has been punched in");
    dialog.texts = At("1", "1", PunchOperation::Out);
    tracks.Choose({2, 3});
    p.msg.AnswerOk();
    EXPECT_FALSE(PunchInOut(c, tracks, dialog));
    EXPECT_EQ(test::ReadFile(TrackPath(2)), two);
    EXPECT_EQ(test::ReadFile(TrackPath(3)), three);
}

TEST_F(PunchTest, NothingChangesWithoutABarOrOnCancel) {
    const auto two = Quarters(1, "2");
    Tracks({{2, two}});
    const std::string before = test::ReadFile(TrackPath(2));
    tracks.Choose({2});
    dialog.texts = At("3", "1", PunchOperation::In);
    p.msg.AnswerOk();
    EXPECT_FALSE(PunchInOut(c, tracks, dialog));
    EXPECT_EQ(p.msg.Last().Title, "Validate Bar Numbers");
    EXPECT_EQ(test::ReadFile(TrackPath(2)), before);
    EXPECT_EQ(s.SelectedTracks, "0100");

    tracks.Choose({});
    EXPECT_FALSE(PunchInOut(c, tracks, dialog));
    EXPECT_EQ(dialog.shown, 1);
    tracks.Choose({2});
    dialog.cancel = true;
    EXPECT_FALSE(PunchInOut(c, tracks, dialog));
    EXPECT_EQ(test::ReadFile(TrackPath(2)), before);
}

} // namespace
} // namespace tnq
