// Revise Bar Numbers without its widgets: the checks of OK, AssignBarNumbers
// on real track files, and F6 of the bar box and F7 of the note box with
// their dialogs scripted.
#include "entry/entry_dialogs.h"
#include "entry/entry_fields.h"
#include "entry/note_options.h"
#include "entry/revise_bar_nos.h"

#include "core/piece_fixture.h"
#include "core/recalculate.h"
#include "platform/key_codes.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tnq::test {
namespace {

using Mode = ReviseMode;

class ReviseBars : public PieceTest {
protected:
    void SetUp() override {
        SetUpPiece(4, 20);
        s.PieceOpen = 1;
        s.MenuActive = 0;
        // Track 2: ten notes, bars 1, 1, 2, 2, ... 5, 5.
        std::vector<TrackItemRecord> items;
        for (int i = 0; i < 10; ++i)
            items.push_back(Item("C", "4", "q", "0", "64", std::to_string(i / 2 + 1), "2"));
        WriteTrack(2, items);
        Select({2});
        ASSERT_TRUE(Recalculate(c));
        s.CurrentTrack = 2;
        TrackFileOpen(c);
        s.CurrentItem(2) = 4;
    }
    std::string Bars() {
        std::string out;
        const std::string bytes = ReadFile(TrackPath(2));
        for (std::size_t at = 0; at + kRecordLength <= bytes.size(); at += kRecordLength)
            out += "[" + DecodeRecord(bytes.substr(at, kRecordLength)).Bar + "]";
        return out;
    }
    std::vector<int> BarNos() const {
        std::vector<int> v;
        for (int i = 1; i <= 10; ++i) v.push_back(s.BarNo(2, i));
        return v;
    }
};

TEST_F(ReviseBars, ChecksOfOK) {
    struct Case {
        const char* what;
        std::optional<Mode> mode;
        const char *from, *items, *bar;
        ReviseCheck result;
    } cases[] = {
        {"run past the last item", Mode::BarNumber, "9", "3", "20", ReviseCheck::Refused},
        {"run to the last item", Mode::BarNumber, "8", "3", "20", ReviseCheck::Okay},
        {"offset: last item before the first", Mode::Offset, "8", "3", "1", ReviseCheck::Refused},
        {"offset: items 3..8 down two", Mode::Offset, "3", "8", "-2", ReviseCheck::Okay},
        {"no option", std::nullopt, "1", "1", "1", ReviseCheck::Refused},
        {"first item 0", Mode::BarNumber, "0", "1", "1", ReviseCheck::Refused},
        {"first item past the count", Mode::BarNumber, "11", "1", "1", ReviseCheck::Refused},
        {"first item not a number", Mode::BarNumber, "x", "1", "1", ReviseCheck::Refused},
        {"no items", Mode::BarNumber, "1", "0", "1", ReviseCheck::Refused},
        {"items not a number", Mode::BarNumber, "1", "", "1", ReviseCheck::Refused},
        {"offset: last item past the count", Mode::Offset, "1", "11", "1", ReviseCheck::Refused},
        {"bar not a number", Mode::BarNumber, "1", "1", "b", ReviseCheck::Refused},
        {"bar beyond 16 bits", Mode::BarNumber, "1", "1", "40000", ReviseCheck::Refused},
        {"bar 10000", Mode::BarNumber, "1", "1", "10000", ReviseCheck::Refused},
        {"bar 9999", Mode::BarNumber, "1", "10", "9999", ReviseCheck::Okay},
        {"bar 0", Mode::BarNumber, "1", "10", "0", ReviseCheck::Okay},
        {"a negative bar", Mode::BarNumber, "1", "1", "-1", ReviseCheck::OutOfRange},
        {"offset to bar 0", Mode::Offset, "1", "10", "-1", ReviseCheck::Okay},
        {"offset below bar 0", Mode::Offset, "1", "10", "-2", ReviseCheck::OutOfRange},
        {"offset past bar 9999", Mode::Offset, "10", "10", "9995", ReviseCheck::OutOfRange},
        {"offset to bar 9999", Mode::Offset, "10", "10", "9994", ReviseCheck::Okay},
        {"halves to even", Mode::BarNumber, "2.5", " 1 ", "7", ReviseCheck::Okay},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        s.DialogResult.clear();
        EXPECT_EQ(ReviseBarNosOK(c, {k.mode, k.from, k.items, k.bar}), k.result);
        EXPECT_EQ(s.DialogResult, k.result == ReviseCheck::Okay ? "okay" : "");
    }
    EXPECT_EQ(s.RangeFrom, 2);
    // The numbers stored before a check failed stay.
    ReviseBarNosOK(c, {Mode::BarNumber, "5", "1", "x"});
    EXPECT_EQ(s.RangeFrom, 5);
    EXPECT_EQ(s.RangeTo, 1);
    // Labels by mode.
    EXPECT_STREQ(ReviseBarNosLabels(Mode::BarNumber).Items, "No. of Items");
    EXPECT_STREQ(ReviseBarNosLabels(Mode::BarNumber).Bar, "Bar Number");
    EXPECT_STREQ(ReviseBarNosLabels(Mode::Offset).Items, "To Item");
    EXPECT_STREQ(ReviseBarNosLabels(Mode::Offset).Bar, "Offset");
}

TEST_F(ReviseBars, AssignBarNumbersInTheFileAndTheScore) {
    struct Case {
        const char* what;
        Mode mode;
        int from, to, bar;
        bool done;
        std::string bars;
        std::vector<int> barNos;
        int cursor;
    } cases[] = {
        {"one bar for items 3..5", Mode::BarNumber, 3, 3, 1234, true,
         "[1   ][1   ][1234][1234][1234][3   ][4   ][4   ][5   ][5   ][    ]",
         {1, 1, 1234, 1234, 1234, 3, 4, 4, 5, 5}, 5},
        {"offset -1 on items 2..10", Mode::Offset, 2, 10, -1, true,
         "[1   ][0   ][1   ][1   ][2   ][2   ][3   ][3   ][4   ][4   ][    ]",
         {1, 0, 1, 1, 2, 2, 3, 3, 4, 4}, 10},
        {"offset 0 rewrites", Mode::Offset, 1, 10, 0, true,
         "[1   ][1   ][2   ][2   ][3   ][3   ][4   ][4   ][5   ][5   ][    ]",
         {1, 1, 2, 2, 3, 3, 4, 4, 5, 5}, 10},
        {"offset below bar 0", Mode::Offset, 1, 4, -2, false,
         "[1   ][1   ][2   ][2   ][3   ][3   ][4   ][4   ][5   ][5   ][    ]",
         {1, 1, 2, 2, 3, 3, 4, 4, 5, 5}, 4},
        {"a negative bar", Mode::BarNumber, 1, 1, -5, false,
         "[1   ][1   ][2   ][2   ][3   ][3   ][4   ][4   ][5   ][5   ][    ]",
         {1, 1, 2, 2, 3, 3, 4, 4, 5, 5}, 4},
        {"a run past the last item", Mode::BarNumber, 9, 3, 7, false,
         "[1   ][1   ][2   ][2   ][3   ][3   ][4   ][4   ][5   ][5   ][    ]",
         {1, 1, 2, 2, 3, 3, 4, 4, 5, 5}, 4},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        SetUp();
        s.RangeFrom = static_cast<Integer>(k.from);
        s.RangeTo = static_cast<Integer>(k.to);
        s.FoundBar = static_cast<Integer>(k.bar);
        s.PieceChanged = 0;
        EXPECT_EQ(AssignBarNumbers(c, k.mode), k.done);
        EXPECT_EQ(Bars(), k.bars);
        EXPECT_EQ(BarNos(), k.barNos);
        EXPECT_EQ(s.CurrentItem(2), k.cursor);
        EXPECT_EQ(s.PieceChanged, k.done ? 1 : 0);
        if (k.done) {
            EXPECT_EQ(p.screen.Text(Box::Bar), Trim(k.bars.substr(6 * (k.cursor - 1) + 1, 4)));
        }
    }
}

// ---- The keys, their dialogs scripted ------------------------------------------------

class ScriptedDialogs : public EntryDialogs {
public:
    void ShowNoteOptions(Context& c) override {
        skipDuring = c.s.SkipValidation;
        c.s.DialogResult = keyword;
    }
    ReviseMode ShowReviseBarNos(Context& c) override {
        skipDuring = c.s.SkipValidation;
        if (entry) ReviseBarNosOK(c, *entry);
        return entry && entry->Mode ? *entry->Mode : ReviseMode::BarNumber;
    }
    void ShowCopyByItem(Context& c) override {
        skipDuring = c.s.SkipValidation;
        c.s.DialogResult = copyOK ? "okay" : "";
    }
    // The copy of three items moves the cursor behind them.
    void RunCopyByItem(Context& c) override {
        ++copies;
        c.s.CurrentItem(c.s.CurrentTrack) += 3;
    }
    std::string keyword;
    std::optional<ReviseBarNosEntry> entry; // nothing: Cancel
    bool copyOK = false;
    int copies = 0;
    int skipDuring = -1;
};

TEST_F(ReviseBars, F8HasTheWindowCopyAfterOKAndShowsTheCursorItem) {
    ScriptedDialogs d;
    auto f8 = [&] {
        int key = vbkey::F1 + 7;
        txtBar_KeyDown(c, key, 0, &d);
        EXPECT_EQ(key, 0);
    };
    p.screen.SetText(Box::Item, "4");
    f8(); // Cancel: no copy, the focus back in the bar box
    EXPECT_EQ(d.skipDuring, 1);
    EXPECT_EQ(s.SkipValidation, 0);
    EXPECT_EQ(d.copies, 0);
    EXPECT_EQ(p.screen.focus, Box::Bar);
    EXPECT_EQ(p.screen.Text(Box::Item), "4");
    d.copyOK = true;
    f8();
    EXPECT_EQ(d.copies, 1);
    EXPECT_EQ(p.screen.Text(Box::Item), "7");
    EXPECT_EQ(p.screen.Text(Box::Bar), "4"); // item 7's bar
}

TEST_F(ReviseBars, F6RenumbersAndShowsTheCursorInTheItemBox) {
    ScriptedDialogs d;
    auto f6 = [&](int shift) {
        int key = vbkey::F1 + 5;
        txtBar_KeyDown(c, key, shift, &d);
        EXPECT_EQ(key, shift ? vbkey::F1 + 5 : 0); // used: it goes no further
    };
    p.screen.SetText(Box::Item, "4");
    // Cancel: nothing changes; the item box shows the cursor.
    s.SkipValidation = 0;
    f6(0);
    EXPECT_EQ(d.skipDuring, 1);
    EXPECT_EQ(s.SkipValidation, 0);
    EXPECT_EQ(p.screen.Text(Box::Item), "4");
    EXPECT_EQ(s.DialogResult, "");
    // A shifted key does nothing.
    d.skipDuring = -1;
    f6(vbshift::Shift);
    EXPECT_EQ(d.skipDuring, -1);
    // OK on items 6..8, offset 10: the cursor on item 8.
    d.entry = ReviseBarNosEntry{ReviseMode::Offset, "6", "8", "10"};
    f6(0);
    EXPECT_EQ(s.DialogResult, "okay");
    EXPECT_EQ(p.screen.Text(Box::Item), "8");
    EXPECT_EQ(s.LastItem, "8");
    EXPECT_EQ(s.CurrentItem(2), 8);
    EXPECT_EQ(p.screen.Text(Box::Bar), "14");
    EXPECT_EQ(BarNos(), (std::vector<int>{1, 1, 2, 2, 3, 13, 14, 14, 5, 5}));
}

TEST_F(ReviseBars, F7InTheNoteBoxPutsThePickedKeywordThere) {
    ScriptedDialogs d;
    auto f7 = [&] {
        int key = vbkey::F1 + 6;
        txtNote_KeyDown(c, key, 0, &d);
    };
    p.screen.SetText(Box::Note, "C");
    p.screen.status1 = "help";
    s.DialogResult = "old";
    f7(); // Cancel
    EXPECT_EQ(d.skipDuring, 1);
    EXPECT_EQ(s.SkipValidation, 0);
    EXPECT_EQ(p.screen.Text(Box::Note), "C");
    EXPECT_EQ(p.screen.status1, "help");
    d.keyword = "PORTS";
    f7();
    EXPECT_EQ(p.screen.Text(Box::Note), "PORTS");
    EXPECT_EQ(p.screen.status1, "Press <ENTER> to accept");
}

TEST(NoteOptions, OKHandsBackTheKeywordOfTheSelectedRow) {
    const char* expected[] = {"PROGR", "CNTRL", "AFTER", "END",   "TEMPO", "METER",
                              "PBEND", "LEGON", "LEGOF", "LEGO1", "RESET", "LFO_2",
                              "FILT1", "FILT2", "PORTS"};
    for (int row = 1; row <= 15; ++row)
        EXPECT_EQ(NoteOptionsKeyword(row), std::string(expected[row - 1])) << row;
    // No row selected, the switched-off NRPN1 row, or none such: nothing.
    for (int row : {0, 16, 17, -1}) EXPECT_EQ(NoteOptionsKeyword(row), std::nullopt) << row;
    EXPECT_STREQ(kNoteOptions[14].Control, "optPorts");
    EXPECT_STREQ(kNoteOptions[3].Explanation, "Delete from this item on ");
}

} // namespace
} // namespace tnq::test
