// The rules of the track-selection dialog: All Tracks, Except, Clear
// Selection, OK, Cancel, activation and geometry.
#include "core/track_selection.h"
#include "support/fake_track_selection.h" // kept compiling with the rules

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tnq {
namespace {

class TrackSelRulesTest : public ::testing::Test {
public: // the cases' clicks reach them
    void SetUp() override {
        s.NumTracks = 8;
        s.SelectedTracks = "00000000";
        s.ActiveTracks = "11111111";
        rules.Activate(s);
    }
    void Tick(std::initializer_list<int> boxes, bool ticked = true) {
        for (int b : boxes) rules.SetTrack(s, b, ticked);
    }
    // The ticked boxes 0..96 and Except.
    std::string Marks() const {
        std::string out;
        for (int i = 0; i <= TrackSelRules::kBoxes; ++i)
            if (rules.Track(i)) out += " " + std::to_string(i);
        if (rules.Except()) out += " except";
        return out;
    }

    State s;
    TrackSelRules rules;
};

TEST_F(TrackSelRulesTest, ClicksThenOk) {
    struct Case {
        const char* what;
        std::function<void(TrackSelRulesTest&)> clicks;
        const char* selected;
        const char* marks;
    } cases[] = {
        {"single tracks",
         [](auto& t) {
             t.Tick({2, 5});
         },
         "01001000", " 2 5"},
        {"a single track unticked again",
         [](auto& t) {
             t.Tick({2, 5}), t.Tick({2}, false);
         },
         "00001000", " 5"},
        {"All Tracks after a single track: every track, only All Tracks ticked",
         [](auto& t) {
             t.Tick({3, 0});
         },
         "11111111", " 0"},
        {"a single track after All Tracks: that track only",
         [](auto& t) {
             t.Tick({0, 7});
         },
         "00000010", " 7"},
        {"All Tracks unticked: nothing, the single marks stay",
         [](auto& t) { t.Tick({0}), t.rules.SetExcept(true), t.Tick({3}), t.Tick({0}, false); },
         "00000000", " 3"},
        {"a single box ticked after that is selected",
         [](auto& t) {
             t.Tick({0}), t.rules.SetExcept(true), t.Tick({3}), t.Tick({0}, false), t.Tick({5});
         },
         "00001000", " 3 5"},
        {"All Tracks with Except: all but the ticked ones",
         [](auto& t) {
             t.Tick({0}), t.rules.SetExcept(true), t.Tick({1, 4});
         },
         "01101111", " 0 1 4 except"},
        {"Except ticked before All Tracks",
         [](auto& t) {
             t.rules.SetExcept(true), t.Tick({6, 0});
         },
         "11111011", " 0 6 except"},
        {"Except without All Tracks does nothing",
         [](auto& t) { t.rules.SetExcept(true), t.Tick({6}); }, "00000100", " 6 except"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        s.ActiveTracks = "10011111";
        rules = TrackSelRules();
        rules.Activate(s);
        k.clicks(*this);
        rules.OK(s);
        EXPECT_EQ(s.SelectedTracks, k.selected);
        EXPECT_EQ(Marks(), k.marks);
        // Only All Tracks with Except plays every suppressed track again.
        EXPECT_EQ(s.ActiveTracks, rules.Except() && rules.Track(0) ? "11111111" : "10011111");
    }
}

TEST_F(TrackSelRulesTest, CancelAndClearLeaveNoSelection) {
    Tick({0});
    rules.OK(s);
    rules.Cancel(s);
    EXPECT_EQ(s.SelectedTracks, "00000000");
    EXPECT_EQ(Marks(), " 0"); // Cancel keeps the marks for the next showing

    rules.SetExcept(true);
    Tick({2, 8});
    rules.SetClear(s, true);
    EXPECT_EQ(s.SelectedTracks, "00000000");
    EXPECT_EQ(Marks(), "");
    EXPECT_FALSE(rules.Clear());
    EXPECT_EQ(rules.AllTracksTicked(), 0);
    // Unticking Clear Selection does nothing.
    Tick({4});
    rules.SetClear(s, false);
    EXPECT_EQ(s.SelectedTracks, "00010000");
}

TEST_F(TrackSelRulesTest, BoxesAboveTheTrackCountHaveNoEffect) {
    s.NumTracks = 20;
    s.SelectedTracks = std::string(20, '0');
    rules.Activate(s);
    Tick({21, 25, 32, 96});
    EXPECT_EQ(s.SelectedTracks, std::string(20, '0'));
    EXPECT_EQ(Marks(), " 21 25 32 96");
    Tick({20});
    EXPECT_EQ(s.SelectedTracks, std::string(19, '0') + "1");
    // Clear Selection reaches the piece's tracks only.
    rules.SetClear(s, true);
    EXPECT_EQ(Marks(), " 21 25 32 96");
    EXPECT_EQ(s.SelectedTracks.size(), 20u);
}

TEST_F(TrackSelRulesTest, ActivationRebuildsTheSelectionFromTheMarks) {
    struct Case {
        const char* what;
        std::function<void(TrackSelRulesTest&)> previousUse;
        const char* selected;
        const char* marks;
        const char* afterOk;
    } cases[] = {
        {"all tracks", [](auto& t) { t.Tick({0}); }, "11111111", " 0", "11111111"},
        {"single tracks",
         [](auto& t) {
             t.Tick({2, 5});
         },
         "01001000", " 2 5", "01001000"},
        {"all tracks except some: the ticked ones until OK",
         [](auto& t) {
             t.Tick({0}), t.rules.SetExcept(true), t.Tick({1, 4});
         },
         "10010000", " 0 1 4 except", "01101111"},
        {"nothing", [](auto&) {}, "00000000", "", "00000000"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        rules = TrackSelRules();
        rules.Activate(s);
        k.previousUse(*this);
        rules.OK(s);
        // Whatever another command left in the selection meanwhile.
        s.SelectedTracks = "1";
        rules.Activate(s);
        EXPECT_EQ(s.SelectedTracks, k.selected);
        EXPECT_EQ(Marks(), k.marks);
        rules.OK(s);
        EXPECT_EQ(s.SelectedTracks, k.afterOk);
    }
}

TEST(TrackSelGeometry, ColumnsByTrackCount) {
    struct Case {
        int tracks, columns, width, left, allLeft, exceptLeft, buttonsLeft;
    } cases[] = {
        {1, 2, 2460, 4470, 0, 1200, 720},      {32, 2, 2460, 4470, 0, 1200, 720},
        {33, 3, 3700, 4470, 720, 1920, 1200},  {48, 3, 3700, 4470, 720, 1920, 1200},
        {49, 4, 4980, 3990, 1200, 2520, 2040}, {64, 4, 4980, 3990, 1200, 2520, 2040},
        {65, 5, 6240, 3360, 1920, 3120, 2520}, {80, 5, 6240, 3360, 1920, 3120, 2520},
        {81, 6, 7530, 2715, 2520, 3720, 3240}, {96, 6, 7530, 2715, 2520, 3720, 3240},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.tracks);
        const TrackSelGeometry g = TrackSelGeometryFor(k.tracks);
        EXPECT_EQ(g.Columns, k.columns);
        EXPECT_EQ(g.FormWidth, k.width);
        EXPECT_EQ(g.FormLeft, k.left);
        EXPECT_EQ(g.FormTop, 1080);
        EXPECT_EQ(g.AllTracksLeft, k.allLeft);
        EXPECT_EQ(g.ExceptLeft, k.exceptLeft);
        EXPECT_EQ(g.ButtonsLeft, k.buttonsLeft);
        // The last column shown fits the form.
        EXPECT_LE(TrackBoxPlace(16 * (k.columns - 1) + 1).Left, k.width);
    }
    struct Place {
        int box, left, top;
    } places[] = {{1, 0, 720},      {16, 0, 4320},   {17, 1200, 720}, {40, 2520, 2400},
                  {64, 3720, 4320}, {65, 5040, 720}, {96, 6240, 4320}};
    for (const auto& k : places) {
        const TwipsBox b = TrackBoxPlace(k.box);
        EXPECT_EQ(b.Left, k.left) << k.box;
        EXPECT_EQ(b.Top, k.top) << k.box;
        EXPECT_EQ(b.Width, 1215);
        EXPECT_EQ(b.Height, 255);
    }
}

} // namespace
} // namespace tnq
