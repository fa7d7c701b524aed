// Play .MID File and Run Auxiliary Program: what is started, with which
// arguments, and the messages when nothing can be.
#include "midifile/play_commands.h"

#include "core/piece_paths.h"
#include "midifile/make_mid.h"
#include "support/fake_track_selection.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

namespace tnq {
namespace {

class PlayCommands : public ::testing::Test {
protected:
    void SetUp() override {
        s.PieceOpen = 1;
        s.PieceTitle = "SONG";
        s.FilePath = (p.dir.Path() / "my pieces").string();
        s.DefaultPlayer = "xdg-open";
    }
    test::Program p;
    State& s = p.s;
    Context& c = p.c;
};

TEST_F(PlayCommands, ThePlayerGetsThePathOfNameMidAsOneArgument) {
    struct Case {
        const char* player;
        const char* title;
    } cases[] = {
        {"xdg-open", "SONG"},
        {"/opt/Midi Player/play it", "SONG"},
        {"timidity", "MY SONG"}, // blanks in the piece's name too
    };
    for (const auto& k : cases) {
        p.launcher.started.clear();
        s.DefaultPlayer = k.player;
        s.PieceTitle = k.title;
        EXPECT_TRUE(PlayMidFile(c)) << k.player;
        ASSERT_EQ(p.launcher.started.size(), 1u);
        EXPECT_EQ(p.launcher.started[0].Program, k.player);
        const std::string mid = s.FilePath + "/" + k.title + ".TNQ/" + k.title + ".MID";
        EXPECT_EQ(p.launcher.started[0].Arguments, std::vector<std::string>{mid});
        EXPECT_EQ(MidFilePath(s), mid);
    }
    EXPECT_TRUE(p.msg.shown.empty());
}

TEST_F(PlayCommands, APlayerThatCannotBeStarted) {
    const std::string text =
        "Program /no/such player is not available. Check if you have this program or select "
        "another one (Miscellaneous; Select Default Player";
    for (const bool empty : {false, true}) {
        s.DefaultPlayer = empty ? "" : "/no/such player";
        p.launcher.startable = false;
        p.msg.AnswerOk();
        EXPECT_FALSE(PlayMidFile(c));
        EXPECT_EQ(p.msg.Last().Text, empty ? PlayerNotAvailableText("") : text);
        EXPECT_EQ(p.msg.Last().Code, mb::Information);
        EXPECT_EQ(p.msg.Last().Title, std::optional<std::string>("Play .MID File"));
    }
    // An empty player is never handed to the system.
    EXPECT_EQ(p.launcher.started.size(), 1u);
}

TEST_F(PlayCommands, NoPieceOpenStartsNothing) {
    s.PieceOpen = 0;
    p.msg.AnswerOk();
    EXPECT_FALSE(PlayMidFile(c));
    EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened");
    EXPECT_TRUE(p.launcher.started.empty());
}

TEST_F(PlayCommands, TheAuxiliaryProgramStartsAlone) {
    s.PieceOpen = 0; // it needs no piece
    s.AuxiliaryProgram = "/usr/local/bin/my editor";
    EXPECT_TRUE(RunAuxiliaryProgram(c));
    ASSERT_EQ(p.launcher.started.size(), 1u);
    EXPECT_EQ(p.launcher.started[0].Program, "/usr/local/bin/my editor");
    EXPECT_TRUE(p.launcher.started[0].Arguments.empty());

    // Not set up, or not startable: the same message.
    for (const char* program : {"", "/no/such/program"}) {
        s.AuxiliaryProgram = program;
        p.launcher.startable = false;
        p.msg.AnswerOk();
        EXPECT_FALSE(RunAuxiliaryProgram(c));
        EXPECT_EQ(p.msg.Last().Text, "Auxiliary program has not yet been set up "
                                     "(Miscellaneous; Select Auxiliary Program");
        EXPECT_EQ(p.msg.Last().Code, mb::Information);
        EXPECT_EQ(p.msg.Last().Title, std::optional<std::string>("Run Auxiliary Program"));
    }
    EXPECT_EQ(p.launcher.started.size(), 2u);
}

TEST_F(PlayCommands, WithoutALauncherNothingIsStarted) {
    c.launcher = nullptr;
    p.msg.AnswerOk();
    EXPECT_FALSE(PlayMidFile(c));
    EXPECT_EQ(p.msg.Last().Title, std::optional<std::string>("Play .MID File"));
}

TEST_F(PlayCommands, RecalcRebuildsTheChosenTracksOnly) {
    s.NumTracks = 4;
    test::FakeTrackSelection tracks;
    std::vector<std::string> recalculated;
    bool ok = true;
    auto recalc = [&](Context& cc) {
        recalculated.push_back(cc.s.SelectedTracks);
        EXPECT_EQ(p.screen.status1, "Recalculating...");
        EXPECT_TRUE(p.screen.hourglass);
        return ok;
    };
    tracks.Choose({}); // Cancel
    EXPECT_FALSE(RecalcTracks(c, tracks, recalc));
    EXPECT_TRUE(recalculated.empty());
    EXPECT_EQ(s.MenuMode, "mnuFilRecalc");

    tracks.Choose({2, 4});
    EXPECT_TRUE(RecalcTracks(c, tracks, recalc));
    EXPECT_EQ(recalculated, std::vector<std::string>{"0101"});

    // A failed recalculation leaves the display idle all the same.
    ok = false;
    tracks.Choose({1});
    EXPECT_FALSE(RecalcTracks(c, tracks, recalc));
    EXPECT_EQ(p.screen.status1, "");
    EXPECT_EQ(p.screen.status2, "Select a menu item");
    EXPECT_FALSE(p.screen.hourglass);

    s.PieceOpen = 0;
    p.msg.AnswerOk();
    EXPECT_FALSE(RecalcTracks(c, tracks, recalc));
    EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened");
    EXPECT_EQ(tracks.shownWith.size(), 3u);
}

} // namespace
} // namespace tnq
