// The find, insert and delete keys of the entry boxes driven headless with
// the keyboard alone, on a copy of a sample piece: its track file and its
// .MID file afterwards.
#include "core/track_files.h"
#include "entry/ui/entry_window.h"
#include "midifile/mid_fixture.h"

#include <gtest/gtest.h>

#include <QPushButton>

#include <filesystem>
#include <string>
#include <vector>

namespace tnq {
namespace {

namespace fs = std::filesystem;
using test::Settle;

class ItemSpaceKeys : public test::EntryWindowBase {
protected:
    void Key(int n) { FKey(n); }
    std::string Item() const { return Text(w.txtItem); }
};

TEST_F(ItemSpaceKeys, FindInsertDeleteSaveAndWriteTheMidFile) {
    Load();
    OpenSample("SCARBORO");
    if (HasFatalFailure()) return;
    const fs::path dir = fs::path(p.s.FilePath) / "SCARBORO.TNQ";
    const std::string before = test::ReadFile(dir / "SCARBO02");
    const int count = p.s.ItemCount(2);
    ASSERT_EQ(before.size(), (count + 1) * kRecordLength);

    // Track 1: METER, then TEMPO, found from behind the last item.
    ToTrack("1");
    Key(5);
    EXPECT_EQ(Item(), " 2");
    EXPECT_EQ(Text(w.txtNote), "METER");
    Key(4);
    EXPECT_EQ(Item(), " 1");
    EXPECT_EQ(Text(w.txtNote), "TEMPO");
    EXPECT_EQ(Text(w.txtDyn), "96");

    // Track 2: F9 finds bar 5, then the keywords of the opening.
    ToTrack("2");
    EXPECT_EQ(Item(), std::to_string(count + 1));
    p.msg.AnswerInput("5");
    Key(9);
    EXPECT_EQ(p.msg.Last().Text, "Enter bar number to find");
    EXPECT_EQ(Item(), "15");
    EXPECT_EQ(Text(w.txtNote), "R");
    EXPECT_EQ(Text(w.txtBar), "5");
    EXPECT_EQ(Status().rfind("Press F9 to go to a Bar", 0), 0u);
    struct Find {
        int key;
        const char *item, *note;
    } finds[] = {{2, " 2", "PROGR"}, {3, " 3", "CNTRL"}, {10, " 4", "PBEND"}};
    for (const Find& f : finds) {
        Key(f.key);
        EXPECT_EQ(Item(), f.item) << f.note;
        EXPECT_EQ(Text(w.txtNote), f.note);
        EXPECT_EQ(Focus(), w.txtItem);
    }
    p.msg.AnswerOk();
    Key(6); // no LEGON on this track
    EXPECT_EQ(p.msg.Last().Text, "No 'LEGON' was found on this track");
    EXPECT_EQ(Item(), "4");
    EXPECT_EQ(Text(w.txtNote), "PBEND");
    EXPECT_EQ(Boxes(), 2u);

    // Bar 2 is a half note and a quarter note: two quarters go in before the
    // half note, then it goes.
    p.msg.AnswerInput("2");
    Key(9);
    ASSERT_EQ(Item(), "9");
    EXPECT_EQ(Text(w.txtNote), "A");
    EXPECT_EQ(Text(w.txtDur), "h");
    Enter(); // the item box loads item 9
    Enter(); // channel 1
    ASSERT_EQ(Focus(), w.txtBar);
    p.msg.AnswerInput("2");
    Key(11);
    EXPECT_EQ(p.msg.Last().Text, "How may items ?");
    EXPECT_EQ(p.s.ItemCount(2), count + 2);
    EXPECT_EQ(w.lblTrkDat(1)->text().toStdString(), std::to_string(count + 2));
    EXPECT_EQ(Item(), "9");
    EXPECT_EQ(Text(w.txtBar), "");
    EXPECT_EQ(Text(w.txtNote), "");
    EXPECT_EQ(Focus(), w.txtBar);
    Field("2");
    Field("a");
    Field("4");
    Field("q");
    Enter(); // value 0
    Press(Qt::Key_F12);
    EXPECT_EQ(Item(), "10");
    EXPECT_EQ(Focus(), w.txtBar);
    Enter(); // bar 2 kept
    Field("b");
    Enter(); // octave 4
    Enter(); // q
    Enter(); // value 0
    Press(Qt::Key_F12);
    EXPECT_EQ(Item(), "11");
    EXPECT_EQ(p.s.ItemCount(2), count + 2);
    p.msg.AnswerInput("1");
    Key(10);
    EXPECT_EQ(p.msg.Last().Text, "How many items ?");
    EXPECT_EQ(p.s.ItemCount(2), count + 1);
    EXPECT_EQ(Item(), "11");
    EXPECT_EQ(Text(w.txtNote), "A"); // the quarter note of bar 2
    EXPECT_EQ(Text(w.txtDur), "q");
    EXPECT_EQ(Boxes(), 5u);
    EXPECT_TRUE(p.msg.AllAnswersUsed());

    // Esc, File > Save.
    ExitAndSave();
    EXPECT_EQ(p.s.PieceChanged, 0);

    // The track file: the half note replaced by two quarters; the record
    // behind the END record is the END record the insert had moved on.
    auto record = [&](int i) { return before.substr((i - 1) * kRecordLength, kRecordLength); };
    std::string expected;
    for (int i = 1; i <= 8; ++i) expected += record(i);
    expected += EncodeRecord({"A", "4", "q", "0", "80", "2", "1", "0"});
    expected += EncodeRecord({"B", "4", "q", "0", "80", "2", "1", "0"});
    for (int i = 10; i <= count; ++i) expected += record(i);
    expected += EncodeRecord(kEndRecord) + EncodeRecord(kEndRecord);
    EXPECT_EQ(test::ReadFile(dir / "SCARBO02"), expected);

    // File > Make .MID file, OK in the options dialog.
    EXPECT_TRUE(MakeMidWithOk());
    EXPECT_EQ(Boxes(), 5u); // the tracks are still in balance
    const test::CsvResult r = test::ExpectReadable(dir / "SCARBORO.MID");
    std::vector<std::string> keys;
    for (const auto& x : r.Of(2, "Note_on_c"))
        if (x.Fields.at(2) != "0") keys.push_back(x.Fields.at(1));
    ASSERT_GE(keys.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(keys.begin(), keys.begin() + 6),
              (std::vector<std::string>{"62", "62", "69", "71", "69", "64"}));
    ExpectEndTogether(r, 2, 3);
}

TEST_F(ItemSpaceKeys, BoxKeysDoNothingWhileTheHourglassShows) {
    Load();
    NewPiece("SONG");
    ToTrack("2");
    w.SetHourglass(true);
    Enter();
    EXPECT_EQ(Focus(), w.txtItem);
    Press(Qt::Key_F12);
    Press(Qt::Key_Escape);
    EXPECT_TRUE(w.txtItem->isVisible()); // still entering items
    EXPECT_EQ(p.s.ItemCount(2), 0);
    w.SetHourglass(false);
    Enter();
    EXPECT_EQ(Focus(), w.txtChannel);
    EXPECT_EQ(Boxes(), 0u);
}

} // namespace
} // namespace tnq
