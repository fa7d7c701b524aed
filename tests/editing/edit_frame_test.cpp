#include "editing/edit_frame.h"

#include "core/piece_paths.h"
#include "core/track_files.h"
#include "editing/edit_fixture.h"

#include <filesystem>

namespace tnq {
namespace {

using test::Item;

// Bars 1..4 of quarter notes, two a bar.
std::vector<TrackItemRecord> FourBars() {
    std::vector<TrackItemRecord> r;
    for (int bar = 1; bar <= 4; ++bar)
        for (const char* n : {"C", "E"}) r.push_back(Item(n, "4", "h", "0", "64", std::to_string(bar)));
    return r;
}

EditRangeTexts R(std::string from, std::string to, std::string start = "",
                 std::string beats = "", std::string value = "", std::string repeat = "") {
    return {from, to, start, beats, value, repeat};
}

class EditFrame : public test::EditTest {
protected:
    // A command whose dialog answers with texts and whose work records the
    // spans it is given.
    EditCommand Command(EditRangeTexts range, bool ok = true) {
        EditCommand cmd;
        cmd.MenuMode = "mnuEdtDynamics";
        cmd.Progress = "Updating dynamics...";
        cmd.ShowDialog = [this, ok](Context&) {
            ++dialogs;
            progressWhileDialog = p.screen.status2;
            return ok;
        };
        cmd.Range = [range] { return range; };
        cmd.ApplySpan = [this](Context& cc) {
            spans.push_back({cc.s.CurrentTrack, cc.s.RangeFrom, cc.s.RangeTo});
            progressDuringWalk = p.screen.status2;
            return true;
        };
        return cmd;
    }
    struct Span {
        int track, from, to;
        bool operator==(const Span&) const = default;
    };
    int dialogs = 0;
    std::vector<Span> spans;
    std::string progressWhileDialog, progressDuringWalk;
};

TEST_F(EditFrame, NothingHappensWithoutAPieceTracksOrOk) {
    Tracks({{2, FourBars()}});
    // No piece: only the message; not even the track selection shows.
    s.PieceOpen = 0;
    p.msg.AnswerOk();
    EXPECT_FALSE(RunEditCommand(c, tracks, Command(R("1", "2"))));
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened");
    EXPECT_TRUE(tracks.shownWith.empty());
    s.PieceOpen = 1;

    // Cancel in the track selection: the dialog is not shown.
    EXPECT_FALSE(RunEditCommand(c, tracks, Command(R("1", "2"))));
    EXPECT_EQ(tracks.shownWith.size(), 1u);
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(s.MenuMode, "mnuEdtDynamics");

    // Cancel in the dialog: nothing shown as running.
    tracks.Choose({2});
    EXPECT_FALSE(RunEditCommand(c, tracks, Command(R("1", "2"), false)));
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(spans.empty());
    EXPECT_EQ(p.screen.status2, "");
    EXPECT_EQ(p.msg.shown.size(), 1u);
}

TEST_F(EditFrame, WalksTheValidatedSpanOfEveryChosenTrack) {
    Tracks({{2, FourBars()}, {3, FourBars()}, {4, {}}});
    tracks.Choose({2, 3, 4});
    p.screen.status2 = "Select a menu item";
    EXPECT_TRUE(RunEditCommand(c, tracks, Command(R("2", "3"))));
    EXPECT_EQ(progressDuringWalk, "Updating dynamics...");
    const std::vector<Span> want = {{2, 3, 6}, {3, 3, 6}}; // track 4 has no items
    EXPECT_EQ(spans, want);
    EXPECT_EQ(p.screen.status2, "Select a menu item");
    EXPECT_EQ(p.screen.status1, "");
    EXPECT_FALSE(p.screen.hourglass);
}

TEST_F(EditFrame, NarrowsToBeatsAndPicksTheRepeat) {
    auto twice = FourBars();
    const auto again = FourBars();
    twice.insert(twice.end(), again.begin(), again.end()); // bars 1-4 twice
    Tracks({{2, twice}});
    // Repeat 2 of bars 2..3, beats 2..3 counted in halves: the second
    // item of bar 2 and the first of bar 3.
    tracks.Choose({2});
    EXPECT_TRUE(RunEditCommand(c, tracks, Command(R("2", "3", "2", "2", "h", "2"))));
    const std::vector<Span> want = {{2, 12, 13}};
    EXPECT_EQ(spans, want);
    EXPECT_EQ(s.Repeats, 2);
    EXPECT_EQ(s.BeatTicks, 4);
}

TEST_F(EditFrame, ARangeThatDoesNotValidateChangesNothing) {
    Tracks({{2, FourBars()}, {3, FourBars()}});
    tracks.Choose({2, 3});
    p.msg.AllowUnexpected(true);
    EXPECT_FALSE(RunEditCommand(c, tracks, Command(R("3", "9"))));
    EXPECT_TRUE(spans.empty());
    ASSERT_FALSE(p.msg.shown.empty());
    EXPECT_EQ(p.msg.Last().Title, "Validate Bar Numbers");
    EXPECT_EQ(p.screen.status2, "Select a menu item");
    // A field beyond 16 bits reads as 0: bar 0 is found nowhere.
    tracks.Choose({2});
    EXPECT_FALSE(RunEditCommand(c, tracks, Command(R("99999", "99999"))));
    EXPECT_EQ(s.RangeFrom, 0);
    EXPECT_TRUE(spans.empty());
}

TEST_F(EditFrame, ByItemNeedsOneTrackAndARangeInsideIt) {
    Tracks({{2, FourBars()}, {3, FourBars()}});
    auto byItem = [this](EditRangeTexts r) {
        EditCommand cmd = Command(r);
        cmd.ByItem = [] { return true; };
        return cmd;
    };
    tracks.Choose({2, 3});
    p.msg.AnswerOk();
    EXPECT_FALSE(RunEditCommand(c, tracks, byItem(R("1", "2"))));
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Text, "Selection by Item can only be for one track");
    EXPECT_TRUE(spans.empty());

    for (const EditRangeTexts& bad : {R("0", "2"), R("3", "2"), R("1", "9")}) {
        tracks.Choose({3});
        EXPECT_FALSE(RunEditCommand(c, tracks, byItem(bad))) << bad.FromBar << ".." << bad.ToBar;
    }
    EXPECT_TRUE(spans.empty());

    // Spans left over on another track, and a repeat number, are ignored.
    s.SpanFirst(2, 2) = 1;
    s.SpanLast(2, 2) = 2;
    tracks.Choose({3});
    EXPECT_TRUE(RunEditCommand(c, tracks, byItem(R("2", "5", "", "", "", "2"))));
    const std::vector<Span> want = {{3, 2, 5}};
    EXPECT_EQ(spans, want);
}

TEST_F(EditFrame, AWalkThatStopsEarlyLeavesTheScoreInStepWithTheFiles) {
    Tracks({{2, FourBars()}, {3, FourBars()}});
    tracks.Choose({2, 3});
    EditCommand cmd = Command(R("1", "4"));
    cmd.Recalculates = false;
    // The work on track 2 cuts the track's file to one item, then track 3
    // fails.
    cmd.ApplySpan = [this](Context& cc) {
        if (cc.s.CurrentTrack == 3) return false;
        WriteTrack(2, {Item("D", "5", "w")});
        return true;
    };
    EXPECT_FALSE(RunEditCommand(c, tracks, cmd));
    EXPECT_EQ(s.ItemCount(2), 1);
    EXPECT_EQ(s.NoteCode(2, 1), 74);
    EXPECT_EQ(s.ItemCount(3), 8);
    EXPECT_EQ(p.screen.status2, "Select a menu item");
}

TEST_F(EditFrame, ATrackFileThatCannotBeOpenedIsToldAndTheStatusReturnsToIdle) {
    Tracks({{2, FourBars()}});
    tracks.Choose({2});
    std::filesystem::remove_all(PieceDirectory(s));
    p.msg.AnswerOk();
    EXPECT_FALSE(RunEditCommand(c, tracks, Command(R("1", "4"))));
    // One message, naming the track, its file and that nothing changed.
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.shown.at(0).Text, "Error 76 Path not found (Track 2, " +
                                          TrackPath(2).string() +
                                          ") has occured; nothing has been changed.");
    EXPECT_EQ(p.screen.status2, "Select a menu item");
    EXPECT_FALSE(p.screen.hourglass);
}

TEST_F(EditFrame, OwnTrackChoiceAndParametersReplaceTheDefaults) {
    Tracks({{1, {Item("TEMPO", "", "q", "0", "90", "1")}}, {2, FourBars()}});
    EditCommand cmd = Command(R("1", "1"));
    cmd.ChooseTracks = [](Context& cc) {
        cc.s.SelectedTracks = "1000";
        return true;
    };
    cmd.ReadParameters = [](Context& cc) { cc.s.Percent = 10; };
    EXPECT_TRUE(RunEditCommand(c, tracks, cmd));
    EXPECT_TRUE(tracks.shownWith.empty());
    EXPECT_EQ(s.Percent, 10);
    const std::vector<Span> want = {{1, 1, 1}};
    EXPECT_EQ(spans, want);
}

} // namespace
} // namespace tnq
