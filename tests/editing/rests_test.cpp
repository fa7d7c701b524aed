#include "editing/rests.h"

#include "editing/edit_fixture.h"
#include "editing/mid_keys.h"
#include "editing/two_note.h"
#include "midifile/work_arrays.h"

namespace tnq {
namespace {

using test::Item;

// The dialogs answered from a script: OK runs the real checks.
class ScriptedCCPrep : public CCPrepDialog {
public:
    bool Show(Context& c) override {
        modeShown = c.s.MenuMode;
        field = CCPrepOK(texts);
        return field == GridField::None;
    }
    CCPrepTexts Texts() const override { return texts; }
    CCPrepTexts texts;
    std::string modeShown;
    GridField field = GridField::None;
};

class ScriptedTwoNote : public TwoNoteDialog {
public:
    explicit ScriptedTwoNote(const State& s) : s_(s) {}
    bool Show(Context&) override {
        field = TwoNoteOK(s_, texts);
        return field == GridField::None;
    }
    TwoNoteTexts Texts() const override { return texts; }
    TwoNoteTexts texts;
    GridField field = GridField::None;

private:
    const State& s_;
};

TrackItemRecord Rest(const char* value, int bar, const char* channel) {
    return Item("R", "0", value, "0", "0", std::to_string(bar), channel);
}

class Rests : public test::EditTest {
protected:
    // The bytes of track t's file.
    std::string FileOf(int t) const { return test::ReadFile(TrackPath(t)); }
    std::string Counts() const {
        std::string out;
        for (int t = 1; t <= s.NumTracks; ++t) out += std::to_string(s.ItemCount(t)) + " ";
        return out;
    }
    // The ticks of track t's notes and rests as the score holds them.
    Long Ticks(int t) {
        TotalTracks(s);
        return s.TrackTotal(t);
    }
    ScriptedCCPrep prep;
};

// ---- Set a Track to Rests ---------------------------------------------------

TEST_F(Rests, TrackToRestsKeepsTheTimingAndSoundsNothing) {
    Tracks({{2,
             {Item("C", "4", "q", "0", "80", "1", "2", "100"), Item("PROGR", "0", "", "0", "5", "1", "2"),
              Item("D", "4", "e", "0", "64", "1", "2"), Item("R", "0", "q", "0", "0", "1", "2"),
              Item("R", "0", "", "0", "0", "1", "2"), Item("E", "4", "e", "0", "64", "1", "2")}}});
    const Long quarter = s.ItemTime(2, 1);
    tracks.Choose({2});
    p.msg.Answer(mb::Yes);
    ASSERT_TRUE(SetTrackToRests(c, tracks));
    EXPECT_EQ(p.msg.shown.at(0).Text, "Okay to continue ?");
    EXPECT_EQ(p.msg.shown.at(0).Code, 36);
    EXPECT_EQ(p.msg.shown.at(0).Title, "Set Track to Rests");
    EXPECT_EQ(s.MenuMode, "mnuEdtRests");
    EXPECT_EQ(p.screen.status2, "Select a menu item");
    // The notes keep everything but their sound; the rest without length
    // and the keyword are gone.
    ExpectTrack(2, {Item("R", "4", "q", "0", "0", "1", "2", "0"), Item("R", "4", "e", "0", "0", "1", "2"),
                    Item("R", "0", "q", "0", "0", "1", "2"), Item("R", "4", "e", "0", "0", "1", "2")});
    EXPECT_EQ(s.ItemCount(2), 4);
    EXPECT_EQ(s.NoteCode(2, 1), 0);
    EXPECT_EQ(s.ItemDyn(2, 1), 0);
    EXPECT_EQ(s.ItemBend(2, 1), 0);
    EXPECT_EQ(s.ItemTime(2, 1), quarter);
    EXPECT_EQ(s.ItemChan(2, 2), 2);
    // What the arrays hold is what a recalculation reads; nothing sounds.
    s.SelectedTracks = "0100";
    ASSERT_TRUE(Recalculate(c));
    EXPECT_EQ(s.ItemDyn(2, 1), 0);
    EXPECT_EQ(s.ItemBend(2, 1), 0);
    EXPECT_EQ(test::MidNoteOnKeys(c), (std::vector<std::vector<int>>{}));
}

TEST_F(Rests, TrackToRestsKeepsTheTempoItemsThatChangeTheBeatUnit) {
    const auto tempo = [](const char* unit, const char* bpm) {
        return Item("TEMPO", "0", unit, "0", bpm);
    };
    Tracks({{2,
             {tempo("q", "90"), Item("C", "4", "q"), tempo("h", "60"), Item("D", "4", "q"),
              tempo("h", "70"), tempo("q", "80"), Item("E", "4", "q")}}});
    const Long total = Ticks(2);
    tracks.Choose({2});
    p.msg.Answer(mb::Yes);
    ASSERT_TRUE(SetTrackToRests(c, tracks));
    ExpectTrack(2, {Item("R", "4", "q", "0", "0"), tempo("h", "60"), Item("R", "4", "q", "0", "0"),
                    tempo("q", "80"), Item("R", "4", "q", "0", "0")});
    s.SelectedTracks = "0100";
    ASSERT_TRUE(Recalculate(c));
    EXPECT_EQ(Ticks(2), total);
}

TEST_F(Rests, TrackToRestsKeepsTheKeywordsADashLooksAt) {
    // The dash looks at the CNTRL item (controller 0, no length), then at
    // the PROGR item, and takes off nothing; without them it would take off
    // the quarter note. The PROGR item in front is not looked at.
    Tracks({{2,
             {Item("PROGR", "0", "", "0", "3"), Item("C", "4", "q"), Item("PROGR", "0", "", "0", "5"),
              Item("CNTRL", "0", "", "0", "90"), Item("R", "0", "h", "-", "0")}}});
    const Long total = Ticks(2);
    tracks.Choose({2});
    p.msg.Answer(mb::Yes);
    ASSERT_TRUE(SetTrackToRests(c, tracks));
    ExpectTrack(2, {Item("R", "4", "q", "0", "0"), Item("PROGR", "0", "", "0", "5"),
                    Item("CNTRL", "0", "", "0", "90"), Item("R", "0", "h", "-", "0")});
    s.SelectedTracks = "0100";
    ASSERT_TRUE(Recalculate(c));
    EXPECT_EQ(Ticks(2), total);
}

TEST_F(Rests, TrackToRestsRefusalsChangeNothing) {
    const std::vector<TrackItemRecord> notes = {Item("C", "4", "q"), Item("D", "4", "q")};
    Tracks({{2, notes}, {3, notes}});
    const std::string before = FileOf(2);
    struct Case {
        std::vector<int> chosen;
        int answer; // 0: no question asked
        const char* message;
    };
    for (const Case& k : {Case{{}, 0, nullptr}, Case{{2, 3}, 0, "Only one track can be selected"},
                          Case{{2}, mb::No, "Okay to continue ?"}}) {
        p.msg.shown.clear();
        tracks.Choose(k.chosen);
        if (k.chosen.size() == 2) p.msg.AnswerOk();
        if (k.answer) p.msg.Answer(k.answer);
        EXPECT_FALSE(SetTrackToRests(c, tracks));
        if (k.message) {
            ASSERT_EQ(p.msg.shown.size(), 1u);
            EXPECT_EQ(p.msg.Last().Text, k.message);
            EXPECT_EQ(p.msg.Last().Title, "Set Track to Rests");
        } else {
            EXPECT_TRUE(p.msg.shown.empty());
        }
        EXPECT_EQ(FileOf(2), before);
    }
    EXPECT_EQ(p.msg.shown.size(), 1u);
}

TEST_F(Rests, TrackToRestsStopsAtTheCountWhenTheFileHasNoEndRecord) {
    Tracks({{2, {Item("C", "4", "q"), Item("CNTRL", "0", "", "7", "90"), Item("D", "4", "h")}}});
    WriteTrack(2, {Item("C", "4", "q"), Item("CNTRL", "0", "", "7", "90"), Item("D", "4", "h")}, false);
    tracks.Choose({2});
    p.msg.Answer(mb::Yes);
    ASSERT_TRUE(SetTrackToRests(c, tracks));
    ExpectTrack(2, {Item("R", "4", "q", "0", "0"), Item("R", "4", "h", "0", "0")});
    EXPECT_EQ(s.ItemCount(2), 2);
    EXPECT_TRUE(p.msg.AllAnswersUsed());
    EXPECT_EQ(p.msg.shown.size(), 1u); // no read error
}

// ---- Set Up Rests for Tempos, PB, CC ----------------------------------------

TEST(CCPrepFields, OkChecksInScreenOrder) {
    struct Case {
        CCPrepTexts in;
        GridField want;
        const char* value; // Rest Value after OK
    };
    const Case cases[] = {
        {{"3", "4", "Q", "4"}, GridField::None, "q"},
        {{"3", "4", "q.", "4"}, GridField::None, "q."},
        {{"3", "4", "e3", "0"}, GridField::None, "e3"},
        {{"3", "3", "w", "1"}, GridField::None, "w"},
        {{"5", "3", "q", "4"}, GridField::Silent, "q"},
        {{"", "3", "q", "4"}, GridField::Silent, "q"},
        {{"3", "4", "qq", "4"}, GridField::Value, "qq"},
        {{"3", "4", "q..", "4"}, GridField::Value, "q.."},
        {{"3", "4", "", "4"}, GridField::Value, ""},
        {{"3", "4", "k", "4"}, GridField::Value, "k"},
        // A divisor of 0 or below would reach the recalculation.
        {{"3", "4", "e0", "4"}, GridField::Value, "e0"},
        {{"3", "4", "e-3", "4"}, GridField::Value, "e-3"},
        {{"3", "4", "q", "four"}, GridField::PerBar, "q"},
        {{"3", "4", "q", "-1"}, GridField::PerBar, "q"},
        {{"3", "4", "q", "40000"}, GridField::PerBar, "q"},
    };
    for (const Case& k : cases) {
        CCPrepTexts t = k.in;
        EXPECT_EQ(CCPrepOK(t), k.want) << k.in.RestValue << " " << k.in.RestsPerBar;
        EXPECT_EQ(t.RestValue, k.value);
    }
}

TEST_F(Rests, GridOfRestsReplacesRestsAndTheTempoTrackKeepsItsMeter) {
    SetUpPiece(4, 40);
    s.SelectedTracks.assign(4, '0');
    s.ActiveTracks.assign(4, '1');
    // Five bars of 4/4 on two tracks; bars 3 and 4 to become quarter rests.
    Tracks({{1,
             {Item("METER", "0", "", "4", "4", "1"), Rest("w", 1, "1"), Rest("w", 2, "1"),
              Item("METER", "0", "", "3", "4", "3"), Item("TEMPO", "0", "q", "0", "90", "3"),
              Rest("h", 3, "1"), Item("TEMPO", "0", "q", "0", "100", "3"), Rest("h", 3, "1"),
              Rest("w", 4, "1"), Rest("w", 5, "1")}},
            {2,
             {Item("C", "4", "w", "0", "64", "1", "3"), Item("D", "4", "w", "0", "64", "2", "3"),
              Rest("h", 3, "3"), Rest("h", 3, "3"), Rest("h", 4, "3"), Rest("h", 4, "3"),
              Item("E", "4", "w", "0", "64", "5", "3")}}});
    tracks.Choose({1, 2});
    prep.texts = {"3", "4", "Q", "4"};
    ASSERT_TRUE(SetUpRests(c, tracks, prep));
    EXPECT_EQ(prep.modeShown, "mnuEdtCC");

    std::vector<TrackItemRecord> grid1, grid2;
    for (int bar : {3, 4})
        for (int i = 0; i < 4; ++i) {
            grid1.push_back(Rest("q", bar, "1"));
            grid2.push_back(Rest("q", bar, "3"));
        }
    std::vector<TrackItemRecord> want1 = {Item("METER", "0", "", "4", "4", "1"), Rest("w", 1, "1"),
                                          Rest("w", 2, "1"), Item("METER", "0", "", "3", "4", "3")};
    want1.insert(want1.end(), grid1.begin(), grid1.end());
    want1.push_back(Rest("w", 5, "1"));
    ExpectTrack(1, want1);
    std::vector<TrackItemRecord> want2 = {Item("C", "4", "w", "0", "64", "1", "3"),
                                          Item("D", "4", "w", "0", "64", "2", "3")};
    want2.insert(want2.end(), grid2.begin(), grid2.end());
    want2.push_back(Item("E", "4", "w", "0", "64", "5", "3"));
    ExpectTrack(2, want2);
    EXPECT_EQ(s.ItemCount(1), 13);
    EXPECT_EQ(s.ItemCount(2), 11);
    // Recalculated: the new rests have their lengths and stay silent.
    EXPECT_EQ(s.ItemTime(2, 3), 480);
    EXPECT_EQ(s.ItemDyn(2, 3), 0);
    EXPECT_EQ(test::MidNoteOnKeys(c), (std::vector<std::vector<int>>{{60, 62, 64}}));
}

TEST_F(Rests, GridRefusalsKeepTheTrack) {
    const std::vector<TrackItemRecord> bars = {Item("C", "4", "w", "0", "64", "1"), Rest("h", 2, "1"),
                                               Rest("h", 2, "1"), Item("D", "4", "w", "0", "64", "3")};
    struct Case {
        const char* name;
        CCPrepTexts texts;
        int maxItems;
        const char* message; // nullptr: none
        bool changed;
    };
    const Case cases[] = {
        // 4 items - 2 + 16 reach a capacity of 18: refused before the range
        // is deleted.
        {"capacity", {"2", "2", "s", "16"}, 18, "MAXIMUM CAPACITY FOR TRACK 2 HAS BEEN REACHED. "
                                                 "Use Miscellaneous,Set Parameters to try to increase capacity.",
         false},
        {"fits", {"2", "2", "s", "16"}, 19, nullptr, true},
        {"negative", {"2", "2", "s", "-4"}, 40, nullptr, false},
        {"not rests", {"1", "2", "h", "2"}, 40, "Selection must contain only rests", false},
        {"zero", {"2", "2", "q", "0"}, 40, nullptr, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        SetUpPiece(4, k.maxItems);
        s.ActiveTracks.assign(4, '1');
        Tracks({{2, bars}});
        const std::string before = FileOf(2);
        p.msg.shown.clear();
        if (k.message) p.msg.AnswerOk();
        tracks.Choose({2});
        prep.texts = k.texts;
        SetUpRests(c, tracks, prep);
        if (k.message) {
            ASSERT_EQ(p.msg.shown.size(), 1u);
            EXPECT_EQ(p.msg.Last().Text, k.message);
        } else {
            EXPECT_TRUE(p.msg.shown.empty());
        }
        EXPECT_EQ(FileOf(2) != before, k.changed);
    }
    // Per bar 0: the range is deleted and nothing written.
    ExpectTrack(2, {bars[0], bars[3]});
    EXPECT_EQ(s.ItemCount(2), 2);
}

TEST_F(Rests, GridRefusesARangeADashBehindItTakesOff) {
    // The dash of bar 3 takes off the last half rest of bar 2; after a grid
    // of quarters it would take off a quarter and the track would grow.
    Tracks({{2,
             {Item("C", "4", "w", "0", "64", "1"), Rest("h", 2, "1"), Rest("h", 2, "1"),
              Item("D", "4", "w", "-", "64", "3")}}});
    const std::string before = FileOf(2);
    p.msg.AnswerOk();
    tracks.Choose({2});
    prep.texts = {"2", "2", "q", "4"};
    EXPECT_FALSE(SetUpRests(c, tracks, prep));
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Text, "Item 4 on Track 2 takes off the length of the items before it, "
                                 "which this would change; nothing has been replaced");
    EXPECT_EQ(p.msg.Last().Title, "CC and PB Prep");
    EXPECT_EQ(FileOf(2), before);
}

TEST_F(Rests, GridChannelFollowsTheItemBeforeOrTheTrack) {
    SetUpPiece(20, 20);
    s.ActiveTracks.assign(20, '1');
    struct Case {
        int track;
        std::vector<TrackItemRecord> items;
        const char* channel;
    };
    const Case cases[] = {
        {12, {Rest("h", 1, "5")}, "12"},
        {20, {Rest("h", 1, "5")}, "16"},
        {3, {Item("C", "4", "h", "0", "64", "1", "9"), Rest("h", 2, "5")}, "9"},
        {4, {Item("C", "4", "h", "0", "64", "1", "0"), Rest("h", 2, "5")}, "4"},
        // The field is taken as it stands when it is a number of 1..16.
        {5, {Item("C", "4", "h", "0", "64", "1", "05"), Rest("h", 2, "5")}, "05"},
        {6, {Item("C", "4", "h", "0", "64", "1", "16"), Rest("h", 2, "5")}, "16"},
        {7, {Item("C", "4", "h", "0", "64", "1", "17"), Rest("h", 2, "5")}, "7"},
    };
    for (const Case& k : cases) {
        // Channel "0" is no channel: written as it is, not recalculated.
        WriteTrack(k.track, k.items);
        s.ItemCount(k.track) = static_cast<Integer>(k.items.size());
        s.CurrentTrack = static_cast<Integer>(k.track);
        TrackFileOpen(c);
        s.RangeFrom = s.RangeTo = static_cast<Integer>(k.items.size());
        const int bar = static_cast<int>(k.items.size());
        ASSERT_TRUE(ReplaceSpanWithGrid(c, bar, bar, 2, [](int, int b, const std::string& ch) {
            return GridRest("q", b, ch);
        }));
        const auto got = Records(k.track);
        ASSERT_EQ(got.size(), k.items.size() + 1);
        EXPECT_EQ(got.back().Channel, k.channel) << k.track;
        EXPECT_EQ(got.back().Bar, std::to_string(bar));
    }
}

// ---- Two-note pattern -------------------------------------------------------

TEST_F(Rests, TwoNoteOkChecksInScreenOrder) {
    struct Case {
        TwoNoteTexts in;
        GridField want;
        const char* note1;
        const char* octave2;
    };
    const Case cases[] = {
        {{"1", "2", "c#", "4", "eB", "4", "E", "8"}, GridField::None, "C#", "4"},
        {{"1", "2", " Bb ", "4", "R", " 3 ", "e", "8"}, GridField::None, "Bb", "3"},
        {{"1", "2", "bb", "4", "R", "4", "e", "8"}, GridField::None, "Bb", "4"},
        {{"2", "1", "C", "4", "E", "4", "e", "8"}, GridField::Silent, "C", "4"},
        {{"1", "2", "E#", "4", "E", "4", "e", "8"}, GridField::Note1, "E#", "4"},
        {{"1", "2", "H", "4", "E", "4", "e", "8"}, GridField::Note1, "H", "4"},
        {{"1", "2", "C", "4", "", "4", "e", "8"}, GridField::Note2, "C", "4"},
        {{"1", "2", "C", "9", "E", "4", "e", "8"}, GridField::Octave1, "C", "4"},
        {{"1", "2", "C", "-1", "E", "4", "e", "8"}, GridField::Octave1, "C", "4"},
        {{"1", "2", "R", "", "E", "4", "e", "8"}, GridField::Octave1, "R", "4"},
        {{"1", "2", "C", "4", "E", "4.5", "e", "8"}, GridField::Octave2, "C", "4.5"},
        {{"1", "2", "C", "4", "E", "04", "e", "8"}, GridField::None, "C", "4"},
        {{"1", "2", "C", "4", "E", "+4", "e", "8"}, GridField::None, "C", "4"},
        {{"1", "2", "C", "4", "E", "4", "ee", "8"}, GridField::Value, "C", "4"},
        {{"1", "2", "C", "4", "E", "4", "e", "-8"}, GridField::PerBar, "C", "4"},
    };
    for (const Case& k : cases) {
        TwoNoteTexts t = k.in;
        EXPECT_EQ(TwoNoteOK(s, t), k.want) << k.in.Note1 << " " << k.in.Octave1;
        EXPECT_EQ(t.Note1, k.note1);
        EXPECT_EQ(t.Octave2, k.octave2);
    }
}

TEST_F(Rests, TwoNotePatternOverTwoBars) {
    SetUpPiece(4, 40);
    s.ActiveTracks.assign(4, '1');
    struct Case {
        const char* note2;
        const char* perBar;
        const char* value;
        std::vector<int> keys;
    };
    const Case cases[] = {
        {"E", "8", "e", {60, 64, 60, 64, 60, 64, 60, 64, 60, 64, 60, 64, 60, 64, 60, 64}},
        {"E", "3", "q3", {60, 64, 60, 60, 64, 60}},
        // The odd positions are rests: they keep the octave but not a sound.
        {"R", "2", "h", {60, 60}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.note2);
        Tracks({{2,
                 {Item("PROGR", "0", "", "0", "5", "1", "2"), Item("G", "4", "w", "0", "64", "1", "2"),
                  Item("G", "4", "w", "0", "64", "2", "2"), Item("A", "4", "w", "0", "64", "3", "2")}}});
        tracks.Choose({2});
        ScriptedTwoNote dialog(s);
        dialog.texts = {"1", "2", "c", "4", k.note2, "4", k.value, k.perBar};
        ASSERT_TRUE(TwoNotePattern(c, tracks, dialog));
        EXPECT_EQ(s.MenuMode, "mnuEdtTwoNote");
        const int perBar = std::stoi(k.perBar);
        std::vector<TrackItemRecord> want;
        for (int bar : {1, 2})
            for (int i = 0; i < perBar; ++i) {
                const bool first = i % 2 == 0;
                const bool rest = !first && std::string(k.note2) == "R";
                want.push_back(Item(first ? "C" : k.note2, "4", k.value, "0", rest ? "0" : "64",
                                    std::to_string(bar), "2"));
            }
        want.push_back(Item("A", "4", "w", "0", "64", "3", "2"));
        ExpectTrack(2, want);
        EXPECT_EQ(s.ItemCount(2), 2 * perBar + 1);
        std::vector<int> keys = k.keys;
        keys.push_back(69);
        EXPECT_EQ(test::MidNoteOnKeys(c), (std::vector<std::vector<int>>{keys}));
    }
}

TEST_F(Rests, TwoNoteWithNoNotesPerBarDeletesTheRange) {
    Tracks({{2, {Item("G", "4", "w", "0", "64", "1"), Item("A", "4", "w", "0", "64", "2")}}});
    tracks.Choose({2});
    ScriptedTwoNote dialog(s);
    dialog.texts = {"1", "1", "C", "4", "E", "4", "e", "0"};
    ASSERT_TRUE(TwoNotePattern(c, tracks, dialog));
    ExpectTrack(2, {Item("A", "4", "w", "0", "64", "2")});
}

} // namespace
} // namespace tnq
