// Deleting items at the cursor: the F10 prompt, and the deleter the bulk
// edits share with its MenuMode rules, the Delete by Bar dialog faked.
#include "core/delete_items.h"

#include "core/recalculate.h"
#include "core/piece_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tnq::test {
namespace {

// The three controls of Delete by Bar as the user left them.
struct FakeDeleteByBar : DeleteByBarControls {
    bool adjust = false;
    std::string from, to;
    bool AdjustTicked() const override { return adjust; }
    std::string FromBar() const override { return from; }
    std::string ToBar() const override { return to; }
};

class DeleteItemsTest : public PieceTest {
protected:
    void SetUp() override { SetUpPiece(4, 100); }

    // Track t of the given items (note texts; item i carries dynamics i and
    // bar bars[i-1], or 1), in the file and the score; the cursor at
    // cursor, file 2 open on it.
    void Track(int t, std::vector<std::string> notes, int cursor, std::vector<int> bars = {}) {
        std::vector<TrackItemRecord> items;
        for (std::size_t i = 0; i < notes.size(); ++i) {
            const int bar = i < bars.size() ? bars[i] : 1;
            const bool keyword = notes[i].size() == 5;
            const char* duration = !keyword || notes[i] == "TEMPO" ? "q" : "";
            items.push_back(Item(notes[i], keyword ? "0" : "4", duration,
                                 notes[i] == "METER" ? "4" : "0",
                                 notes[i] == "METER" ? "4" : std::to_string(i + 1),
                                 std::to_string(bar)));
        }
        WriteTrack(t, items);
        Select({t});
        ASSERT_TRUE(Recalculate(c));
        s.CurrentTrack = static_cast<Integer>(t);
        s.CurrentItem(t) = static_cast<Integer>(cursor);
    }
    void Notes(int t, int n, int cursor, std::vector<int> bars = {}) {
        Track(t, std::vector<std::string>(static_cast<std::size_t>(n), "C"), cursor, bars);
    }
    // Record i of track t's file, trimmed.
    TrackItemRecord Record(int t, int i) const {
        return Trimmed(DecodeRecord(
            ReadFile(TrackPath(t)).substr(static_cast<std::size_t>(i - 1) * kRecordLength,
                                          kRecordLength)));
    }
    std::string Box(tnq::Box b) const { return p.screen.Text(b); }
};

TEST_F(DeleteItemsTest, ClosesTheGapInFileAndScore) {
    Notes(2, 10, 4);
    ASSERT_TRUE(DeleteItems(c, 3));
    for (int i = 1; i <= 7; ++i) {
        const int was = i < 4 ? i : i + 3;
        EXPECT_EQ(Record(2, i).Dynamics, std::to_string(was)) << i;
        EXPECT_EQ(s.ItemDyn(2, i), was) << i;
    }
    EXPECT_EQ(Record(2, 8), kEndRecord);
    EXPECT_EQ(Record(2, 9).Dynamics, "9"); // behind END: left as it was
    for (int i = 8; i <= 10; ++i) EXPECT_EQ(s.ItemDyn(2, i), 0) << i; // the score reads 0 there
    EXPECT_EQ(s.ItemCount(2), 7);
    EXPECT_EQ(s.CurrentItem(2), 4);
    EXPECT_EQ(p.screen.figures[1], "7");
    EXPECT_EQ(Box(tnq::Box::Dyn), "7"); // the old item 7 is now at the cursor
    EXPECT_EQ(s.PieceChanged, 1);

    // Every item from the cursor to the last.
    ASSERT_TRUE(DeleteItems(c, 4));
    EXPECT_EQ(s.ItemCount(2), 3);
    EXPECT_EQ(Record(2, 4), kEndRecord);
    EXPECT_EQ(Box(tnq::Box::Note), "END");
    // Nothing: the END record is written again.
    ASSERT_TRUE(DeleteItems(c, 0));
    EXPECT_EQ(s.ItemCount(2), 3);
}

TEST_F(DeleteItemsTest, CountsOutsideTheTrackChangeNothing) {
    Notes(2, 6, 3);
    const std::string before = ReadFile(TrackPath(2));
    for (int n : {-1, 5, 40}) {
        EXPECT_FALSE(DeleteItems(c, n)) << n;
        EXPECT_EQ(ReadFile(TrackPath(2)), before);
        EXPECT_EQ(s.ItemCount(2), 6);
    }
    EXPECT_TRUE(DeleteItems(c, 4)); // items 3..6
}

TEST_F(DeleteItemsTest, MenuModeRules) {
    FakeDeleteByBar dialog;
    struct Case {
        const char* mode;
        bool adjust;
        const char *from, *to;
        int track;
        std::vector<std::string> notes;
        std::vector<int> bars;
        int cursor, n;
        int cursorAfter, countAfter;
        std::vector<std::string> barsAfter; // the Bar fields of the file
    } cases[] = {
        // Delete by Bar over bars 5 and 6, adjusted: bar 9 becomes bar 7.
        {"mnuEdtDelete", true, "5", "6", 2, {"C", "C", "C", "C"}, {4, 5, 6, 9}, 2, 2, 2, 2,
         {"4", "7"}},
        {"mnuEdtDelete", false, "5", "6", 2, {"C", "C", "C", "C"}, {4, 5, 6, 9}, 2, 2, 2, 2,
         {"4", "9"}},
        // Four-digit bars keep their four digits.
        {"mnuEdtDelete", true, "1001", "1002", 2, {"C", "C", "C", "C"}, {1000, 1001, 1002, 1005},
         2, 2, 2, 2, {"1000", "1003"}},
        // Another mode ignores the dialog.
        {"mnuEdtStaccato", true, "5", "6", 2, {"C", "C", "C", "C"}, {4, 5, 6, 9}, 2, 2, 2, 2,
         {"4", "9"}},
        // Rests set-up on track 1: a METER at the cursor stays.
        {"mnuEdtCC", false, "", "", 1, {"TEMPO", "METER", "R", "R", "R"}, {}, 2, 3, 3, 3,
         {"1", "1", "1"}},
        {"mnuEdtCC", false, "", "", 2, {"C", "METER", "R", "R", "R"}, {}, 2, 3, 2, 2,
         {"1", "1"}},
        {"mnuEdtCC", false, "", "", 1, {"TEMPO", "R", "R", "R", "R"}, {}, 2, 3, 2, 2,
         {"1", "1"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.mode) + (k.adjust ? " adjusted" : "") + " track " +
                     std::to_string(k.track));
        Track(k.track, k.notes, k.cursor, k.bars);
        s.MenuMode = k.mode;
        dialog.adjust = k.adjust;
        dialog.from = k.from;
        dialog.to = k.to;
        ASSERT_TRUE(DeleteItems(c, k.n, &dialog));
        EXPECT_EQ(s.CurrentItem(k.track), k.cursorAfter);
        ASSERT_EQ(s.ItemCount(k.track), k.countAfter);
        for (int i = 1; i <= k.countAfter; ++i) {
            EXPECT_EQ(Record(k.track, i).Bar, k.barsAfter[static_cast<std::size_t>(i) - 1]) << i;
            EXPECT_EQ(s.BarNo(k.track, i), std::stoi(k.barsAfter[static_cast<std::size_t>(i) - 1]))
                << i;
        }
        EXPECT_EQ(Record(k.track, k.countAfter + 1), kEndRecord);
    }
    // The METER case: TEMPO, METER, then the last rest.
    Track(1, {"TEMPO", "METER", "R", "R", "R"}, 2);
    s.MenuMode = "mnuEdtCC";
    ASSERT_TRUE(DeleteItems(c, 3));
    EXPECT_EQ(Record(1, 2).Note, "METER");
    EXPECT_EQ(Record(1, 3).Dynamics, "5");
    EXPECT_EQ(Box(tnq::Box::Dyn), "5");
}

TEST_F(DeleteItemsTest, AnAdjustedBarFieldIsCountedAsItsTextReads) {
    FakeDeleteByBar dialog;
    dialog.adjust = true;
    dialog.from = "5";
    dialog.to = "6";
    const struct {
        const char *field, *after;
    } cases[] = {{"9", "7"},     {" 12", "10"}, {"0", "-2"},  {"", "-2"},
                 {"9.5", "7.5"}, {"1e1", "8"},  {"12 3", "121"}};
    Notes(2, 9, 2);
    std::string bytes = ReadFile(TrackPath(2));
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        std::string field = cases[k].field;
        field.resize(4, ' ');
        bytes.replace((k + 2) * kRecordLength + 23, 4, field);
    }
    WriteFile(TrackPath(2), bytes);
    TrackFileOpen(c);
    s.MenuMode = "mnuEdtDelete";
    ASSERT_TRUE(DeleteItems(c, 1, &dialog));
    for (std::size_t k = 0; k < std::size(cases); ++k)
        EXPECT_EQ(Record(2, static_cast<int>(k) + 2).Bar, cases[k].after) << cases[k].field;
}

// ---- The F10 prompt ----------------------------------------------------------------

TEST_F(DeleteItemsTest, PromptAsksAgainUntilAWholeCountUpToTheLastItem) {
    struct Case {
        std::vector<std::string> answers;
        int deleted;
    } cases[] = {
        {{""}, 0},
        {{"0", "-1", "x", "2.5", "8", "2"}, 2}, // 7 items from the cursor to the last
        {{"7"}, 7},
        {{"8", ""}, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.answers.front());
        Notes(2, 10, 4);
        s.InsertRemaining = 3;
        p.msg.shown.clear();
        for (const auto& a : k.answers) p.msg.AnswerInput(a);
        DeleteItemPrompt(c);
        EXPECT_TRUE(p.msg.AllAnswersUsed());
        EXPECT_EQ(p.msg.shown.size(), k.answers.size());
        EXPECT_EQ(p.msg.Last().Text, "How many items ?");
        EXPECT_EQ(p.msg.Last().Title, "Delete Items");
        EXPECT_EQ(s.ItemCount(2), 10 - k.deleted);
        EXPECT_EQ(s.InsertRemaining, 0); // an insert run ends
    }
}

TEST_F(DeleteItemsTest, PromptDoesNothingOnOrBehindTheLastItem) {
    for (int cursor : {10, 11}) {
        Notes(2, 10, cursor);
        s.InsertRemaining = 3;
        DeleteItemPrompt(c);
        EXPECT_EQ(s.ItemCount(2), 10);
        EXPECT_EQ(s.InsertRemaining, 3);
    }
    EXPECT_TRUE(p.msg.shown.empty());
}

} // namespace
} // namespace tnq::test
