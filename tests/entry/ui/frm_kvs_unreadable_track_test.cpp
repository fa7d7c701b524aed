// A track file the program cannot write, or cannot read at all, while a
// piece is open: Make .MID from the main window keeps the track's items,
// and once the file is whole again the next item typed goes behind them.
#include "core/piece_paths.h"
#include "entry/ui/entry_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tnq {
namespace {

namespace fs = std::filesystem;

enum class Spoilt { ReadOnly, DirectoryInItsPlace };

class UnreadableTrack : public test::EntryWindowBase,
                        public ::testing::WithParamInterface<Spoilt> {};

TEST_P(UnreadableTrack, KeepsItsItemsAndTakesTheNextOneBehindThem) {
    Load();
    NewPiece("SONG");
    const std::vector<TrackItemRecord> five(5, {"C", "4", "q", "0", "64", "1", "1", "0"});
    WriteTrackFile(2, five);
    ASSERT_TRUE(MakeMidWithOk());
    ASSERT_EQ(Count(2), 5);

    const fs::path file = TrackFilePath(p.s, "SONG", 2);
    const std::string bytes = test::ReadFile(file);
    const std::size_t before = p.msg.shown.size();
    if (GetParam() == Spoilt::ReadOnly) {
        fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    } else {
        fs::remove(file);
        fs::create_directory(file);
    }
    if (GetParam() == Spoilt::ReadOnly) {
        ASSERT_TRUE(MakeMidWithOk());
        EXPECT_EQ(p.msg.shown.size(), before) << p.msg.Last().Text; // reading is all it needs
    } else {
        // The recalculation before the options stops at the track.
        p.msg.AnswerOk();
        OpenMenu(w, "mnuFile");
        Choose(w, "mnuFilMid");
        ASSERT_GT(p.msg.shown.size(), before);
        EXPECT_NE(p.msg.Last().Text.find("(Track 2, " + file.string() + ")"), std::string::npos)
            << p.msg.Last().Text;
        EXPECT_EQ(w.lblTrkDat(1)->text(), "5");
    }
    EXPECT_EQ(Count(2), 5);

    // The file whole and writable again: one note, F12.
    if (fs::is_directory(file)) fs::remove(file);
    test::WriteFile(file, bytes);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    ToTrack("2");
    EXPECT_EQ(Text(w.txtItem), "6");
    Enter();
    Enter();
    Field("1");
    Type("d");
    Enter();
    Type("5");
    Press(Qt::Key_F12);
    EXPECT_EQ(Count(2), 6);
    const std::vector<TrackItemRecord> records = TrackRecords(2);
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(std::vector<TrackItemRecord>(records.begin(), records.begin() + 5), five);
    EXPECT_EQ(records[5].Note, "D");
    EXPECT_EQ(fs::file_size(file), 7u * kRecordLength);
}

INSTANTIATE_TEST_SUITE_P(Road, UnreadableTrack,
                         ::testing::Values(Spoilt::ReadOnly, Spoilt::DirectoryInItsPlace),
                         [](const auto& info) {
                             return info.param == Spoilt::ReadOnly ? "ReadOnly"
                                                                   : "DirectoryInItsPlace";
                         });

} // namespace
} // namespace tnq
