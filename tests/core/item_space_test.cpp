// Blank items opened at the cursor, and the bar and keyword searches, on
// real track files.
#include "core/item_space.h"

#include "core/recalculate.h"
#include "piece_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace tnq::test {
namespace {

namespace fs = std::filesystem;

class ItemSpace : public PieceTest {
protected:
    void SetUp() override { SetUpPiece(4, 2000); }

    // Track t with n notes, item i carrying dynamics i and bar bars[i-1]
    // (1 when not given), stored in the file and in the score; the cursor
    // at cursor, file 2 open on the track.
    void Track(int t, int n, int cursor, std::vector<int> bars = {}) {
        std::vector<TrackItemRecord> items;
        for (int i = 1; i <= n; ++i) {
            const int bar = i <= static_cast<int>(bars.size()) ? bars[i - 1] : 1;
            items.push_back(Item("C", "4", "q", "0", std::to_string(i), std::to_string(bar)));
        }
        WriteTrack(t, items);
        Load(t, cursor);
    }
    void Load(int t, int cursor) {
        Select({t});
        ASSERT_TRUE(Recalculate(c));
        s.CurrentTrack = static_cast<Integer>(t);
        s.CurrentItem(t) = static_cast<Integer>(cursor);
        s.PieceChanged = 0;
    }
    // The records of track t's file: the item's dynamics, "-" for a blank
    // item, "END" for the END record.
    std::vector<std::string> Tags(int t) const {
        const std::string bytes = ReadFile(TrackPath(t));
        std::vector<std::string> tags;
        for (std::size_t at = 0; at + kRecordLength <= bytes.size(); at += kRecordLength) {
            const std::string r = bytes.substr(at, kRecordLength);
            if (IsEndRecord(r))
                tags.push_back("END");
            else if (r == EncodeRecord(kBlankItem))
                tags.push_back("-");
            else
                tags.push_back(Trim(DecodeRecord(r).Dynamics));
        }
        return tags;
    }
    static std::vector<std::string> Tags(std::initializer_list<const char*> tags) {
        return {tags.begin(), tags.end()};
    }
    std::string Box(tnq::Box b) const { return p.screen.Text(b); }
};

// ---- InsertSpace ---------------------------------------------------------------------

TEST_F(ItemSpace, InsertSpaceMovesTheTailAndBlanksTheRoom) {
    struct Case {
        int count, cursor, n;
        std::vector<std::string> file;
    } cases[] = {
        {10, 4, 3, Tags({"1", "2", "3", "-", "-", "-", "4", "5", "6", "7", "8", "9", "10", "END"})},
        {10, 11, 2, Tags({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "-", "-", "END"})},
        {3, 1, 5, Tags({"-", "-", "-", "-", "-", "1", "2", "3", "END"})},
        {0, 1, 1, Tags({"-", "END"})},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.count) + " items, cursor " + std::to_string(k.cursor));
        Track(2, k.count, k.cursor);
        ASSERT_TRUE(InsertSpace(c, k.n));
        EXPECT_EQ(Tags(2), k.file);
        EXPECT_EQ(s.ItemCount(2), k.count + k.n);
        EXPECT_EQ(s.CurrentItem(2), k.cursor);
        EXPECT_EQ(p.screen.figures[1], std::to_string(k.count + k.n));
        EXPECT_EQ(s.PieceChanged, 1);
        // The score moved with the file.
        for (int i = k.cursor; i <= k.count; ++i) EXPECT_EQ(s.ItemDyn(2, i + k.n), i) << i;
    }
    EXPECT_TRUE(p.msg.shown.empty());
}

TEST_F(ItemSpace, InsertSpaceRefusesCountsThatDoNotFitAndChangesNothing) {
    Track(2, 6, 3);
    const std::string before = ReadFile(TrackPath(2));
    for (int n : {0, -1, -7}) {
        EXPECT_FALSE(InsertSpace(c, n)) << n;
        EXPECT_EQ(ReadFile(TrackPath(2)), before);
        EXPECT_EQ(s.ItemCount(2), 6);
    }
    EXPECT_TRUE(p.msg.shown.empty());
    // A cursor off the track.
    s.CurrentItem(2) = 8;
    EXPECT_FALSE(InsertSpace(c, 1));
    EXPECT_EQ(ReadFile(TrackPath(2)), before);

    // The capacity: a track keeps slot MaxItems free.
    s.MaxItems = 2000;
    s.ItemCount(2) = 1995;
    s.CurrentItem(2) = 1996;
    p.msg.AnswerOk();
    EXPECT_FALSE(InsertSpace(c, 5));
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Text, "MAXIMUM CAPACITY FOR TRACK 2 HAS BEEN REACHED. Use "
                                 "Miscellaneous,Set Parameters to try to increase capacity.");
    EXPECT_EQ(p.msg.Last().Code, mb::Critical);
    EXPECT_EQ(p.msg.Last().Title, "Space Limitation");
    EXPECT_EQ(s.ItemCount(2), 1995);
    EXPECT_EQ(s.PieceChanged, 0);
    EXPECT_EQ(InsertCapacity(s, 2), 4);
    EXPECT_TRUE(InsertSpace(c, 4));
    EXPECT_EQ(s.ItemCount(2), 1999);
    EXPECT_EQ(InsertCapacity(s, 2), 0);
}

TEST_F(ItemSpace, InsertSpaceOnAFileShorterThanItsCountWritesNothing) {
    Track(2, 5, 2);
    WriteTrack(2, {Item("C", "4", "q"), Item("D", "4", "q"), Item("E", "4", "q")}, false);
    const std::string before = ReadFile(TrackPath(2));
    try {
        InsertSpace(c, 2);
        ADD_FAILURE() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), err::InputPastEnd);
    }
    EXPECT_EQ(ReadFile(TrackPath(2)), before);
    EXPECT_EQ(s.ItemCount(2), 5);
}

TEST_F(ItemSpace, InsertSpaceTargetWritesTheSecondFile) {
    // Track 3 of this piece open as file 3, its count and score in track 2.
    Track(3, 4, 2);
    Track(2, 4, 2);
    s.SourceTitle = s.PieceTitle;
    s.SourceTrack = 3;
    TrackFileOpen2(c);
    s.PieceChanged = 0;
    ASSERT_TRUE(InsertSpaceTarget(c, 2));
    EXPECT_EQ(Tags(3), Tags({"1", "-", "-", "2", "3", "4", "END"}));
    const std::string end = ReadFile(TrackPath(3)).substr(6 * kRecordLength);
    EXPECT_EQ(end, "END" + std::string(26, ' ') + "0    ");
    EXPECT_EQ(Tags(2), Tags({"1", "2", "3", "4", "END"}));
    EXPECT_EQ(s.ItemCount(2), 6);
    EXPECT_EQ(s.ItemDyn(2, 6), 4);
    EXPECT_EQ(s.PieceChanged, 0);
}

TEST_F(ItemSpace, BlanksNeverFilledAreADataErrorWithTrackAndItem) {
    Track(2, 5, 4);
    ASSERT_TRUE(InsertSpace(c, 2));
    p.msg.AnswerOk();
    Select({2});
    EXPECT_FALSE(Recalculate(c));
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Text, "Error in data on Track 2, Item 4");
    EXPECT_EQ(p.msg.Last().Title, "Data Error");
}

// ---- InsertItems -------------------------------------------------------------------

TEST_F(ItemSpace, InsertItemsAsksAgainUntilAWholeCountThatFits) {
    struct Case {
        std::vector<std::string> answers;
        int inserted; // 0: nothing done
        bool capacityMessage;
    } cases[] = {
        {{""}, 0, false},
        {{"x", "0", "-2", "2.5", " 2 "}, 2, false},
        {{"1e1"}, 0, true}, // a whole number, but beyond the capacity of 6
        {{"7"}, 0, true},
        {{"6"}, 6, false}, // exactly what fits
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.answers.front());
        s.MaxItems = 10;
        Track(2, 3, 2);
        p.msg.shown.clear();
        s.InsertRemaining = 0;
        p.screen.SetText(tnq::Box::Bar, "1");
        p.screen.SetText(tnq::Box::Note, "C");
        for (const auto& a : k.answers) p.msg.AnswerInput(a);
        if (k.capacityMessage) p.msg.AnswerOk();
        InsertItems(c);
        EXPECT_TRUE(p.msg.AllAnswersUsed());
        EXPECT_EQ(p.msg.shown.front().Text, "How may items ?");
        EXPECT_EQ(p.msg.shown.front().Title, "Insert Items");
        EXPECT_EQ(s.ItemCount(2), 3 + k.inserted);
        EXPECT_EQ(s.InsertRemaining, k.inserted);
        EXPECT_EQ(Box(tnq::Box::Bar), k.inserted ? "" : "1");
        EXPECT_EQ(Box(tnq::Box::Note), k.inserted ? "" : "C");
        EXPECT_EQ(s.CurrentItem(2), 2);
        if (k.capacityMessage) {
            EXPECT_EQ(p.msg.Last().Title, "Space Limitation");
        }
    }
}

TEST_F(ItemSpace, InsertItemsAsksNothingBehindTheLastItemOrOnAnEmptyFile) {
    Track(2, 3, 4);
    InsertItems(c);
    Track(2, 0, 1);
    fs::resize_file(TrackPath(2), 0);
    InsertItems(c);
    EXPECT_TRUE(p.msg.shown.empty());
}

// ---- LocateBar ---------------------------------------------------------------------

TEST_F(ItemSpace, LocateBarFindsTheFirstItemOfTheBar) {
    const std::vector<int> bars = {1, 1, 2, 2, 2, 3};
    struct Case {
        int cursor, bar, result, cursorAfter;
    } cases[] = {
        {4, 2, 0, 3}, // passes the rest of bar 2, wraps, finds item 3
        {1, 1, 0, 1}, // bar 1 counts at once
        {5, 3, 0, 6},
        {7, 2, 0, 3}, // behind the last item: from item 1
        {6, 1, 0, 1},
        {3, 2, 0, 3}, // started inside the bar, its first item found again
        {2, 4, 1, 2},
        {7, 9, 1, 7},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE("cursor " + std::to_string(k.cursor) + " bar " + std::to_string(k.bar));
        Track(2, 6, k.cursor, bars);
        p.msg.shown.clear();
        p.screen.SetText(tnq::Box::Item, "old");
        s.ItemBar = static_cast<Integer>(k.bar);
        if (k.result) p.msg.AnswerOk();
        EXPECT_EQ(LocateBar(c), k.result);
        EXPECT_EQ(s.CurrentItem(2), k.cursorAfter);
        if (k.result == 0) {
            EXPECT_TRUE(p.msg.shown.empty());
            EXPECT_EQ(Box(tnq::Box::Item), std::to_string(k.cursorAfter));
            EXPECT_EQ(Box(tnq::Box::Dyn), std::to_string(k.cursorAfter));
        } else {
            ASSERT_EQ(p.msg.shown.size(), 1u);
            EXPECT_EQ(p.msg.Last().Text, "Bar number  " + std::to_string(k.bar) +
                                             " on Track  2 not found");
            EXPECT_EQ(p.msg.Last().Code, mb::Exclamation);
            EXPECT_EQ(p.msg.Last().Title, "Find Bar");
            EXPECT_EQ(Box(tnq::Box::Item), "old");
        }
    }
}

TEST_F(ItemSpace, LocateBarInsideTheOnlyBarKeepsTheCursorAndShowsItsItem) {
    // Every item in bar 2, no item of another bar before it: the scan passes
    // through the bar only, and ends found with the cursor where it was.
    Track(2, 4, 3, {2, 2, 2, 2});
    p.screen.SetText(tnq::Box::Dyn, "99");
    p.screen.SetText(tnq::Box::Track, "5"); // typed, never checked
    s.ItemBar = 2;
    EXPECT_EQ(LocateBar(c), 0);
    EXPECT_EQ(s.CurrentItem(2), 3);
    EXPECT_EQ(s.Scratch, "1");
    EXPECT_EQ(Box(tnq::Box::Dyn), "3");
    EXPECT_EQ(Box(tnq::Box::Track), "2");
}

// ---- LocateNote --------------------------------------------------------------------

class LocateNoteTest : public ItemSpace {
protected:
    // Ten items, PROGR at the given items, notes elsewhere.
    void Keywords(std::vector<int> progr, int cursor) {
        std::vector<TrackItemRecord> items;
        for (int i = 1; i <= 10; ++i) {
            const bool k = std::find(progr.begin(), progr.end(), i) != progr.end();
            items.push_back(k ? Item("PROGR", "0", "", "0", std::to_string(i))
                              : Item("C", "4", "q", "0", std::to_string(i)));
        }
        WriteTrack(2, items);
        Load(2, cursor);
    }
    void Find(const char* key) {
        s.Scratch = key;
        LocateNote(c);
    }
};

TEST_F(LocateNoteTest, FindsTheNextItemAndWrapsOnceAtTheEnd) {
    Keywords({2, 8}, 5);
    Find("PROGR");
    EXPECT_EQ(s.CurrentItem(2), 8);
    EXPECT_EQ(Box(tnq::Box::Item), " 8");
    EXPECT_EQ(Box(tnq::Box::Note), "PROGR");
    EXPECT_EQ(Box(tnq::Box::Dyn), "8");
    Find("PROGR");
    EXPECT_EQ(s.CurrentItem(2), 2);
    EXPECT_EQ(Box(tnq::Box::Item), " 2");
    // From behind the last item: the first one.
    s.CurrentItem(2) = 11;
    Find("PROGR");
    EXPECT_EQ(s.CurrentItem(2), 2);
    EXPECT_TRUE(p.msg.shown.empty());
}

TEST_F(LocateNoteTest, NotFoundLeavesTheBoxesOnTheCursor) {
    struct Case {
        std::vector<int> progr;
        int cursor, cursorAfter;
        const char* note; // what the boxes show afterwards
    } cases[] = {
        {{8}, 8, 8, "PROGR"}, // the start item is never matched
        {{}, 5, 5, "C"},
        {{}, 1, 11, "END"},  // from item 1: on the END record
        {{}, 11, 11, "END"}, // from behind the last item: one round, then stop
    };
    for (const Case& k : cases) {
        SCOPED_TRACE("cursor " + std::to_string(k.cursor));
        Keywords(k.progr, k.cursor);
        p.msg.shown.clear();
        p.msg.AnswerOk();
        Find("PROGR");
        ASSERT_EQ(p.msg.shown.size(), 1u);
        EXPECT_EQ(p.msg.Last().Text, "No 'PROGR' was found on this track");
        EXPECT_EQ(p.msg.Last().Code, mb::OKOnly);
        EXPECT_EQ(p.msg.Last().Title, "Find next 'PROGR'");
        EXPECT_EQ(s.CurrentItem(2), k.cursorAfter);
        EXPECT_EQ(Box(tnq::Box::Item), std::to_string(k.cursorAfter));
        EXPECT_EQ(Box(tnq::Box::Note), k.note);
        if (k.cursorAfter <= 10) {
            EXPECT_EQ(Box(tnq::Box::Dyn), std::to_string(k.cursorAfter));
        }
    }
}

TEST_F(LocateNoteTest, StopsAtTheCountWithoutAnEndRecordAndReopensTheTracksFile) {
    Keywords({3}, 5);
    // No END record: items 11 and 12 of the file lie behind the count.
    std::string bytes = ReadFile(TrackPath(2)).substr(0, 10 * kRecordLength);
    bytes += EncodeRecord(Item("PROGR", "0", "", "0", "11"));
    WriteFile(TrackPath(2), bytes);
    // File 2 holds another track.
    Track(3, 2, 1);
    s.CurrentTrack = 2;
    Find("PROGR");
    EXPECT_EQ(s.CurrentItem(2), 3);
    EXPECT_EQ(Box(tnq::Box::Dyn), "3");
    EXPECT_EQ(s.File2.Path(), TrackPath(2).string());
    EXPECT_TRUE(p.msg.shown.empty());
}

} // namespace
} // namespace tnq::test
