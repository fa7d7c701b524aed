// Recalculate: track files in, score arrays out; every record rule, the
// runs that stop (data error, full track, unreadable file) and what they
// leave behind.
#include "core/recalculate.h"
#include "piece_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tnq::test {
namespace {

class RecalculateTest : public PieceTest {
protected:
    // Runs expecting a data error message at track t, item n.
    void ExpectDataError(int t, int n) {
        p.msg.AnswerOk();
        EXPECT_FALSE(Recalculate(c));
        ASSERT_FALSE(p.msg.shown.empty());
        EXPECT_EQ(p.msg.Last().Text, "Error in data on Track" + Str(t) + ", Item" + Str(n));
        EXPECT_EQ(p.msg.Last().Code, mb::Exclamation);
        EXPECT_EQ(p.msg.Last().Title, "Data Error");
        EXPECT_EQ(p.screen.status2, "Select a menu item");
    }
};

TEST_F(RecalculateTest, WorkedExample) {
    WriteTrack(2, {Item("C", "4", "q"), Item("TEMPO", "", "h", "0", "120"), Item("D", "4", "q"),
                   Item("R", "", "h", "-", "64")});
    Select({2});
    ASSERT_TRUE(Recalculate(c));
    EXPECT_EQ(s.ItemCount(2), 4);
    EXPECT_EQ(s.CurrentItem(2), 5);
    const int codes[] = {60, 130, 62, 0}, times[] = {480, 0, 240, 240}, dyns[] = {64, 120, 64, 64};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(s.NoteCode(2, i), codes[i - 1]) << i;
        EXPECT_EQ(s.ItemTime(2, i), times[i - 1]) << i;
        EXPECT_EQ(s.ItemDyn(2, i), dyns[i - 1]) << i;
    }
    EXPECT_EQ(s.NoteCode(2, 5), 0);
    EXPECT_EQ(p.screen.figures[1], "4");
    EXPECT_EQ(s.CurrentTrack, 2);
    EXPECT_EQ(s.PieceChanged, 1);

    // With a keyword at item 3 the dash looks back to item 2, also 0 long.
    WriteTrack(2, {Item("C", "4", "q"), Item("TEMPO", "", "h", "0", "120"),
                   Item("PROGR", "", "", "0", "5"), Item("R", "", "h", "-", "64")});
    ASSERT_TRUE(Recalculate(c));
    EXPECT_EQ(s.ItemTime(2, 4), 480);
}

TEST_F(RecalculateTest, TracksAndTablesAroundTheSelection) {
    s.Tempo = "";
    WriteTrack(1, {Item("TEMPO", "", "h", "0", "120"), Item("C", "4", "q")});
    WriteTrack(2, {Item("C", "4", "q7"), Item("C", "4", "q")});
    WriteTrack(3, {Item("C", "4", "q7")});
    // Track 4: an empty file; its stale slots must go.
    WriteTrack(4, {}, /*withEnd=*/false);
    for (int i = 1; i <= s.MaxItems; ++i) s.NoteCode(4, i) = s.NoteCode(1, i) = 99;
    s.ItemCount(4) = 3;
    s.ItemCount(1) = 7;
    Select({2, 3, 4});
    s.MenuMode = "mnuFilRecalc";
    ASSERT_TRUE(Recalculate(c));
    EXPECT_EQ(s.Tempo, "60");
    // The unselected track keeps its tables; its TEMPO does not reach track 2.
    EXPECT_EQ(s.ItemCount(1), 7);
    EXPECT_EQ(s.NoteCode(1, 1), 99);
    EXPECT_EQ(s.ItemTime(2, 2), 480);
    // Fractions of a tick start afresh on every track.
    EXPECT_EQ(s.ItemTime(2, 1), 68);
    EXPECT_EQ(s.ItemTime(3, 1), 68);
    EXPECT_EQ(s.ItemCount(4), 0);
    EXPECT_EQ(s.CurrentItem(4), 1);
    EXPECT_EQ(p.screen.figures[3], "0");
    for (int i = 1; i <= s.MaxItems; ++i) EXPECT_EQ(s.NoteCode(4, i), 0);
    EXPECT_EQ(p.screen.status2, "Select a menu item");

    s.Tempo = "abc";
    ASSERT_TRUE(Recalculate(c));
    EXPECT_EQ(s.Tempo, "60");
    s.Tempo = "96";
    ASSERT_TRUE(Recalculate(c));
    EXPECT_EQ(s.Tempo, "96");
}

// One record after a quarter note C4 (480 ticks), then END.
struct RecordCase {
    const char* what;
    TrackItemRecord record;
    bool ok;
    int code = 0;
    long time = 0;
    int dyn = 0;
};

TEST_F(RecalculateTest, RecordRules) {
    const RecordCase cases[] = {
        // Note names and octaves.
        {"B", Item("B", "4", "q"), true, 71, 480, 64},
        {"Bb", Item("Bb", "4", "q"), true, 70, 480, 64},
        {"C0", Item("C", "0", "q"), true, 12, 480, 64},
        {"B8", Item("B", "8", "q"), true, 119, 480, 64},
        {"lower-case bb", Item("bb", "4", "q"), false},
        {"H", Item("H", "4", "q"), false},
        {"E#", Item("E#", "4", "q"), false},
        {"octave 9", Item("C", "9", "q"), false},
        {"five characters, no keyword", Item("ABCDE", "4", "q"), false},
        {"END not at the start of the field", Item("  END", "", ""), false},
        {"blank item", kBlankItem, false},
        // Durations.
        {"bad duration", Item("C", "4", "Q"), false},
        {"empty duration", Item("C", "4", ""), true, 60, 0, 64},
        // Adjustments.
        {"numeric -5", Item("C", "4", "q", "-5"), true, 60, 480, 64},
        {"numeric 250", Item("C", "4", "q", "250"), true, 60, 480, 64},
        {"dash", Item("C", "4", "h", "-"), true, 60, 480, 64},
        {"dash shortening to 0", Item("C", "4", "q", "-"), false},
        {"dash and letter", Item("C", "4", "q", "-x"), false},
        {"--5", Item("C", "4", "q", "--5"), false},
        {"numeric 1e5", Item("C", "4", "q", "1e5"), false},
        {"empty adjustment on a note", Item("C", "4", "q", ""), true, 60, 480, 64},
        {"empty adjustment on a keyword", Item("PROGR", "0", "", "", "5"), false},
        {"PROGR", Item("PROGR", "0", "", "0", "5"), true, 128, 0, 5},
        {"dash run reaching before item 1", Item("C", "4", "w", "--"), false},
        // Keyword values.
        {"METER 3/4", Item("METER", "0", "", "3", "4"), true, 140, 3, 4},
        {"METER top 0", Item("METER", "0", "", "0", "4"), false},
        {"METER top 100", Item("METER", "0", "", "100", "4"), false},
        {"METER bottom 3", Item("METER", "0", "", "3", "3"), false},
        {"CNTRL 2", Item("CNTRL", "0", "", "2", "0"), true, 129, 2, 0},
        {"CNTRL 128", Item("CNTRL", "0", "", "128", "0"), false},
        {"LFO_2 -64", Item("LFO_2", "0", "", "5", "-64"), true, 136, 5, -64},
        {"LFO_2 128", Item("LFO_2", "0", "", "5", "128"), false},
        {"LFO_2 speed 128", Item("LFO_2", "0", "", "128", "0"), false},
        {"FILT1 -64", Item("FILT1", "0", "", "1", "-64"), true, 137, 1, -64},
        {"FILT1 -65", Item("FILT1", "0", "", "1", "-65"), false},
        {"FILT2 -1", Item("FILT2", "0", "", "1", "-1"), false},
        {"NRPN1 23 -64", Item("NRPN1", "0", "", "23", "-64"), true, 142, 23, -64},
        {"NRPN1 23 -65", Item("NRPN1", "0", "", "23", "-65"), false},
        {"NRPN1 6 999", Item("NRPN1", "0", "", "6", "999"), true, 142, 6, 999},
        {"NRPN1 1 128", Item("NRPN1", "0", "", "1", "128"), false},
        {"NRPN1 5 -1", Item("NRPN1", "0", "", "5", "-1"), false},
        {"NRPN1 27", Item("NRPN1", "0", "", "27", "0"), false},
        // Dynamics ranges of the kinds.
        {"velocity 0", Item("C", "4", "q", "0", "0"), false},
        {"velocity 128", Item("C", "4", "q", "0", "128"), false},
        {"velocity -5", Item("C", "4", "q", "0", "-5"), false},
        {"velocity 12a", Item("C", "4", "q", "0", "12a"), false},
        {"PROGR 128", Item("PROGR", "0", "", "0", "128"), true, 128, 0, 128},
        {"PROGR 0", Item("PROGR", "0", "", "0", "0"), false},
        {"TEMPO 0", Item("TEMPO", "0", "q", "0", "0"), false},
        {"TEMPO 999", Item("TEMPO", "0", "q", "0", "999"), true, 130, 0, 999},
        {"PORTS 10", Item("PORTS", "0", "", "0", "10"), false},
        {"AFTER 128", Item("AFTER", "0", "", "0", "128"), false},
        {"LOCAT 0", Item("LOCAT", "0", "", "0", "0"), false},
        {"rest, dynamics unchecked", Item("R", "0", "q", "0", "999"), true, 0, 480, 999},
        {"LEGON, dynamics unchecked", Item("LEGON", "0", "", "0", "999"), true, 134, 0, 999},
        // Channel, pitch bend, bar.
        {"channel 0", Item("C", "4", "q", "0", "64", "1", "0"), false},
        {"channel 17", Item("C", "4", "q", "0", "64", "1", "17"), false},
        {"channel 16", Item("C", "4", "q", "0", "64", "1", "16"), true, 60, 480, 64},
        {"bend 8191", Item("C", "4", "q", "0", "64", "1", "1", "8191"), true, 60, 480, 64},
        {"bend 8192", Item("C", "4", "q", "0", "64", "1", "1", "8192"), false},
        {"bend -8193", Item("C", "4", "q", "0", "64", "1", "1", "-8193"), false},
        {"bend 40000", Item("C", "4", "q", "0", "64", "1", "1", "40000"), false},
        {"bar 9e99", Item("C", "4", "q", "0", "64", "9e99"), false},
    };
    WriteTrack(1, {});
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        p.msg.shown.clear();
        WriteTrack(2, {Item("C", "4", "q"), k.record});
        Select({2});
        if (!k.ok) {
            ExpectDataError(2, 2);
            EXPECT_EQ(s.CurrentItem(2), 2);
            continue;
        }
        ASSERT_TRUE(Recalculate(c));
        EXPECT_TRUE(p.msg.shown.empty());
        EXPECT_EQ(s.ItemCount(2), 2);
        EXPECT_EQ(s.NoteCode(2, 2), k.code);
        EXPECT_EQ(s.ItemTime(2, 2), k.time);
        EXPECT_EQ(s.ItemDyn(2, 2), k.dyn);
    }
}

TEST_F(RecalculateTest, DashesCountBackFromTheItem) {
    WriteTrack(2, {Item("C", "4", "q"), Item("D", "4", "e"), Item("E", "4", "w", "--")});
    Select({2});
    ASSERT_TRUE(Recalculate(c));
    EXPECT_EQ(s.ItemTime(2, 3), 1920 - 720);
    // A dash on the first item has no item before it.
    WriteTrack(2, {Item("C", "4", "q", "-")});
    ExpectDataError(2, 1);
    // A keyword as item 1 leaves nothing further back for item 2's dash.
    WriteTrack(2, {Item("PROGR", "0", "", "0", "5"), Item("C", "4", "q", "-")});
    ExpectDataError(2, 2);
}

TEST_F(RecalculateTest, TempoUnits) {
    const struct {
        const char* unit;
        long quarter; // ticks of a following quarter note; 0 = refused
    } cases[] = {{"q.", 720}, {"q", 480}, {"h", 240}, {"e.", 1440}, {"e", 960},
                 {"q..", 0},  {"qq", 0},  {"", 0},    {"Q", 0}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.unit);
        WriteTrack(2, {Item("TEMPO", "0", k.unit, "0", "100"), Item("C", "4", "q")});
        Select({2});
        if (k.quarter == 0) {
            ExpectDataError(2, 1);
            continue;
        }
        ASSERT_TRUE(Recalculate(c));
        EXPECT_EQ(s.ItemTime(2, 2), k.quarter);
    }
}

TEST_F(RecalculateTest, ControllerListOfTheAweOption) {
    s.AWESelectChecked = true;
    WriteTrack(2, {Item("CNTRL", "0", "", "7", "100")});
    Select({2});
    ASSERT_TRUE(Recalculate(c));
    EXPECT_EQ(s.ItemTime(2, 1), 7);
    EXPECT_EQ(s.ValidControllers[17], 38);
    WriteTrack(2, {Item("CNTRL", "0", "", "2", "100")});
    ExpectDataError(2, 1);
}

TEST_F(RecalculateTest, DataErrorKeepsTheRealLengthOfTheTrack) {
    std::vector<TrackItemRecord> items(16, Item("C", "4", "q"));
    items.push_back(Item("C", "4", "q", "0", "200"));                   // item 17
    for (int i = 0; i < 3; ++i) items.push_back(Item("ABCDE", "", "")); // not converted
    SetUpPiece(4, 40);
    WriteTrack(3, items);
    WriteTrack(2, {Item("D", "4", "q")});
    s.ItemCount(4) = 5;
    s.NoteCode(4, 1) = 77;
    Select({2, 3, 4});
    ExpectDataError(3, 17);
    EXPECT_EQ(p.msg.Last().Text, "Error in data on Track 3, Item 17");
    EXPECT_EQ(s.ItemCount(3), 20);
    EXPECT_EQ(s.CurrentItem(3), 17);
    EXPECT_EQ(p.screen.figures[2], "20");
    EXPECT_EQ(s.NoteCode(3, 16), 60);
    EXPECT_EQ(s.NoteCode(3, 17), 0);
    // Tracks before are rebuilt, tracks after untouched.
    EXPECT_EQ(s.ItemCount(2), 1);
    EXPECT_EQ(s.ItemCount(4), 5);
    EXPECT_EQ(s.NoteCode(4, 1), 77);

    // Without an END record the count runs to the end of the file.
    WriteTrack(3, {Item("C", "4", "q"), Item("X", "4", "q"), Item("C", "4", "q")}, false);
    ExpectDataError(3, 2);
    EXPECT_EQ(s.ItemCount(3), 3);

    // A file longer than the track can hold counts as a full track.
    SetUpPiece(4, 5);
    std::vector<TrackItemRecord> long7(7, Item("C", "4", "q"));
    long7[1] = Item("X", "4", "q");
    WriteTrack(3, long7);
    Select({3});
    ExpectDataError(3, 2);
    EXPECT_EQ(s.ItemCount(3), 4);
    EXPECT_EQ(p.screen.figures[2], "4");
}

TEST_F(RecalculateTest, CorrectingTheReportedItemKeepsTheRestOfTheTrack) {
    WriteTrack(2, {Item("C", "4", "q"), Item("D", "4", "q"), Item("Q", "4", "q"),
                   Item("E", "4", "q"), Item("F", "4", "q")});
    Select({2});
    ExpectDataError(2, 3);
    ASSERT_EQ(s.ItemCount(2), 5);
    // The correction is written at the cursor, which stays inside the track.
    ShowRecord(p.screen, Item("G", "4", "q"));
    WriteItem(c);
    s.ItemTicks = 480;
    ASSERT_TRUE(StoreItemTimes(c));
    EXPECT_FALSE(s.CurrentItem(2) - 1 > s.ItemCount(2)); // not taken for an append
    ASSERT_TRUE(Recalculate(c));
    EXPECT_EQ(s.ItemCount(2), 5);
    EXPECT_EQ(s.NoteCode(2, 3), 67);
    EXPECT_EQ(s.NoteCode(2, 5), 65);
}

TEST_F(RecalculateTest, EndOfFileWithoutEndRecordEndsTheTrack) {
    WriteTrack(2, {Item("C", "4", "q"), Item("D", "4", "q"), Item("E", "4", "q")}, false);
    Select({2});
    ASSERT_TRUE(Recalculate(c));
    EXPECT_EQ(s.ItemCount(2), 3);
    EXPECT_EQ(s.CurrentItem(2), 4);
    // A cut last record is no item.
    WriteFile(TrackPath(2), EncodeRecord(Item("C", "4", "q")) + "END");
    ASSERT_TRUE(Recalculate(c));
    EXPECT_EQ(s.ItemCount(2), 1);
}

TEST_F(RecalculateTest, FullTrackStopsTheRun) {
    SetUpPiece(4, 5);
    const std::vector<TrackItemRecord> four(4, Item("C", "4", "q"));
    WriteTrack(2, four);
    Select({2});
    ASSERT_TRUE(Recalculate(c));
    EXPECT_EQ(s.ItemCount(2), 4);

    for (bool withEnd : {true, false}) {
        SCOPED_TRACE(withEnd);
        WriteTrack(2, std::vector<TrackItemRecord>(withEnd ? 5 : 7, Item("D", "4", "q")), withEnd);
        WriteTrack(3, four);
        s.ItemCount(3) = 2;
        Select({2, 3});
        p.msg.AnswerOk();
        EXPECT_FALSE(Recalculate(c));
        EXPECT_EQ(p.msg.Last().Title, "Space Limitation");
        EXPECT_EQ(s.ItemCount(2), 4);
        EXPECT_EQ(s.CurrentItem(2), 5);
        EXPECT_EQ(s.NoteCode(2, 5), 62); // stored, not counted
        EXPECT_EQ(s.CapacityReached, 0);
        EXPECT_EQ(s.ItemCount(3), 2); // the run ended before track 3
    }
}

TEST_F(RecalculateTest, SlotsBeyondTheStoredOnesAreClearedHoweverTheTrackEnds) {
    const TrackItemRecord C = Item("C", "4", "q"), X = Item("X", "4", "q");
    struct Case {
        const char* name;
        std::vector<TrackItemRecord> items;
        bool withEnd;
        int maxItems;
        bool ok;
        int stored; // slots holding this run's items
    } cases[] = {
        {"three items", {C, C, C}, true, 10, true, 3},
        {"no END record", {C, C}, false, 10, true, 2},
        {"data error at item 2", {C, X, C}, true, 10, false, 1},
        {"empty file", {}, false, 10, true, 0},
        {"full track", std::vector<TrackItemRecord>(7, C), true, 5, false, 5},
    };
    auto fillStale = [this](int last) {
        for (int i = 0; i <= last; ++i) {
            s.NoteCode(2, i) = s.ItemDyn(2, i) = s.BarNo(2, i) = 77;
            s.ItemChan(2, i) = s.ItemBend(2, i) = 77;
            s.ItemTime(2, i) = 77;
        }
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        SetUpPiece(4, k.maxItems);
        WriteTrack(2, k.items, k.withEnd);
        fillStale(s.MaxItems);
        Select({2});
        if (!k.ok) p.msg.AnswerOk();
        EXPECT_EQ(Recalculate(c), k.ok);
        EXPECT_EQ(s.NoteCode(2, 0), 77); // slot 0 is no item's
        for (int i = 1; i <= s.MaxItems; ++i) {
            SCOPED_TRACE(i);
            const bool stored = i <= k.stored;
            EXPECT_EQ(s.NoteCode(2, i), stored ? 60 : 0);
            EXPECT_EQ(s.ItemTime(2, i), stored ? 480 : 0);
            EXPECT_EQ(s.ItemDyn(2, i), stored ? 64 : 0);
            EXPECT_EQ(s.BarNo(2, i), stored ? 1 : 0);
            EXPECT_EQ(s.ItemChan(2, i), stored ? 1 : 0);
            EXPECT_EQ(s.ItemBend(2, i), 0);
        }
    }
    // A row shorter than the capacity: error 9 before any item, the rows
    // before it cleared, it and the rows after it untouched.
    SetUpPiece(4, 10);
    WriteTrack(2, {C});
    fillStale(10);
    s.ItemDyn.ReDimPreserve(5);
    Select({2});
    p.msg.AnswerOk();
    EXPECT_FALSE(Recalculate(c));
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(s.NoteCode(2, i), 0) << i;
        EXPECT_EQ(s.ItemTime(2, i), 0) << i;
        EXPECT_EQ(s.ItemDyn(2, i), 77) << i;
        EXPECT_EQ(s.BarNo(2, i), 77) << i;
    }
}

TEST_F(RecalculateTest, TracksWithoutItemsGetNoFile) {
    SetUpPiece(32, 10);
    WriteTrack(1, {Item("TEMPO", "", "q", "0", "90")});
    WriteTrack(5, {Item("C", "4", "q"), Item("D", "4", "q")});
    s.SelectedTracks.assign(32, '1');
    ASSERT_TRUE(Recalculate(c));
    EXPECT_EQ(s.ItemCount(5), 2);
    EXPECT_EQ(s.ItemCount(6), 0);
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(PieceDir())) ++files;
    EXPECT_EQ(files, 2);
}

TEST_F(RecalculateTest, UnreadablePieceReportsAndFails) {
    s.PieceTitle = "GONE";
    Select({1});
    p.msg.AnswerOk();
    EXPECT_FALSE(Recalculate(c));
    // The message names the track and its file.
    EXPECT_EQ(p.msg.Last().Text,
              "Error 76 Path not found (Track 1, " + (PieceDir() / "GONE01").string() + ")");
    EXPECT_EQ(s.File2Open, 0);
}

} // namespace
} // namespace tnq::test
