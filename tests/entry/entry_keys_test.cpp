// The find keys of the item box and the insert and delete keys of the bar
// box over the fake screen, on real track files.
#include "entry/accept_item.h"
#include "entry/entry_fields.h"

#include "core/piece_fixture.h"
#include "core/recalculate.h"
#include "platform/key_codes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tnq::test {
namespace {

namespace fs = std::filesystem;

int F(int n) {
    return vbkey::F1 + n - 1;
}

class EntryKeys : public PieceTest {
protected:
    void SetUp() override {
        SetUpPiece(4, 50);
        s.PieceOpen = 1;
        s.MenuActive = 0;
        // Track 2: a keyword of each find key, notes between, bars 1..4.
        WriteTrack(2, {Item("PROGR", "0", "", "0", "1", "1"), Item("C", "4", "q", "0", "2", "1"),
                       Item("CNTRL", "0", "", "7", "3", "2"), Item("D", "4", "q", "0", "4", "2"),
                       Item("TEMPO", "0", "q", "0", "5", "3"), Item("METER", "0", "", "3", "4", "3"),
                       Item("LEGON", "0", "", "0", "0", "3"), Item("E", "4", "q", "0", "8", "4"),
                       Item("PBEND", "0", "", "0", "9", "4"), Item("LEGOF", "0", "", "0", "0", "4")});
        Select({2});
        ASSERT_TRUE(Recalculate(c));
        s.CurrentTrack = 2;
        s.CurrentItem(2) = 1;
        Set(Box::Track, "2");
        Set(Box::Item, "1");
    }
    void Set(Box b, const std::string& text) { p.screen.SetText(b, text); }
    std::string Text(Box b) const { return p.screen.Text(b); }
    void ItemKey(int code, int shift = 0) { txtItem_KeyDown(c, code, shift); }
    void BarKey(int code, int shift = 0) { txtBar_KeyDown(c, code, shift); }
};

TEST_F(EntryKeys, FindKeysOfTheItemBox) {
    struct Case {
        int key;
        const char* keyword;
        int item;
    } cases[] = {{F(2), "PROGR", 1}, {F(3), "CNTRL", 3}, {F(4), "TEMPO", 5},
                 {F(5), "METER", 6}, {F(6), "LEGON", 7}, {F(10), "PBEND", 9}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.keyword);
        s.CurrentItem(2) = 2; // from the note after the PROGR
        ItemKey(k.key);
        EXPECT_EQ(s.Scratch, k.keyword);
        EXPECT_EQ(s.CurrentItem(2), k.item);
        EXPECT_EQ(Text(Box::Note), k.keyword);
        EXPECT_EQ(Trim(Text(Box::Item)), std::to_string(k.item));
    }
    EXPECT_TRUE(p.msg.shown.empty());
    // With a modifier held the keys do nothing.
    s.CurrentItem(2) = 2;
    ItemKey(F(3), vbshift::Shift);
    EXPECT_EQ(s.CurrentItem(2), 2);
}

TEST_F(EntryKeys, F9AsksForABarUntilOneFrom0To9999) {
    s.CurrentItem(2) = 8;
    for (const char* a : {"x", "-1", "10000", "3"}) p.msg.AnswerInput(a);
    ItemKey(F(9));
    EXPECT_TRUE(p.msg.AllAnswersUsed());
    ASSERT_EQ(p.msg.shown.size(), 4u);
    EXPECT_EQ(p.msg.Last().Text, "Enter bar number to find");
    EXPECT_EQ(p.msg.Last().Title, "Find Bar");
    EXPECT_EQ(s.ItemBar, 3);
    EXPECT_EQ(s.CurrentItem(2), 5);
    EXPECT_EQ(Text(Box::Item), "5");
    EXPECT_EQ(Text(Box::Note), "TEMPO");

    // Cancel: no search.
    p.msg.AnswerInput("");
    ItemKey(F(9));
    EXPECT_EQ(s.CurrentItem(2), 5);
    EXPECT_EQ(p.msg.shown.size(), 5u);
}

TEST_F(EntryKeys, BarBoxInsertAndDeleteKeepTheCursor) {
    s.CurrentItem(2) = 4;
    Set(Box::Item, "4");
    s.DialogResult = "okay";
    p.msg.AnswerInput("2");
    BarKey(F(11));
    EXPECT_EQ(s.DialogResult, "");
    EXPECT_EQ(s.ItemCount(2), 12);
    EXPECT_EQ(s.CurrentItem(2), 4);
    EXPECT_EQ(s.InsertLastItem, 4);
    EXPECT_EQ(s.InsertRemaining, 2);
    EXPECT_EQ(Text(Box::Item), "4");
    EXPECT_EQ(Text(Box::Bar), "");

    // The two blanks filled by Accept Item: the run goes on, then ends.
    Set(Box::Bar, "2");
    Set(Box::Note, "G");
    Set(Box::Octa, "3");
    Set(Box::Dur, "e");
    Set(Box::Adj, "0");
    Set(Box::Dyn, "70");
    Set(Box::Channel, "2");
    Set(Box::PitchBend, "0");
    btnAccept_Click(c);
    EXPECT_EQ(s.CurrentItem(2), 5);
    EXPECT_EQ(s.InsertRemaining, 1);
    EXPECT_EQ(p.screen.backColor[Box::Bar], kInsertRunColour);
    btnAccept_Click(c);
    EXPECT_EQ(s.CurrentItem(2), 6);
    EXPECT_EQ(s.ItemCount(2), 12);
    Select({2});
    ASSERT_TRUE(Recalculate(c)); // no blank left
    EXPECT_EQ(s.NoteCode(2, 4), 55);
    EXPECT_EQ(s.NoteCode(2, 5), 55);
    EXPECT_EQ(s.NoteCode(2, 6), 62); // the old item 4

    // F10 at item 5: one item goes, the cursor stays.
    s.CurrentItem(2) = 5;
    p.msg.AnswerInput("1");
    BarKey(F(10));
    EXPECT_EQ(s.ItemCount(2), 11);
    EXPECT_EQ(s.CurrentItem(2), 5);
    EXPECT_EQ(Text(Box::Item), "5");
    EXPECT_EQ(Text(Box::Note), "D");
    EXPECT_TRUE(p.msg.AllAnswersUsed());
}

TEST_F(EntryKeys, InsertAndDeleteWorkOnTheCurrentTracksFile) {
    // File 2 left on track 3 by an earlier command.
    WriteTrack(3, {Item("C", "4", "q")});
    s.CurrentTrack = 3;
    TrackFileOpen(c);
    s.CurrentTrack = 2;
    s.CurrentItem(2) = 3;
    const std::string track3 = ReadFile(TrackPath(3));
    p.msg.AnswerInput("1");
    BarKey(F(11));
    p.msg.AnswerInput("2");
    BarKey(F(10));
    EXPECT_EQ(ReadFile(TrackPath(3)), track3);
    EXPECT_EQ(s.ItemCount(2), 9);
    Select({2});
    ASSERT_TRUE(Recalculate(c));
    EXPECT_EQ(s.ItemCount(2), 9);
    EXPECT_EQ(s.NoteCode(2, 3), 62); // the D behind the blank and the CNTRL
}

TEST_F(EntryKeys, ATrackFileFailureIsReported) {
    s.File2.Close();
    s.File2Open = 0;
    fs::remove_all(PieceDir());
    s.CurrentItem(2) = 2;
    p.msg.AnswerOk();
    ItemKey(F(2));
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Text, "Error 76 Path not found (Track 2, " + TrackPath(2).string() +
                                     ") has occured");
    EXPECT_EQ(s.CurrentItem(2), 2);
}

} // namespace
} // namespace tnq::test
