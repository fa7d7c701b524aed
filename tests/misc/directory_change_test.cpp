// Change Directory: the directory list and OK, with and without a piece
// open.
#include "misc/directory_change.h"

#include "core/piece_commands.h"
#include "core/piece_paths.h"
#include "core/track_files.h"
#include "platform/vb.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace tnq {
namespace {

namespace fs = std::filesystem;

class ChangeDirectory : public ::testing::Test {
protected:
    void SetUp() override {
        from = (p.dir.Path() / "pieces").string();
        to = (p.dir.Path() / "other").string();
        fs::create_directories(from);
        fs::create_directories(to);
        p.s.FilePath = from;
    }
    std::string Caption() { return p.screen.captions["frmKVS"]; }

    test::Program p;
    std::string from, to;
};

TEST_F(ChangeDirectory, UnchangedDirectoryHidesAndWritesNothingEvenWithTheBoxTicked) {
    EXPECT_TRUE(ChangeDirectoryOK(p.c, from, from, true));
    EXPECT_EQ(Caption(), "");
    EXPECT_EQ(test::ReadFile(p.ini.File()), "");
}

TEST_F(ChangeDirectory, ANewDirectoryChangesCaptionAndOnRequestTheSetting) {
    EXPECT_TRUE(ChangeDirectoryOK(p.c, to, to, false));
    EXPECT_EQ(p.s.FilePath, to);
    EXPECT_EQ(Caption(), kCaptionPrefix + to);
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "FilePath"), "");
    EXPECT_TRUE(ChangeDirectoryOK(p.c, from, from, true));
    EXPECT_EQ(p.s.FilePath, from);
    EXPECT_EQ(Caption(), kCaptionPrefix + from);
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "FilePath"), from);
}

TEST_F(ChangeDirectory, APieceDirectoryIsRefusedSilently) {
    for (const char* name : {"SONG.TNQ", "song.tnq", "Song.Tnq"}) {
        const std::string dir = (fs::path(from) / name).string();
        fs::create_directories(dir);
        EXPECT_FALSE(ChangeDirectoryOK(p.c, dir, dir, true)) << name;
        EXPECT_EQ(p.s.FilePath, from);
    }
    EXPECT_TRUE(p.msg.shown.empty());
    EXPECT_EQ(test::ReadFile(p.ini.File()), "");
}

TEST_F(ChangeDirectory, ADirectoryThatCannotBeUsedKeepsEverything) {
    const std::string gone = (p.dir.Path() / "gone").string();
    p.msg.AnswerOk();
    EXPECT_FALSE(ChangeDirectoryOK(p.c, gone, gone, true));
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Text, "Error 76 Path not found");
    EXPECT_EQ(p.msg.Last().Title, "Directory not changed");
    EXPECT_EQ(p.s.FilePath, from);
    EXPECT_EQ(Caption(), "");
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "FilePath"), "");
}

TEST_F(ChangeDirectory, TheOpenPieceStaysInItsDirectoryUntilAnotherIsOpened) {
    p.s.PieceOpen = 1;
    p.s.PieceTitle = "SONG";
    fs::create_directories(fs::path(from) / "SONG.TNQ");
    ASSERT_TRUE(ChangeDirectoryOK(p.c, to, to, true));
    EXPECT_EQ(p.s.FilePath, to);
    EXPECT_EQ(PieceDirectory(p.s), (fs::path(from) / "SONG.TNQ").string());

    // Its track files are still written where it lives.
    p.s.CurrentTrack = 2;
    TrackFileOpen(p.c);
    p.s.File2.Write(1, "END");
    p.s.File2.Close();
    EXPECT_TRUE(fs::exists(fs::path(from) / "SONG.TNQ" / "SONG02"));
    EXPECT_FALSE(fs::exists(fs::path(to) / "SONG.TNQ"));

    // A second change keeps the piece where it is too.
    const std::string third = (p.dir.Path() / "third").string();
    fs::create_directories(third);
    ASSERT_TRUE(ChangeDirectoryOK(p.c, third, third, false));
    EXPECT_EQ(OpenPieceHome(p.s), from);
}

TEST(DirList, RowsRunFromTheRootToThePathThenItsSubdirectories) {
    test::TempDir d;
    const fs::path base = d.Path() / "music";
    for (const char* sub : {"zeta", "Alpha", "beta.TNQ"}) fs::create_directories(base / sub);
    test::WriteFile(base / "notes.txt", "x");
    const std::vector<DirRow> rows = DirListRows(base.string());
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ(rows.front().Name, "/");
    EXPECT_EQ(rows.front().Level, 0);
    const std::size_t n = rows.size();
    EXPECT_EQ(rows[n - 4].Path, base.string());
    EXPECT_TRUE(rows[n - 4].Open);
    std::vector<std::string> subs;
    for (std::size_t i = n - 3; i < n; ++i) {
        subs.push_back(rows[i].Name);
        EXPECT_FALSE(rows[i].Open);
        EXPECT_EQ(rows[i].Level, rows[n - 4].Level + 1);
    }
    EXPECT_EQ(subs, (std::vector<std::string>{"Alpha", "beta.TNQ", "zeta"}));
    EXPECT_EQ(rows[n - 1].Path, (base / "zeta").string());

    // The root alone, and a directory that is not there.
    EXPECT_EQ(DirListRows("/").front().Path, "/");
    try {
        DirListRows((base / "missing").string());
        ADD_FAILURE() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), err::PathNotFound);
        EXPECT_EQ(DirListErrorText(e), "Error  76 Path not found");
    }
}

} // namespace
} // namespace tnq
