// The channel and legato scans of the item box over the fake screen, on
// real track files: where each stops, its messages, and the screen left in
// agreement with the cursor, the current track and its open file.
#include "entry/scans.h"

#include "core/piece_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tnq::test {
namespace {

// A note of bar 1 on channel ch.
TrackItemRecord On(const std::string& note, const std::string& ch) {
    return Item(note, note == "R" || note.size() == 5 ? "0" : "4", "q", "0", "64", "1", ch);
}

class Scans : public PieceTest {
protected:
    void SetUp() override {
        SetUpPiece(4, 20);
        s.PieceOpen = 1;
        s.MenuActive = 0;
    }
    // Track t holds items (and its END record) and counts them.
    void Track(int t, const std::vector<TrackItemRecord>& items, bool withEnd = true) {
        WriteTrack(t, items, withEnd);
        s.ItemCount(t) = static_cast<Integer>(items.size());
    }
    void OnTrack(int t, int item) {
        s.CurrentTrack = static_cast<Integer>(t);
        TrackFileOpen(c);
        s.CurrentItem(t) = static_cast<Integer>(item);
        p.screen.SetText(Box::Track, std::to_string(t));
        p.screen.SetText(Box::Item, std::to_string(item));
    }
    std::string Text(Box b) const { return p.screen.Text(b); }
    // The boxes show the record at the cursor of the track they name, read
    // from the file open as file 2, which is that track's file.
    void ExpectAgreement() {
        const int t = s.CurrentTrack;
        EXPECT_EQ(Val(Text(Box::Track)), t);
        EXPECT_EQ(Val(Text(Box::Item)), s.CurrentItem(t));
        EXPECT_EQ(s.LastItem, Text(Box::Item));
        EXPECT_EQ(s.File2.Path(), TrackPath(t).string());
        const TrackItemRecord shown = Trimmed(BoxesRecord(p.screen));
        if (s.CurrentItem(t) > s.ItemCount(t)) {
            EXPECT_EQ(shown.Note, "END");
            return;
        }
        std::string bytes;
        ASSERT_TRUE(s.File2.Read(s.CurrentItem(t), bytes));
        EXPECT_EQ(shown, Trimmed(DecodeRecord(bytes)));
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> m;
        for (const auto& b : p.msg.shown) m.push_back(b.Text);
        return m;
    }
};

// ---- CheckChannel ------------------------------------------------------------------

TEST_F(Scans, ChannelSearchStopsAtTheNextChangeGoingRound) {
    const std::vector<TrackItemRecord> mixed = {On("C", "1"), On("D", "1"), On("E", "2"),
                                                On("F", "2"), On("G", "1"), On("A", "1")};
    const std::vector<TrackItemRecord> same(6, On("C", "3"));
    struct Case {
        const char* what;
        std::vector<TrackItemRecord> items;
        int from;
        int stop;          // the cursor afterwards
        const char* shown; // the item box
        bool message;
    } cases[] = {
        {"forward", mixed, 1, 3, " 3", false},
        {"back to channel 1", mixed, 3, 5, " 5", false},
        {"round past the end", mixed, 5, 3, " 3", false},
        {"no change, from item 5", same, 5, 5, " 5", true},
        {"no change, from the END position", same, 7, 7, " 7", true},
        {"no change, from item 1", same, 1, 7, " 7", true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Track(2, k.items);
        OnTrack(2, k.from);
        p.msg.shown.clear();
        if (k.message) p.msg.AnswerOk();
        CheckChannel(c);
        EXPECT_EQ(s.CurrentItem(2), k.stop);
        EXPECT_EQ(Text(Box::Item), k.shown);
        ASSERT_EQ(p.msg.shown.size(), k.message ? 1u : 0u);
        if (k.message) {
            EXPECT_EQ(p.msg.Last().Text, "No channel changes on this track");
            EXPECT_EQ(p.msg.Last().Code, 0);
            EXPECT_EQ(p.msg.Last().Title, "Check for channel change");
        }
        ExpectAgreement();
    }
}

TEST_F(Scans, ChannelSearchStopsAtTheItemCountAndOnTheCurrentTracksFile) {
    // Records behind the count (an END record missing) are no items.
    WriteTrack(3, {On("C", "1"), On("D", "1"), On("E", "5"), On("F", "5")}, false);
    s.ItemCount(3) = 2;
    // File 2 left on another track by an earlier command.
    Track(2, {On("C", "9")});
    OnTrack(2, 1);
    s.CurrentTrack = 3;
    s.CurrentItem(3) = 1;
    p.screen.SetText(Box::Track, "3");
    p.msg.AnswerOk();
    CheckChannel(c);
    EXPECT_EQ(p.msg.Last().Text, "No channel changes on this track");
    EXPECT_EQ(s.CurrentItem(3), 3);
    ExpectAgreement();

    // An END record inside the count ends the track there; a search that
    // starts behind it still ends.
    WriteTrack(3, {On("C", "1"), kEndRecord, On("G", "1")}, false);
    s.ItemCount(3) = 3;
    s.CurrentItem(3) = 3;
    p.msg.AnswerOk();
    CheckChannel(c);
    EXPECT_EQ(p.msg.Last().Text, "No channel changes on this track");
    EXPECT_EQ(s.CurrentItem(3), 2);
    EXPECT_EQ(Trimmed(BoxesRecord(p.screen)).Note, "END");
    EXPECT_TRUE(p.msg.AllAnswersUsed());
}

// ---- CheckLegato -------------------------------------------------------------------

TEST_F(Scans, LegatoPairsOfEveryTrack) {
    struct Case {
        const char* what;
        std::vector<std::string> notes; // track 3; tracks 1 and 4 are empty
        std::vector<int> answers;       // to the Continue question
        std::string message;            // the last message
        int code;
        int track, item; // where the screen is left
    } cases[] = {
        {"a clean pair", {"LEGON", "C", "D", "LEGOF"}, {}, "No missing or duplicate items found",
         64, 1, 1},
        {"a rest inside, continued", {"LEGON", "R", "LEGOF"}, {mb::Yes},
         "No missing or duplicate items found", 64, 1, 1},
        {"a rest inside, stopped", {"LEGON", "R", "LEGOF"}, {mb::No},
         "Invalid item may have been inserted in legato passage.  Track 3 Item  2. Continue ?", 4,
         3, 2},
        {"LEGO1 inside", {"LEGON", "LEGO1", "LEGOF"}, {mb::No},
         "Invalid item may have been inserted in legato passage.  Track 3 Item  2. Continue ?", 4,
         3, 2},
        {"LEGOF alone", {"C", "LEGOF"}, {}, "No LEGON preceding; Track 3 Item  2", 16, 3, 2},
        {"LEGON twice", {"LEGON", "C", "LEGON", "LEGOF"}, {}, "No LEGOF preceding; Track 3 Item  3",
         16, 3, 3},
        {"open at the end", {"C", "LEGON", "D"}, {}, "LEGOF missing at end of Track; Track 3 Item  4",
         16, 3, 4},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Track(2, {On("LEGON", "1"), On("C", "1"), On("LEGOF", "1")});
        std::vector<TrackItemRecord> items;
        for (const auto& n : k.notes) items.push_back(On(n, "2"));
        Track(3, items);
        OnTrack(2, 1);
        p.msg.shown.clear();
        for (int a : k.answers) p.msg.Answer(a);
        if (k.code != 4) p.msg.AnswerOk();
        p.screen.doEvents = 0;
        CheckLegato(c);
        ASSERT_FALSE(p.msg.shown.empty());
        EXPECT_EQ(p.msg.Last().Text, k.message);
        EXPECT_EQ(p.msg.Last().Code, k.code);
        EXPECT_EQ(p.msg.Last().Title, "Check for faulty Legons and Legofs");
        EXPECT_TRUE(p.msg.AllAnswersUsed());
        EXPECT_FALSE(p.screen.hourglass);
        EXPECT_GE(p.screen.doEvents, 4); // once per item, track 2 included
        EXPECT_EQ(s.CurrentTrack, k.track);
        EXPECT_EQ(s.CurrentItem(k.track), k.item);
        ExpectAgreement();
    }
}

TEST_F(Scans, LegatoScanStopsAtTheItemCountAndRunsUnderTheHourglass) {
    // Two items counted; a stale LEGON behind them and no END record.
    WriteTrack(2, {On("LEGON", "1"), On("LEGOF", "1"), On("LEGON", "1")}, false);
    s.ItemCount(2) = 2;
    // A blank item (an insert not filled) ends a track as its END does.
    Track(3, {On("C", "1"), On("", "1"), On("LEGOF", "1")});
    OnTrack(3, 2);
    std::vector<bool> hourglass;
    p.screen.onDoEvents = [&] { hourglass.push_back(p.screen.hourglass); };
    p.msg.AnswerOk();
    CheckLegato(c);
    EXPECT_EQ(p.msg.Last().Text, "No missing or duplicate items found");
    EXPECT_EQ(hourglass, std::vector<bool>(5, true));
    EXPECT_FALSE(p.screen.hourglass);
    ExpectAgreement();
    EXPECT_EQ(p.screen.controlVisible["txtChannel"], false); // track 1 has none
}

TEST_F(Scans, LegatoScanThatCannotOpenATrackReportsIt) {
    Track(2, {On("C", "1")});
    OnTrack(2, 1);
    s.PieceTitle = "GONE"; // no piece directory
    p.msg.AnswerOk();
    CheckLegato(c);
    EXPECT_EQ(p.msg.Last().Text.rfind("Error 76", 0), 0u) << p.msg.Last().Text;
    EXPECT_FALSE(p.screen.hourglass);
    // No file is open: nothing the boxes hold can be stored anywhere.
    EXPECT_EQ(s.File2Open, 0);
    EXPECT_EQ(Trimmed(BoxesRecord(p.screen)).Note, "END");
}

} // namespace
} // namespace tnq::test
