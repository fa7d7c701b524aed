// Sizing the score and loading the limits from the settings.
#include "core/memory.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

namespace tnq {
namespace {

TEST(MemorySetUp, EmptyScoreWithCursorsAtItemOne) {
    test::Program p;
    p.s.NumTracks = 40;
    p.s.MaxItems = 100;
    ASSERT_TRUE(MemorySetUp(p.c));
    for (int t = 0; t <= 40; ++t) {
        EXPECT_EQ(p.s.ItemCount(t), 0);
        EXPECT_EQ(p.s.CurrentItem(t), 1);
    }
    EXPECT_EQ(p.s.SelectedTracks, std::string(40, '0'));
    EXPECT_EQ(p.s.ActiveTracks, std::string(40, '1'));
    EXPECT_EQ(p.s.NoteCode.Upper1(), 40);
    EXPECT_EQ(p.s.NoteCode.Upper2(), 100);
    EXPECT_EQ(p.s.WorkTime.Upper2(), 100);
    EXPECT_EQ(p.s.SpanFirst.Upper2(), 4);
    EXPECT_EQ(p.s.LocationItem.Upper2(), 50);
    EXPECT_THROW(p.s.NoteCode(41, 1), VbError);
    EXPECT_THROW(p.s.ItemTime(1, 101), VbError);
    // Counts on screen: rows 0..39 only.
    EXPECT_EQ(p.screen.figures[0], "0");
    EXPECT_EQ(p.screen.figures[39], "0");
    EXPECT_EQ(p.screen.figures[40], "");
}

TEST(MemorySetUp, ReallocationDiscardsTheOldScore) {
    test::Program p;
    p.s.NumTracks = 2;
    p.s.MaxItems = 10;
    ASSERT_TRUE(MemorySetUp(p.c));
    p.s.NoteCode(1, 1) = 60;
    p.s.ItemCount(1) = 5;
    p.s.RecalcDone = -1;
    ASSERT_TRUE(MemorySetUp(p.c));
    EXPECT_EQ(p.s.NoteCode(1, 1), 0);
    EXPECT_EQ(p.s.ItemCount(1), 0);
    EXPECT_EQ(p.s.RecalcDone, 0);
}

TEST(MemorySetUp, FailureKeepsTheWholeOldScore) {
    test::Program p;
    p.s.NumTracks = 4;
    p.s.MaxItems = 10;
    ASSERT_TRUE(MemorySetUp(p.c));
    p.s.NoteCode(2, 3) = 64;
    p.s.ItemCount(2) = 3;

    p.s.ScoreMemoryLimit = 4096;
    p.s.NumTracks = 96;
    p.s.MaxItems = 32766;
    p.msg.AnswerOk();
    EXPECT_FALSE(MemorySetUp(p.c));
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Text, "Reduce the number of items and/or tracks under Miscellaneous");
    EXPECT_EQ(p.msg.Last().Code, 48);
    EXPECT_EQ(p.msg.Last().Title, "Out of Memory Error");
    // Every array keeps the old size and contents.
    EXPECT_EQ(p.s.NoteCode.Upper1(), 4);
    EXPECT_EQ(p.s.ItemTime.Upper1(), 4);
    EXPECT_EQ(p.s.WorkBend.Upper2(), 10);
    EXPECT_EQ(p.s.ItemCount.Upper(), 4);
    EXPECT_EQ(p.s.NoteCode(2, 3), 64);
    EXPECT_EQ(p.s.ItemCount(2), 3);
    EXPECT_EQ(p.s.SelectedTracks.size(), 4u);
}

TEST(MemorySetUp, OtherRunTimeErrorsShowTheirNumber) {
    test::Program p;
    p.s.NumTracks = -1;
    p.s.MaxItems = 10;
    p.msg.AnswerOk();
    EXPECT_FALSE(MemorySetUp(p.c));
    EXPECT_EQ(p.msg.Last().Text, "Error 9 Subscript out of range has occured");
    EXPECT_EQ(p.msg.Last().Code, 0);
    EXPECT_EQ(p.msg.Last().Title, "Memory Set-Up");
}

TEST(SystemDefaults, LimitsComeFromTheSettings) {
    struct Row {
        std::vector<std::pair<const char*, const char*>> settings;
        int tracks, items, ticks, reverb, chorus;
    } rows[] = {
        {{}, 32, 2000, 480, 3, 2},
        {{{"Tracks", "40"}}, 40, 2000, 480, 3, 2},
        {{{"Tracks", ""}}, 32, 2000, 480, 3, 2},
        {{{"Nts", "2500.5"}}, 32, 2500, 480, 3, 2},
        {{{"Nts", "2501.5"}}, 32, 2502, 480, 3, 2},
        {{{"Actsen", "96"}, {"Reverb", "0"}, {"Chorus", "7"}}, 32, 2000, 96, 0, 7},
        // Unusable texts fall back to the default instead of stopping the program.
        {{{"Tracks", "abc"}}, 32, 2000, 480, 3, 2},
        {{{"Tracks", "97"}}, 32, 2000, 480, 3, 2},
        {{{"Tracks", "0"}}, 32, 2000, 480, 3, 2},
        {{{"Nts", "40000"}}, 32, 2000, 480, 3, 2},
        {{{"Nts", "32767"}}, 32, 2000, 480, 3, 2},
        {{{"Actsen", "-5"}}, 32, 2000, 480, 3, 2},
        {{{"Actsen", "1e9"}}, 32, 2000, 480, 3, 2},
        {{{"Reverb", "8"}, {"Chorus", "x"}}, 32, 2000, 480, 3, 2},
        {{{"Tracks", "12a"}}, 32, 2000, 480, 3, 2},
    };
    for (const auto& r : rows) {
        test::Program p;
        for (auto [k, v] : r.settings) p.ini.SetIniSetting(IniSettings, k, v);
        SystemDefaults(p.c);
        EXPECT_EQ(p.s.NumTracks, r.tracks);
        EXPECT_EQ(p.s.DefaultTracks, r.tracks);
        EXPECT_EQ(p.s.MaxItems, r.items);
        EXPECT_EQ(p.s.DefaultItems, r.items);
        EXPECT_EQ(p.s.TicksPerQuarter, r.ticks);
        EXPECT_EQ(p.s.Reverb, r.reverb);
        EXPECT_EQ(p.s.Chorus, r.chorus);
        EXPECT_EQ(p.s.SelectedTracks, std::string(static_cast<std::size_t>(r.tracks), '0'));
        EXPECT_EQ(p.s.ActiveTracks, std::string(static_cast<std::size_t>(r.tracks), '1'));
        // The stored text is left as it was.
        for (auto [k, v] : r.settings) EXPECT_EQ(p.ini.GetIniSetting(IniSettings, k), v);
    }
}

} // namespace
} // namespace tnq
