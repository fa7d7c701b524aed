// The file and print dialogs, the recent pieces, Exit, Delete and the menu
// openers.
#include "core/file_menu.h"
#include "core/memory.h"
#include "core/piece_commands.h"
#include "core/piece_paths.h"
#include "core/startup.h"
#include "core/track_files.h"
#include "core/vocabulary.h"
#include "music_dir_fixture.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tnq {
namespace {

namespace fs = std::filesystem;

class FileMenuTest : public test::MusicDirTest {
protected:
    // A saved piece with one item on track 1, in its track file too.
    void MakePiece(const std::string& title) {
        test::WriteFile(DataPath(title), "\"60\",480,\"" + music +
                                             "\",\"\",0,\"4\",\"4\",32,2000,#FALSE#,3,2\r\n"
                                             "010600000048006400010100000\r\n");
        test::WriteFile(music + "/" + title + ".TNQ/" + TrackFileName(title, 1),
                        EncodeRecord({"C", "4", "q", "0", "64", "1", "1", "0"}) +
                            EncodeRecord(kEndRecord));
    }
    void Recent(std::vector<std::string> paths) {
        s.RecentPieces = std::move(paths);
        s.RecentCount = static_cast<Integer>(s.RecentPieces.size());
    }
    std::string Setting(const std::string& key) { return c.GetIniSetting(key); }
};

// ---- Recent pieces ---------------------------------------------------------

TEST_F(FileMenuTest, UpdateFileMenuMovesAddsAndDrops) {
    struct Case {
        std::vector<std::string> before;
        std::string path;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {{}, "/m/A", {"/m/A"}},
        {{"/m/A", "/m/B", "/m/C", "/m/D"}, "/m/C", {"/m/C", "/m/A", "/m/B", "/m/D"}},
        {{"/m/A", "/m/B", "/m/C", "/m/D"}, "/m/A", {"/m/A", "/m/B", "/m/C", "/m/D"}},
        {{"/m/A", "/m/B", "/m/C", "/m/D"}, "/m/E", {"/m/E", "/m/A", "/m/B", "/m/C"}},
        {{"/m/A"}, "/M/A", {"/M/A", "/m/A"}}, // another letter case is another entry
        {{"/m/A"}, "", {"/m/A"}},
    };
    for (const Case& k : cases) {
        Recent(k.before);
        p.screen.recent = k.before;
        s.PiecePath = k.path;
        UpdateFileMenu(c);
        EXPECT_EQ(s.RecentPieces, k.after) << k.path;
        EXPECT_EQ(s.RecentCount, static_cast<Integer>(k.after.size()));
        EXPECT_EQ(p.screen.recent, k.after);
    }
}

TEST_F(FileMenuTest, RecentPiecesLoadUpToTheFirstGap) {
    c.SetIniSetting("File1", "/m/A.TNQ/A.TNQ");
    c.SetIniSetting("File2", "/m/B.TNQ/B.TNQ");
    c.SetIniSetting("File4", "/m/D.TNQ/D.TNQ");
    LoadRecentPieces(c);
    EXPECT_EQ(s.RecentPieces, (std::vector<std::string>{"/m/A.TNQ/A.TNQ", "/m/B.TNQ/B.TNQ"}));
    EXPECT_EQ(s.RecentCount, 2);
    EXPECT_EQ(p.screen.recent, s.RecentPieces);
}

TEST_F(FileMenuTest, RecentEntryOpensItsPieceAndMovesToTheTop) {
    MakePiece("ONE");
    MakePiece("TWO");
    Recent({DataPath("ONE"), DataPath("TWO")});
    ASSERT_TRUE(mnuFileArray_Click(c, 2));
    EXPECT_EQ(s.PieceTitle, "TWO");
    EXPECT_EQ(s.ItemCount(1), 1);
    EXPECT_EQ(s.OpenFromRecent, 0);
    EXPECT_EQ(s.RecentPieces, (std::vector<std::string>{DataPath("TWO"), DataPath("ONE")}));
    EXPECT_TRUE(p.files.openStartDirs.empty()) << "no dialog";
    EXPECT_FALSE(mnuFileArray_Click(c, 3)) << "no such entry";
}

TEST_F(FileMenuTest, RecentEntryAsksToSaveWithYesAndNo) {
    MakePiece("ONE");
    MakePiece("TWO");
    Recent({DataPath("ONE"), DataPath("TWO")});
    ASSERT_TRUE(mnuFileArray_Click(c, 1));
    s.ItemCount(1) = 0;
    s.PieceChanged = 1;
    p.msg.Answer(mb::Yes);
    ASSERT_TRUE(mnuFileArray_Click(c, 2));
    EXPECT_EQ(p.msg.shown[0].Text, "Do you wish to save the changes to ONE?");
    EXPECT_EQ(p.msg.shown[0].Code, 20);
    EXPECT_EQ(p.msg.shown[0].Title, "Save File");
    EXPECT_EQ(test::ReadFile(DataPath("ONE")).find("\r\n01"), std::string::npos) << "saved";
    EXPECT_EQ(s.PieceTitle, "TWO");
}

TEST_F(FileMenuTest, RecentPieceWhoseDirectoryHasGoneChangesNothing) {
    MakePiece("ONE");
    Recent({DataPath("GONE"), DataPath("ONE")});
    ASSERT_TRUE(mnuFileArray_Click(c, 2));
    s.PieceChanged = 1;
    p.msg.Answer(mb::No);
    p.msg.AnswerOk();
    EXPECT_FALSE(mnuFileArray_Click(c, 2));
    EXPECT_EQ(p.msg.Last().Text, "Error 76 Path not found has occured");
    EXPECT_EQ(p.msg.Last().Title, "Open File");
    EXPECT_EQ(s.PieceTitle, "ONE");
    EXPECT_EQ(s.PieceOpen, 1);
    EXPECT_EQ(s.PieceChanged, 0); // No was the answer
    EXPECT_EQ(s.ItemCount(1), 1);
    EXPECT_EQ(s.OpenFromRecent, 0);
    EXPECT_EQ(s.RecentPieces, (std::vector<std::string>{DataPath("ONE"), DataPath("GONE")}));
}

// A directory made under base whose path has length bytes.
std::string DirectoryOfLength(std::string path, std::size_t length) {
    while (path.size() < length) {
        const std::size_t left = length - path.size();
        path += "/" + std::string(left > 201 ? 150 : left - 1, 'd');
    }
    fs::create_directories(path);
    return path;
}

TEST_F(FileMenuTest, LongDirectoryAndRecentEntrySurviveARestartAndExit) {
    music = DirectoryOfLength(music, 262);
    MakePiece("SEVENTH");
    ASSERT_EQ(DataPath("SEVENTH").size(), 286u);
    c.SetIniSetting("FilePath", music);
    c.SetIniSetting("File1", DataPath("SEVENTH"));
    // The next start.
    EXPECT_EQ(DefaultPath(c), music);
    LoadRecentPieces(c);
    ASSERT_TRUE(mnuFileArray_Click(c, 1));
    EXPECT_EQ(s.PieceTitle, "SEVENTH");
    EXPECT_FALSE(Form_QueryUnload(c));
    EXPECT_EQ(Setting("File1"), DataPath("SEVENTH"));
    EXPECT_EQ(Setting("FilePath"), music);
}

// ---- Exit ------------------------------------------------------------------

TEST_F(FileMenuTest, ExitCancelKeepsRunningAndWritesNoSettings) {
    MakePiece("ONE");
    Recent({DataPath("ONE")});
    ASSERT_TRUE(mnuFileArray_Click(c, 1));
    s.PieceChanged = 1;
    p.msg.Answer(mb::Cancel);
    EXPECT_FALSE(mnuFilExit_Click(c));
    EXPECT_EQ(p.msg.Last().Text, "Do you wish to save the changes ?");
    EXPECT_EQ(p.msg.Last().Code, 19);
    EXPECT_EQ(Setting("File1"), "");
    EXPECT_EQ(p.screen.helpClosed, 0);
    p.msg.Answer(mb::Cancel);
    EXPECT_TRUE(Form_QueryUnload(c)) << "the close is cancelled";
}

TEST_F(FileMenuTest, ExitWithNoStoresOneKeyPerEntry) {
    MakePiece("ONE");
    Recent({DataPath("ONE"), "/m/B.TNQ/B.TNQ", "/m/C.TNQ/C.TNQ"});
    c.SetIniSetting("File4", "/old/D.TNQ/D.TNQ");
    ASSERT_TRUE(mnuFileArray_Click(c, 1));
    s.PieceChanged = 1;
    p.msg.Answer(mb::No);
    EXPECT_FALSE(Form_QueryUnload(c));
    EXPECT_EQ(Setting("File1"), DataPath("ONE"));
    EXPECT_EQ(Setting("File2"), "/m/B.TNQ/B.TNQ");
    EXPECT_EQ(Setting("File3"), "/m/C.TNQ/C.TNQ");
    EXPECT_EQ(Setting("File4"), "/old/D.TNQ/D.TNQ") << "no key is deleted";
    EXPECT_EQ(p.screen.helpClosed, 1);
    EXPECT_EQ(s.PieceChanged, 1) << "No does not save";
}

TEST_F(FileMenuTest, ExitDoesNotGoOnWhenItsSaveFailed) {
    MakePiece("ONE");
    Recent({DataPath("ONE")});
    ASSERT_TRUE(mnuFileArray_Click(c, 1));
    s.PieceChanged = 1;
    fs::remove_all(music + "/ONE.TNQ");
    p.msg.Answer(mb::Yes);
    p.msg.AnswerOk(); // the Save error
    EXPECT_FALSE(mnuFilExit_Click(c));
    EXPECT_EQ(p.msg.Last().Title, "Save File");
    EXPECT_EQ(Setting("File1"), "");
    EXPECT_EQ(p.screen.helpClosed, 0);

    // Saved on Yes when it can be.
    fs::create_directories(music + "/ONE.TNQ");
    p.msg.Answer(mb::Yes);
    EXPECT_TRUE(mnuFilExit_Click(c));
    EXPECT_TRUE(fs::exists(DataPath("ONE")));
    EXPECT_EQ(s.PieceChanged, 0);
}

TEST_F(FileMenuTest, ExitWithoutAnOpenPieceAsksNothing) {
    s.PieceChanged = 1; // the settings dialog marks it with no piece open
    EXPECT_TRUE(mnuFilExit_Click(c));
    EXPECT_EQ(p.screen.helpClosed, 1);
}

// ---- Delete and the menu openers ------------------------------------------

TEST_F(FileMenuTest, DeleteOnlyExplains) {
    p.msg.AnswerOk();
    mnuFilDelete_Click(c);
    EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened");
    MakePiece("ONE");
    Recent({DataPath("ONE")});
    ASSERT_TRUE(mnuFileArray_Click(c, 1));
    p.msg.AnswerOk();
    mnuFilDelete_Click(c);
    EXPECT_EQ(p.msg.Last().Text,
              "Use the desktop's file manager to delete an individual track, the '.TNQ' file, "
              "or the entire folder.");
    EXPECT_EQ(p.msg.Last().Code, 64);
    EXPECT_EQ(p.msg.Last().Title, "Delete File");
    EXPECT_TRUE(fs::exists(DataPath("ONE")));
}

TEST_F(FileMenuTest, MenuOpenersWithAndWithoutAPiece) {
    // No piece, no score: the File menu still opens quietly.
    s.MenuActive = 1;
    p.screen.status1 = "help";
    p.screen.SetCaption("lblTimeElapsed", "0:12");
    mnuFile_Click(c);
    EXPECT_EQ(s.MenuActive, 0);
    EXPECT_EQ(p.screen.Caption("Label3"), "Items Entered");
    EXPECT_EQ(p.screen.Caption("lblTimeElapsed"), "");
    EXPECT_EQ(p.screen.status1, "");

    s.MenuActive = 1;
    p.msg.AnswerOk();
    mnuEdit_Click(c);
    EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened");
    EXPECT_EQ(s.MenuActive, 1);

    MakePiece("ONE");
    Recent({DataPath("ONE")});
    ASSERT_TRUE(mnuFileArray_Click(c, 1));
    p.screen.figures[0] = "";
    p.screen.status1 = "help";
    mnuEdit_Click(c);
    EXPECT_EQ(s.MenuActive, 0);
    EXPECT_EQ(p.screen.figures[0], "1");
    EXPECT_EQ(p.screen.status1, "help") << "the Edit opener keeps the status line";
}

// ---- Common dialogs --------------------------------------------------------

TEST_F(FileMenuTest, PrintDialogPages) {
    Integer kind = 5;
    std::string path = "unchanged";
    s.PrintPages = 3;
    p.files.ChoosePrint({false, 0, 0, 2});
    EXPECT_TRUE(CommonDialogOpen(c, kind, path));
    EXPECT_EQ(s.PrintFromPage, 1);
    EXPECT_EQ(s.PrintToPage, 3);
    EXPECT_EQ(s.PrintCopies, 2);
    EXPECT_EQ(p.files.printPages, std::vector<int>{3});

    p.files.ChoosePrint({true, 2, 2, 1});
    EXPECT_TRUE(CommonDialogOpen(c, kind, path));
    EXPECT_EQ(s.PrintFromPage, 2);
    EXPECT_EQ(s.PrintToPage, 2);
    EXPECT_EQ(s.DialogError, 0);

    p.files.CancelPrint();
    EXPECT_FALSE(CommonDialogOpen(c, kind, path));
    EXPECT_EQ(s.DialogError, 32755);
    EXPECT_EQ(path, "unchanged");

    kind = 2;
    EXPECT_FALSE(CommonDialogOpen(c, kind, path));
    EXPECT_EQ(s.DialogError, 0);
}

TEST_F(FileMenuTest, DialogFailureIsShownOnceAndOpenEnds) {
    p.files.FailOpen(err::OutOfMemory);
    p.msg.AnswerOk();
    EXPECT_FALSE(mnuFilOpen_Click(c));
    EXPECT_EQ(p.msg.Last().Text, "Error 7 Out of memory Occured");
    EXPECT_EQ(p.msg.Last().Code, 64);
    EXPECT_EQ(p.msg.Last().Title, "Common Dialog Error");
    EXPECT_EQ(s.DialogError, 0);
    EXPECT_EQ(s.PieceOpen, 0);
    EXPECT_EQ(p.files.openStartDirs, std::vector<std::string>{music});
}

} // namespace
} // namespace tnq
