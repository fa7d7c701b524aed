// Check Tracks for Balance, Suppress and Reinstate on a piece in memory.
#include "midifile/balance_commands.h"

#include "core/bar_ranges.h"
#include "core/recalculate.h"
#include "mid_fixture.h"
#include "support/fake_track_selection.h"

#include <deque>

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

// ---- Balance Tracks ---------------------------------------------------------

// The Balance Tracks dialog answered from a script.
class ScriptedBalanceDialog : public BalanceDialog {
public:
    std::optional<BalanceEntry> Show(Context& c) override {
        ++shown;
        selectedAtShow = c.s.SelectedTracks;
        std::optional<BalanceEntry> a;
        if (!answers.empty()) {
            a = answers.front();
            answers.pop_front();
        }
        c.s.DialogResult = a ? "okay" : "";
        return a;
    }
    std::deque<std::optional<BalanceEntry>> answers;
    int shown = 0;
    std::string selectedAtShow;
};

class BalanceTracksTest : public test::MidTest {
protected:
    // Track files of four bars of quarter notes on tracks 1 to 3 (bar b:
    // items 4b-3..4b), track 3's notes of bar 2 a sixteenth longer, track 4
    // empty; then recalculated, as Open leaves a piece.
    void SetUp() override {
        SetUpPiece(4, 40);
        for (int t = 1; t <= 4; ++t) WriteTrack(t, Bars(t, 1, 4));
        s.SelectedTracks = "1111";
        ASSERT_TRUE(Recalculate(c));
    }
    static std::vector<TrackItemRecord> Bars(int t, int from, int to, const char* note = "C") {
        std::vector<TrackItemRecord> items;
        if (t == 4) return items;
        for (int bar = from; bar <= to; ++bar)
            for (int k = 0; k < 4; ++k)
                items.push_back({note, "4", (t == 3 && bar == 2) ? "qs" : "q", "0", "100",
                                 std::to_string(bar), "1", "0"});
        return items;
    }
    static BalanceEntry Range(const char* from, const char* to) {
        BalanceEntry e;
        e.From = from;
        e.To = to;
        return e;
    }
    std::vector<std::string> Figures() const {
        return {p.screen.figures[0], p.screen.figures[1], p.screen.figures[2],
                p.screen.figures[3]};
    }
    ScriptedBalanceDialog dialog;
};

TEST_F(BalanceTracksTest, ShowsTheDurationsOfEachActiveTrackInTheRange) {
    struct Case {
        const char* name;
        BalanceEntry entry;
        std::string active;
        std::vector<std::string> figures;
        std::string status1;
    } cases[] = {
        {"bars 2 to 3", Range(" 2", "3 "), "1111", {"3840", "3840", "4320", "0"},
         "Checking from bar 2 to bar 3"},
        {"suppressed track 2", Range("1", "1"), "1011", {"1920", "0", "1920", "0"},
         "Checking from bar 1 to bar 1"},
        // Track 3 from its first "qs", which runs on into beat 2.
        {"beats 2 and 3 of bar 2", [] {
             BalanceEntry e;
             e.From = "2";
             e.To = "2";
             e.StartingBeat = "2";
             e.NoBeats = "2";
             return e;
         }(), "1111", {"960", "960", "1800", "0"}, "Checking from bar 2 to bar 2"},
        {"starting beat without number of beats: whole bars", [] {
             BalanceEntry e;
             e.From = "4";
             e.To = "4";
             e.StartingBeat = "2";
             e.BeatValue = "zz";
             return e;
         }(), "1111", {"1920", "1920", "1920", "0"}, "Checking from bar 4 to bar 4"},
        {"no starting beat: the beat value is read as a whole text", [] {
             BalanceEntry e;
             e.From = "2";
             e.To = "2";
             e.NoBeats = "2";
             e.BeatValue = "qe";
             return e;
         }(), "1111", {"960", "960", "1200", "0"}, "Checking from bar 2 to bar 2"},
        {"by item, clipped to the track", [] {
             BalanceEntry e;
             e.ByItem = true;
             e.From = "-5";
             e.To = "9999";
             return e;
         }(), "0010", {"0", "0", "8160", "0"}, ""},
        {"by item 5 to 6", [] {
             BalanceEntry e;
             e.ByItem = true;
             e.From = "5";
             e.To = "6";
             e.Repeats = "3";
             return e;
         }(), "0010", {"0", "0", "1200", "0"}, ""},
    };
    for (const auto& k : cases) {
        s.ActiveTracks = k.active;
        dialog.answers.push_back(k.entry);
        ASSERT_TRUE(BalanceTracks(c, dialog)) << k.name;
        EXPECT_EQ(dialog.selectedAtShow, k.active) << k.name;
        EXPECT_EQ(s.MenuMode, "mnuPlyBalance");
        EXPECT_EQ(Figures(), k.figures) << k.name;
        EXPECT_EQ(p.screen.status1, k.status1) << k.name;
        EXPECT_EQ(p.screen.status2, "Checking balance of tracks...");
    }
    EXPECT_TRUE(p.msg.shown.empty());
}

TEST_F(BalanceTracksTest, TheSecondOccurrenceOfARange) {
    // Bars 1 and 2 once more after bar 4, track 2's in eighths.
    for (int t = 1; t <= 3; ++t) {
        auto items = Bars(t, 1, 4);
        for (auto r : Bars(t, 1, 2, "D")) {
            if (t == 2) r.Duration = "e";
            items.push_back(r);
        }
        WriteTrack(t, items);
    }
    ASSERT_TRUE(Recalculate(c));
    BalanceEntry e = Range("1", "2");
    e.Repeats = "2";
    dialog.answers.push_back(e);
    ASSERT_TRUE(BalanceTracks(c, dialog));
    EXPECT_EQ(Figures(), (std::vector<std::string>{"3840", "1920", "4320", "0"}));
}

TEST_F(BalanceTracksTest, CancelNoPieceAndABarNotFoundChangeNoFigure) {
    for (int r = 0; r < 4; ++r) p.screen.figures[r] = "x";
    dialog.answers.push_back(std::nullopt);
    EXPECT_FALSE(BalanceTracks(c, dialog));
    EXPECT_EQ(s.DialogResult, "");

    p.msg.AnswerOk();
    dialog.answers.push_back(Range("7", "8"));
    EXPECT_FALSE(BalanceTracks(c, dialog));
    EXPECT_EQ(p.msg.Last().Title, std::optional<std::string>(kValidateTitle));

    s.PieceOpen = 0;
    p.msg.AnswerOk();
    EXPECT_FALSE(BalanceTracks(c, dialog));
    EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened");
    EXPECT_EQ(dialog.shown, 2);
    EXPECT_EQ(Figures(), (std::vector<std::string>{"x", "x", "x", "x"}));
}

// ---- Suppress and Reinstate ---------------------------------------------------

TEST_F(BalanceTracksTest, SuppressAndReinstateTheChosenTracks) {
    test::FakeTrackSelection tracks;
    tracks.Choose({2, 3});
    SuppressTracks(c, tracks, true);
    EXPECT_EQ(s.ActiveTracks, "1001");
    tracks.Choose({}); // Cancel: nothing changes
    SuppressTracks(c, tracks, false);
    EXPECT_EQ(s.ActiveTracks, "1001");
    tracks.Choose({3, 4});
    SuppressTracks(c, tracks, false);
    EXPECT_EQ(s.ActiveTracks, "1011");
    EXPECT_EQ(tracks.shownWith,
              (std::vector<std::string>{"Suppress", "Reinstate", "Reinstate"}));
    EXPECT_EQ(tracks.caption, kTrackSelCaption);

    s.PieceOpen = 0;
    p.msg.AnswerOk();
    SuppressTracks(c, tracks, true);
    EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened");
    EXPECT_EQ(tracks.shownWith.size(), 3u);
}

} // namespace
} // namespace tnq
