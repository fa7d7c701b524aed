// "&Make .MID file...": preparation, balance stop, copyright read-back, the
// dialog, replacing NAME.MID and the failures on the way.
#include "midifile/make_mid.h"

#include "core/piece_paths.h"
#include "core/track_files.h"
#include "mid_fixture.h"
#include "midifile/mid_copyright.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace tnq {
namespace {

using test::MidTest;
using test::ReadFile;
using test::ScriptedMidDialog;
using test::WriteFile;

class MakeMid : public MidTest {
protected:
    // Runs the command with a recalculation that reports ok and counts;
    // every file it writes is given to the independent reader.
    bool Run() {
        const bool written = MakeMidFile(c, dialog, [this](Context& cc) {
            ++recalcs;
            selectedAtRecalc = cc.s.SelectedTracks;
            return recalcOk;
        });
        if (written) test::ExpectReadable(MidPath());
        return written;
    }
    // Files in the piece directory other than NAME.MID.
    std::vector<std::string> OtherFiles() {
        std::vector<std::string> v;
        for (const auto& e : std::filesystem::directory_iterator(PieceDir()))
            if (e.path().filename() != "SONATA.MID") v.push_back(e.path().filename().string());
        return v;
    }
    void BalancedPiece() {
        Rest(1, 960);
        Rest(2, 480);
        Note(2, 60, 480);
    }

    ScriptedMidDialog dialog;
    int recalcs = 0;
    bool recalcOk = true;
    std::string selectedAtRecalc;
};

TEST_F(MakeMid, NoPieceOpen) {
    s.PieceOpen = 0;
    p.msg.AnswerOk();
    EXPECT_FALSE(Run());
    EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened");
    EXPECT_EQ(recalcs, 0);
    EXPECT_EQ(dialog.shown, 0);
}

TEST_F(MakeMid, WritesTheBalancedPiece) {
    BalancedPiece();
    Note(3, 64, 950);  // 10 ticks short: spread
    s.MidFileOpen = 1; // left over from an interrupted run
    dialog.Ok();
    ASSERT_TRUE(Run());
    EXPECT_EQ(recalcs, 1);
    EXPECT_EQ(selectedAtRecalc, "1111");
    EXPECT_EQ(s.SelectedTracks, "1111");
    EXPECT_EQ(s.MidFileOpen, 0);
    EXPECT_EQ(s.DialogResult, "");
    EXPECT_EQ(p.screen.figures[2], "950"); // unadjusted totals shown
    EXPECT_EQ(p.screen.status1, "");
    EXPECT_EQ(p.screen.status2, "");
    EXPECT_FALSE(p.screen.hourglass);
    EXPECT_EQ(dialog.ppqnBox, "480");
    EXPECT_EQ(dialog.caption, "Create .Mid File");
    const auto csv = test::ExpectReadable(MidPath());
    for (int t = 1; t <= 3; ++t) EXPECT_EQ(csv.Of(t, "End_track")[0].Time, 960) << t;
    EXPECT_TRUE(OtherFiles().empty());
}

TEST_F(MakeMid, WhatStandsAtNameMidIsReplacedLeavingNoOtherFile) {
    namespace fs = std::filesystem;
    enum Before { Nothing, OldFile, ReadOnlyFile, Link, Directory };
    for (Before before : {Nothing, OldFile, ReadOnlyFile, Link, Directory}) {
        SetUpPiece(4, 40);
        BalancedPiece();
        const fs::path target = PieceDir() / "TARGET";
        if (before == OldFile || before == ReadOnlyFile) WriteFile(MidPath(), "old");
        if (before == ReadOnlyFile) fs::permissions(MidPath(), fs::perms::owner_read);
        if (before == Link) {
            WriteFile(target, "target");
            fs::create_symlink(target, MidPath());
        }
        if (before == Directory) fs::create_directory(MidPath());
        dialog.Ok();
        if (before == Directory) p.msg.AnswerOk();
        const bool written = Run();
        std::vector<std::string> others = OtherFiles();
        if (before == Directory) {
            // No file can take a directory's place.
            EXPECT_FALSE(written);
            EXPECT_NE(p.msg.Last().Text.find("could not be written"), std::string::npos);
            EXPECT_TRUE(fs::is_directory(MidPath()));
            fs::remove(MidPath());
        } else {
            EXPECT_TRUE(written) << before;
            // A link stays a link: the file it names takes the new bytes.
            EXPECT_EQ(fs::is_symlink(MidPath()), before == Link) << before;
            EXPECT_EQ(ReadFile(MidPath()).substr(0, 4), "MThd") << before;
        }
        if (before == Link) {
            EXPECT_EQ(others, std::vector<std::string>{"TARGET"});
            fs::remove(target);
        } else {
            EXPECT_TRUE(others.empty()) << before << ": " << others[0];
        }
        fs::remove(MidPath());
    }
}

TEST_F(MakeMid, ABalanceCheckJustDoneSkipsTheRecalculationOnce) {
    BalancedPiece();
    s.RecalcDone = -1;
    dialog.Ok();
    ASSERT_TRUE(Run());
    EXPECT_EQ(recalcs, 0);
    EXPECT_EQ(s.RecalcDone, 0);
    dialog.Ok();
    ASSERT_TRUE(Run());
    EXPECT_EQ(recalcs, 1);
}

TEST_F(MakeMid, AFailedRecalculationStopsBeforeAnyFile) {
    BalancedPiece();
    WriteFile(MidPath(), "old");
    recalcOk = false;
    s.RecalcDone = 0;
    EXPECT_FALSE(Run());
    EXPECT_EQ(recalcs, 1);
    EXPECT_EQ(dialog.shown, 0);
    EXPECT_EQ(ReadFile(MidPath()), "old");
    EXPECT_FALSE(p.screen.hourglass);
    EXPECT_EQ(s.RecalcDone, 0);
    EXPECT_TRUE(OtherFiles().empty());
}

TEST_F(MakeMid, TracksOutOfBalance) {
    Rest(1, 960);
    Rest(2, 894); // 66 ticks short at a tolerance of 65
    p.msg.AnswerOk();
    EXPECT_FALSE(Run());
    EXPECT_EQ(p.msg.Last().Text, "Tracks out of balance");
    EXPECT_EQ(p.msg.Last().Code, 0);
    EXPECT_FALSE(p.msg.Last().Title.has_value());
    EXPECT_EQ(dialog.shown, 0);
    EXPECT_EQ(p.screen.status1, "");
    EXPECT_FALSE(p.screen.hourglass);
    EXPECT_EQ(p.screen.figures[1], "894");
    EXPECT_FALSE(std::filesystem::exists(MidPath()));
}

TEST_F(MakeMid, AbortLeavesEverythingAsItWas) {
    BalancedPiece();
    dialog.Abort();
    EXPECT_FALSE(Run());
    EXPECT_FALSE(std::filesystem::exists(MidPath())); // the read-back created nothing
    EXPECT_EQ(s.DialogResult, "abort");
    EXPECT_EQ(s.MidFileOpen, 0);
    EXPECT_EQ(p.screen.status1, "");
    WriteFile(MidPath(), "old");
    dialog.Abort();
    EXPECT_FALSE(Run());
    EXPECT_EQ(ReadFile(MidPath()), "old");
    EXPECT_TRUE(OtherFiles().empty());
}

TEST_F(MakeMid, CopyrightIsReadBackNextTime) {
    BalancedPiece();
    s.PieceDescription = "A\r\nB";
    // No earlier file: the default text.
    MidOptions o;
    o.Copyright = "Copyright \xA9 2024 Ann";
    dialog.Ok(o);
    ASSERT_TRUE(Run());
    EXPECT_EQ(dialog.copyrightBox, "Copyright \xA9 ");
    EXPECT_EQ(dialog.titleBox, "A B");
    struct Case {
        std::size_t length;
    } cases[] = {{1}, {127}, {128}, {150}, {400}};
    for (const auto& k : cases) {
        const std::string text = "\xA9" + std::string(k.length - 1, 'x');
        o.Copyright = text;
        dialog.Ok(o);
        ASSERT_TRUE(Run());
        dialog.Ok(o);
        ASSERT_TRUE(Run());
        EXPECT_EQ(s.MidCopyright, text) << k.length;
        EXPECT_EQ(dialog.copyrightBox, text) << k.length;
    }
    // An empty copyright leaves the event out; nothing is read back then.
    o.Copyright = "";
    dialog.Ok(o);
    ASSERT_TRUE(Run());
    dialog.Ok(o);
    ASSERT_TRUE(Run());
    EXPECT_EQ(s.MidCopyright, "");
    EXPECT_EQ(dialog.copyrightBox, "Copyright \xA9 ");
}

TEST_F(MakeMid, CopyrightOfAFileWhoseFirstChunkIsNotTrackOne) {
    Rest(2, 480);
    MidOptions o;
    o.Copyright = "Mine";
    dialog.Ok(o);
    ASSERT_TRUE(Run());
    s.MultiplePorts = -1; // the port event stands before the copyright
    dialog.Ok(o);
    ASSERT_TRUE(Run());
    dialog.Ok(o);
    ASSERT_TRUE(Run());
    EXPECT_EQ(s.MidCopyright, "");
    // A file too short or not a .MID file at all.
    for (const std::string& bytes : {std::string(), std::string("MThd"), std::string(30, '\0')}) {
        WriteFile(MidPath(), bytes);
        EXPECT_EQ(ReadBackCopyright(MidPath().string()), "");
    }
    // A length running past the end of the file: what is there.
    std::string f(22, 'M');
    f += test::B({0x00, 0xFF, 0x02, 0x81, 0x00}) + "abc";
    WriteFile(MidPath(), f);
    EXPECT_EQ(ReadBackCopyright(MidPath().string()), "abc");
}

TEST_F(MakeMid, TheDialogCaptionFollowsTheMenuMode) {
    BalancedPiece();
    s.MenuMode = "mnuModPlayMid";
    dialog.Ok();
    ASSERT_TRUE(Run());
    EXPECT_EQ(dialog.caption, "Create (Modified) .Mid File");
}

TEST_F(MakeMid, AValueThatDoesNotFitLeavesTheOldFile) {
    BalancedPiece();
    Add(2, code::PROGR, 0, 0); // program 0
    WriteFile(MidPath(), "old");
    dialog.Ok();
    p.msg.AnswerOk();
    EXPECT_FALSE(Run());
    EXPECT_EQ(p.msg.Last().Text, "Track 2, Item 3 (PROGR): the program number 0 (allowed: 1 to "
                                 "128) cannot be written into a .MID file. SONATA.MID has not "
                                 "been changed.");
    EXPECT_EQ(p.msg.Last().Title, std::optional<std::string>(kMakeMidTitle));
    EXPECT_EQ(ReadFile(MidPath()), "old");
    EXPECT_TRUE(OtherFiles().empty());
    EXPECT_EQ(s.MidFileOpen, 0);
    EXPECT_FALSE(p.screen.hourglass);
    EXPECT_EQ(p.screen.status1, "");
}

// A failed run leaves NAME.MID as it was, and says that the earlier one is
// kept only when there is one.
struct EarlierFileRow {
    bool earlier;
    const char* kept; // the end of the message
};
const EarlierFileRow kEarlierFileRows[] = {
    {true, "). The earlier SONATA.MID has been kept."},
    {false, ")."},
};

TEST_F(MakeMid, AFailedWriteKeepsTheOldFile) {
    BalancedPiece();
    for (const EarlierFileRow& row : kEarlierFileRows) {
        SCOPED_TRACE(row.earlier);
        std::filesystem::remove(MidPath());
        if (row.earlier) WriteFile(MidPath(), "old");
        dialog.Ok();
        p.msg.AnswerOk();
        // Files may grow to 100 bytes only while the command runs.
        rlimit before{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = before;
        small.rlim_cur = 100;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool written = Run();
        ::setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_FALSE(written);
        const std::string text = p.msg.Last().Text;
        EXPECT_EQ(text.rfind("SONATA.MID could not be written: error", 0), 0u) << text;
        EXPECT_TRUE(text.ends_with(row.kept)) << text;
        EXPECT_EQ(std::filesystem::exists(MidPath()), row.earlier);
        if (row.earlier) {
            EXPECT_EQ(ReadFile(MidPath()), "old");
        }
        EXPECT_TRUE(OtherFiles().empty());
        EXPECT_EQ(s.MidFileOpen, 0);
        EXPECT_FALSE(p.screen.hourglass);
    }
}

TEST_F(MakeMid, ARunTimeErrorWhileEncodingIsToldAsOneAndKeepsTheOldFile) {
    BalancedPiece();
    WriteFile(MidPath(), "old");
    dialog.onShow = [](Context& cc) { cc.s.WorkBend.ReDimPreserve(1); };
    dialog.Ok();
    p.msg.AnswerOk();
    EXPECT_FALSE(Run());
    EXPECT_EQ(p.msg.Last().Text, ErrorOccuredText(VbError(err::SubscriptOutOfRange)));
    EXPECT_EQ(ReadFile(MidPath()), "old");
    EXPECT_TRUE(OtherFiles().empty());
    EXPECT_EQ(s.MidFileOpen, 0);
}

TEST_F(MakeMid, RunningOutOfMemoryIsReportedAndKeepsTheOldFile) {
    BalancedPiece();
    WriteFile(MidPath(), "old");
    p.msg.AnswerOk();
    EXPECT_FALSE(MakeMidFile(c, dialog, [](Context&) -> bool { throw std::bad_alloc(); }));
    EXPECT_EQ(p.msg.Last().Text,
              "There is not enough memory to make SONATA.MID. The earlier SONATA.MID has been kept.");
    EXPECT_EQ(p.msg.Last().Title, "Make .MID File");
    EXPECT_EQ(ReadFile(MidPath()), "old");
    EXPECT_FALSE(p.screen.hourglass);
}

TEST_F(MakeMid, ATrackTooLongForThirtyTwoBits) {
    for (int i = 0; i < 25; ++i) Rest(2, 99999999);
    p.msg.AnswerOk();
    EXPECT_FALSE(Run());
    EXPECT_EQ(p.msg.Last().Text, "Track 2 is too long to be written into a .MID file");
    EXPECT_EQ(dialog.shown, 0);
}

// From the track files through the real recalculation to the file.
class MakeMidFromTrackFiles : public MidTest {
protected:
    static TrackItemRecord Item(std::string note, std::string octave, std::string dur,
                                std::string adj = "0", std::string dyn = "64",
                                std::string chan = "1") {
        return {note, octave, dur, adj, dyn, "1", chan, "0"};
    }
    ScriptedMidDialog dialog;
};

TEST_F(MakeMidFromTrackFiles, WritesWhatTheTrackFilesHold) {
    WriteTrack(1, {Item("TEMPO", "0", "q", "0", "90"), Item("R", "0", "w", "0", "0")});
    WriteTrack(2, {Item("PROGR", "0", "", "0", "41", "2"), Item("C", "4", "h", "0", "80", "2"),
                   Item("LEGON", "0", "", "0", "0"), Item("E", "4", "q", "0", "80", "2"),
                   Item("G", "4", "q", "0", "80", "2"), Item("LEGOF", "0", "", "0", "0")});
    for (int t = 3; t <= 4; ++t) WriteFile(PieceDir() / TrackFileName(s.PieceTitle, t), "");
    MidOptions o;
    o.Copyright = "(c) Ann";
    o.Title = "Etude";
    dialog.Ok(o);
    ASSERT_TRUE(MakeMidFile(c, dialog));
    const auto csv = test::ExpectReadable(MidPath());
    ASSERT_EQ(csv.Of(1, "Tempo").size(), 1u) << csv.Out;
    ASSERT_EQ(csv.Of(2, "Program_c").size(), 1u) << csv.Out;
    ASSERT_EQ(csv.Of(1, "Text_t").size(), 2u) << csv.Out;
    EXPECT_EQ(csv.Of(1, "Tempo")[0].Fields[0], "666667");
    EXPECT_EQ(csv.Of(2, "Program_c")[0].Fields[1], "40");
    EXPECT_EQ(csv.Of(2, "End_track")[0].Time, 1920);
    EXPECT_EQ(csv.Of(2, "Note_on_c").size(), 6u);
    EXPECT_EQ(csv.Of(1, "Text_t")[0].Fields[0], "\"Etude\"");
}

TEST_F(MakeMidFromTrackFiles, ATempoOfZeroNeverReachesTheFile) {
    WriteTrack(1, {Item("R", "0", "w", "0", "0"), Item("TEMPO", "0", "q", "0", "0")});
    WriteFile(MidPath(), "old");
    dialog.Ok();
    p.msg.AnswerOk();
    EXPECT_FALSE(MakeMidFile(c, dialog));
    // The recalculation refuses it; had it not, the writer would.
    EXPECT_EQ(p.msg.Last().Text, "Error in data on Track 1, Item 2");
    EXPECT_EQ(ReadFile(MidPath()), "old");
    EXPECT_EQ(dialog.answers.size(), 1u);
    dialog.answers.clear();
}

} // namespace
} // namespace tnq
