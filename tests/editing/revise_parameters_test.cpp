#include "editing/revise_parameters.h"

#include "editing/edit_fixture.h"
#include "editing/scripted_dialogs.h"
#include "midifile/mid_fixture.h"

namespace tnq {
namespace {

using test::Item;
using test::ScriptedParameters;

class ReviseParametersTest : public test::EditTest {
protected:
    // Bar 1: two notes, a rest, a program change; bar 2: TEMPO, METER and a
    // note.
    static std::vector<TrackItemRecord> Mixed() {
        return {Item("C", "4", "q", "0", "70", "1", "2"), Item("D", "4", "q", "0", "70", "1", "2"),
                Item("R", "4", "q", "0", "0", "1", "2"),  Item("PROGR", "0", "", "0", "41", "1", "2"),
                Item("E", "4", "q", "0", "70", "1", "2"), Item("TEMPO", "0", "q", "0", "90", "2", "2"),
                Item("METER", "0", "", "3", "4", "2", "2"), Item("F", "4", "h", "0", "70", "2", "2")};
    }
    // Revises bars 1..2 of track 2 with the given boxes.
    void Revise(const std::function<void(ParameterTexts&)>& boxes) {
        tracks.Choose({2});
        dialog.texts = ParameterTexts{};
        dialog.texts.Passage.From = "1";
        dialog.texts.Passage.To = "2";
        boxes(dialog.texts);
        ASSERT_TRUE(ReviseParameters(c, tracks, dialog));
    }
    ScriptedParameters dialog;
};

TEST_F(ReviseParametersTest, EachFieldChangesOnlyTheItemsItBelongsTo) {
    struct Case {
        const char* name;
        std::function<void(ParameterTexts&)> boxes;
        std::function<void(std::vector<TrackItemRecord>&)> change;
    } cases[] = {
        {"note", [](ParameterTexts& t) { t.NoteTicked = true, t.Note = "F#"; },
         [](auto& r) {
             for (int i : {0, 1, 4, 7}) r[i].Note = "F#";
         }},
        {"channel", [](ParameterTexts& t) { t.ChannelTicked = true, t.Channel = "5"; },
         [](auto& r) {
             for (int i : {0, 1, 2, 3, 4, 7}) r[i].Channel = "5";
         }},
        {"duration", [](ParameterTexts& t) { t.DurationTicked = true, t.Duration = "e"; },
         [](auto& r) {
             for (int i : {0, 1, 2, 4, 7}) r[i].Duration = "e";
         }},
        {"octave", [](ParameterTexts& t) { t.OctaveTicked = true, t.Octave = "6"; },
         [](auto& r) {
             for (int i : {0, 1, 4, 7}) r[i].Octave = "6";
         }},
        {"bend", [](ParameterTexts& t) { t.PitchbendTicked = true, t.Pitchbend = "-8192"; },
         [](auto& r) {
             for (int i : {0, 1, 2, 4, 7}) r[i].PitchBend = "-8192";
         }},
        // A rest is silent: the notes that become rests get dynamics 0.
        {"rest", [](ParameterTexts& t) { t.NoteTicked = true, t.Note = "r"; },
         [](auto& r) {
             for (int i : {0, 1, 4, 7}) r[i].Note = "R", r[i].Dynamics = "0";
         }},
        // A box that is not ticked changes nothing, whatever it holds.
        {"unticked", [](ParameterTexts& t) { t.Channel = "5", t.Note = "C", t.Octave = "9"; },
         [](auto&) {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Tracks({{2, Mixed()}});
        p.msg.shown.clear();
        Revise(k.boxes);
        auto want = Mixed();
        k.change(want);
        ExpectTrack(2, want);
    }
}

TEST_F(ReviseParametersTest, NewNoteValuesAreRecalculated) {
    Tracks({{2, Mixed()}});
    Revise([](ParameterTexts& t) { t.DurationTicked = true, t.Duration = "e."; });
    EXPECT_EQ(s.ItemTime(2, 1), 360);
    EXPECT_EQ(s.ItemTime(2, 3), 360);
    EXPECT_EQ(s.ItemTime(2, 8), 360);
    EXPECT_EQ(s.MenuMode, "mnuEdtParameters");
    EXPECT_EQ(p.screen.status2, "Select a menu item");
}

TEST_F(ReviseParametersTest, TheChannelOfARangeReachesTheMidFile) {
    Tracks({{2,
             {Item("C", "4", "q", "0", "64", "1", "1"), Item("D", "4", "q", "0", "64", "2", "1"),
              Item("E", "4", "q", "0", "64", "3", "1"), Item("F", "4", "q", "0", "64", "4", "1")}},
            {3, {Item("C", "3", "w", "0", "64", "1", "1")}}});
    tracks.Choose({2});
    dialog.texts.Passage.From = "2";
    dialog.texts.Passage.To = "3";
    dialog.texts.ChannelTicked = true;
    dialog.texts.Channel = "10";
    ASSERT_TRUE(ReviseParameters(c, tracks, dialog));
    EXPECT_EQ(s.ItemChan(2, 2), 10);
    EXPECT_EQ(s.ItemChan(2, 4), 1);

    s.TrackDescription.ReDim(s.NumTracks);
    test::ScriptedMidDialog mid;
    mid.Ok({"", kDefaultCopyright, false, 0});
    ASSERT_TRUE(MakeMidFile(c, mid));
    std::vector<std::string> channels;
    for (const auto& r : test::ExpectReadable(MidFilePath(s)).Records)
        if (r.Type == "Note_on_c" && r.Track == 1 && r.Fields[2] != "0")
            channels.push_back(r.Fields[0]);
    // midicsv counts channels from 0.
    EXPECT_EQ(channels, (std::vector<std::string>{"0", "9", "9", "0"}));
}

TEST_F(ReviseParametersTest, AllBoxesEmptyWritesNothingButRecalculates) {
    Tracks({{2, Mixed()}});
    const auto stamp = std::filesystem::last_write_time(TrackPath(2));
    Revise([](ParameterTexts&) {});
    ExpectTrack(2, Mixed());
    EXPECT_EQ(std::filesystem::last_write_time(TrackPath(2)), stamp);
    EXPECT_EQ(s.ItemCount(2), 8);
}

TEST_F(ReviseParametersTest, OKChecksEachTickedBoxInScreenOrder) {
    Select({2});
    struct Case {
        std::function<void(ParameterTexts&)> boxes;
        EditField want;
    } cases[] = {
        {[](ParameterTexts&) {}, EditField::None},
        {[](ParameterTexts& t) { t.Passage.ByBar = false; }, EditField::Silent},
        {[](ParameterTexts& t) { t.NoteTicked = true, t.Note = "Eb"; }, EditField::None},
        {[](ParameterTexts& t) { t.NoteTicked = true, t.Note = " R "; }, EditField::None},
        {[](ParameterTexts& t) { t.NoteTicked = true, t.Note = "E#"; }, EditField::Note},
        {[](ParameterTexts& t) { t.NoteTicked = true, t.Note = "EB"; }, EditField::Note},
        {[](ParameterTexts& t) { t.NoteTicked = true, t.Note = ""; }, EditField::Note},
        {[](ParameterTexts& t) { t.OctaveTicked = true, t.Octave = "8"; }, EditField::None},
        {[](ParameterTexts& t) { t.OctaveTicked = true, t.Octave = "9"; }, EditField::Octave},
        {[](ParameterTexts& t) { t.OctaveTicked = true, t.Octave = "-1"; }, EditField::Octave},
        {[](ParameterTexts& t) { t.DurationTicked = true; }, EditField::None},
        {[](ParameterTexts& t) { t.ChannelTicked = true, t.Channel = "16"; }, EditField::None},
        {[](ParameterTexts& t) { t.ChannelTicked = true, t.Channel = "0"; }, EditField::Channel},
        {[](ParameterTexts& t) { t.ChannelTicked = true, t.Channel = "17"; }, EditField::Channel},
        {[](ParameterTexts& t) { t.PitchbendTicked = true, t.Pitchbend = "8192"; },
         EditField::PitchBend},
        {[](ParameterTexts& t) { t.PitchbendTicked = true, t.Pitchbend = "-8192"; },
         EditField::None},
        // The first bad box in screen order wins.
        {[](ParameterTexts& t) {
             t.OctaveTicked = true, t.Octave = "9";
             t.ChannelTicked = true, t.Channel = "0";
         },
         EditField::Octave},
        {[](ParameterTexts& t) { t.Passage.RepeatNumber = "0"; }, EditField::RepeatNumber},
        {[](ParameterTexts& t) { t.Passage.StartingBeat = "2"; }, EditField::NoBeats},
    };
    for (const Case& k : cases) {
        ParameterTexts t;
        t.Passage.From = "1";
        t.Passage.To = "2";
        k.boxes(t);
        EXPECT_EQ(ParametersOK(c, t), k.want);
    }
    EXPECT_TRUE(p.msg.shown.empty());
}

TEST_F(ReviseParametersTest, DurationTexts) {
    for (const char* ok : {"q", "q.", "hq", "q3", "e.3", "w..", "q12", "qqqqqqqqqq"})
        EXPECT_TRUE(RevisedDurationValid(ok)) << ok;
    for (const char* bad : {"", "3q", "q3.", "q-", "Q", "q q", "qqqqqqqqqqq", "a"})
        EXPECT_FALSE(RevisedDurationValid(bad)) << bad;
}

} // namespace
} // namespace tnq
