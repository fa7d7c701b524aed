// Check Tracks for Balance, Suppress and Reinstate on a piece in memory.
#include "midifile/balance_commands.h"

#include "mid_fixture.h"

#include <gtest/gtest.h>

namespace tnq {
namespace {

class CheckBalance : public test::MidTest {
protected:
    bool Run() {
        return CheckTracksForBalance(c, [this](Context& cc) {
            ++recalcs;
            selectedAtRecalc = cc.s.SelectedTracks;
            // A recalculation clears the figures it rebuilds.
            for (int r = 0; r < 4; ++r) cc.screen.SetTrackFigure(r, "count");
            return recalcOk;
        });
    }
    int recalcs = 0;
    bool recalcOk = true;
    std::string selectedAtRecalc;
};

TEST_F(CheckBalance, ReportsTheBalanceOfTheActiveTracks) {
    struct Case {
        const char* name;
        std::vector<long> totals; // per track; -1 = keyword items only
        std::string active;
        int ticks;
        bool balanced;
        Integer recalcDone;
        std::vector<std::string> figures;
    } cases[] = {
        {"equal", {960, 960, 0, -1}, "1111", 480, true, -1, {"960", "960", "0", "0"}},
        {"within 15", {1920, 1935, 0, 0}, "1111", 480, true, -1, {"1920", "1935", "0", "0"}},
        {"16 beyond", {1920, 1936, 0, 0}, "1111", 480, false, 0, {"1920", "1936", "0", "0"}},
        {"suppressed and balanced", {1920, 500, 1920, 0}, "1011", 480, true, 0,
         {"1920", "0", "1920", "0"}},
        {"suppressed reference", {500, 1920, 1921, 0}, "0111", 64, true, 0,
         {"0", "1920", "1921", "0"}},
        {"tolerance 2 at 64 ticks", {500, 1920, 1923, 0}, "0111", 64, false, 0,
         {"0", "1920", "1923", "0"}},
        {"all empty", {0, 0, 0, 0}, "1111", 480, true, -1, {"0", "0", "0", "0"}},
    };
    for (const auto& k : cases) {
        SetUpPiece(4, 20);
        s.TicksPerQuarter = static_cast<Integer>(k.ticks);
        for (int t = 1; t <= 4; ++t) {
            const long v = k.totals[static_cast<std::size_t>(t) - 1];
            if (v > 0) Note(t, 60, v / 2), Add(t, code::CNTRL, 7, 90), Rest(t, v - v / 2);
            if (v < 0) Add(t, code::PROGR, 0, 5);
        }
        s.ActiveTracks = k.active;
        s.RecalcDone = 0;
        p.msg.AnswerOk();
        EXPECT_EQ(Run(), k.balanced) << k.name;
        EXPECT_EQ(selectedAtRecalc, "1111");
        EXPECT_EQ(p.msg.Last().Text, k.balanced ? "Tracks are in balance" : "Tracks out of balance")
            << k.name;
        EXPECT_EQ(p.msg.Last().Code, 0);
        EXPECT_EQ(p.msg.Last().Title, std::optional<std::string>("Tonquill"));
        EXPECT_EQ(s.RecalcDone, k.recalcDone) << k.name;
        for (int t = 1; t <= 4; ++t)
            EXPECT_EQ(p.screen.figures[t - 1], k.figures[static_cast<std::size_t>(t) - 1])
                << k.name << " track " << t;
        EXPECT_EQ(p.screen.status1, "");
        EXPECT_EQ(p.screen.status2, "");
    }
}

TEST_F(CheckBalance, StopsWithoutAPieceOrARecalculation) {
    Note(1, 60, 960);
    s.PieceOpen = 0;
    p.msg.AnswerOk();
    EXPECT_FALSE(Run());
    EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened");
    EXPECT_EQ(recalcs, 0);

    s.PieceOpen = 1;
    s.RecalcDone = -1;
    recalcOk = false;
    p.screen.status1 = "Recalc's own";
    const std::size_t before = p.msg.shown.size();
    EXPECT_FALSE(Run());
    EXPECT_EQ(recalcs, 1);
    EXPECT_EQ(p.msg.shown.size(), before); // only the recalculation's own message
    EXPECT_EQ(s.RecalcDone, 0);
    EXPECT_EQ(p.screen.figures[0], "count"); // no total shown
    EXPECT_EQ(p.screen.status1, "Recalc's own");
}

TEST(MarkSelectedTracks, SuppressesAndReinstatesOnlyTheChosenTracks) {
    State s;
    s.ActiveTracks = "11111";
    s.SelectedTracks = "01100";
    MarkSelectedTracks(s, '0');
    EXPECT_EQ(s.ActiveTracks, "10011");
    s.SelectedTracks = "00000"; // nothing chosen: nothing changes
    MarkSelectedTracks(s, '1');
    EXPECT_EQ(s.ActiveTracks, "10011");
    s.SelectedTracks = "11000";
    MarkSelectedTracks(s, '1');
    EXPECT_EQ(s.ActiveTracks, "11011");
}

} // namespace
} // namespace tnq
