// Two copies of the program on one piece: the second copy, this test binary
// run again as a child, holds a piece open; the main window cannot open,
// reopen from the File menu or make anew a piece it holds, until it is killed.
#include "core/piece_commands.h"
#include "core/piece_lock.h"
#include "entry/ui/entry_window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

namespace tnq {
namespace {

namespace fs = std::filesystem;

// The piece the second copy opens, and what it says once it holds it.
constexpr const char* kHeldPiece = "TNQ_TEST_HELD_PIECE";
constexpr const char* kHolding = "holding the piece open";

// The second copy: opens the piece and keeps it open until it is killed (or
// its input ends). Passed over in a test run of its own.
TEST(SecondCopy, HoldsThePieceOpen) {
    const char* path = std::getenv(kHeldPiece);
    if (path == nullptr) GTEST_SKIP() << "the second copy of the two-copies road test";
    test::Program p;
    ASSERT_TRUE(OpenPieceFile(p.c, path));
    std::cout << kHolding << std::endl;
    std::string line;
    std::getline(std::cin, line);
}

class TwoCopies : public test::EntryWindowBase {
protected:
    void TearDown() override {
        second_.kill();
        second_.waitForFinished();
    }
    // The second copy started on the piece at path: what it wrote once it
    // holds the piece, or by the time it ended.
    std::string StartSecondCopy(const std::string& path) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kHeldPiece, QString::fromStdString(path));
        // The files it makes go with this test's, although it is killed.
        const fs::path tmp = p.dir.Path() / "second";
        fs::create_directories(tmp);
        env.insert("TMPDIR", QString::fromStdString(tmp.string()));
        second_.setProcessEnvironment(env);
        second_.setProcessChannelMode(QProcess::MergedChannels);
        second_.start(QCoreApplication::applicationFilePath(),
                      {"--gtest_filter=SecondCopy.HoldsThePieceOpen"});
        EXPECT_TRUE(second_.waitForStarted());
        QByteArray out;
        while (!out.contains(kHolding) && second_.waitForReadyRead(60000)) out += second_.readAll();
        out += second_.readAll();
        return out.toStdString();
    }
    void Open(const std::string& path) {
        OpenMenu(w, "mnuFile");
        p.files.Choose(path);
        Choose(w, "mnuFilOpen");
    }
    // The box of a refusal, and the piece on the screen as it was.
    void ExpectRefused(const char* title, const std::vector<TrackItemRecord>& track2) {
        EXPECT_EQ(p.msg.Last().Text, OpenElsewhereText("MINUET"));
        EXPECT_EQ(p.msg.Last().Title, title);
        EXPECT_EQ(p.s.PieceTitle, "ODETOJOY");
        EXPECT_EQ(w.lblTitle->text(), "ODETOJOY");
        EXPECT_EQ(p.s.PieceOpen, 1);
        EXPECT_EQ(TrackRecords(2), track2);
        EXPECT_EQ(Count(2), static_cast<Integer>(track2.size()));
    }

    QProcess second_;
};

TEST_F(TwoCopies, APieceTheOtherCopyHoldsIsRefusedUntilItIsKilled) {
    Load();
    OpenSample("MINUET");
    const std::string minuet = p.s.PiecePath;
    OpenSample("ODETOJOY");
    const std::vector<TrackItemRecord> track2 = TrackRecords(2);
    const std::string said = StartSecondCopy(minuet);
    ASSERT_NE(said.find(kHolding), std::string::npos) << said;

    p.msg.AnswerOk();
    Open(minuet);
    ExpectRefused("Open File", track2);

    OpenMenu(w, "mnuFile");
    ASSERT_EQ(w.Caption("mnuFileArray(2)"), minuet);
    p.msg.AnswerOk();
    Choose(w, "mnuFileArray(2)");
    ExpectRefused("Open File", track2);

    // New with the title asks again, and is cancelled.
    OpenMenu(w, "mnuFile");
    p.msg.AnswerInput("Minuet");
    p.msg.AnswerOk();
    p.msg.AnswerInput("");
    Choose(w, "mnuFilNew");
    p.msg.shown.pop_back();
    ExpectRefused("Create New File", track2);

    // A killed copy leaves no lock behind.
    second_.kill();
    ASSERT_TRUE(second_.waitForFinished());
    Open(minuet);
    EXPECT_EQ(p.s.PieceTitle, "MINUET");
    // This copy opens the piece it holds again.
    Open(minuet);
    EXPECT_EQ(p.s.PieceTitle, "MINUET");
    // Now the other copy is refused.
    const std::string refused = StartSecondCopy(minuet);
    EXPECT_EQ(refused.find(kHolding), std::string::npos) << refused;
    EXPECT_NE(refused.find(OpenElsewhereText("MINUET")), std::string::npos) << refused;
    second_.waitForFinished();
    EXPECT_EQ(second_.state(), QProcess::NotRunning);
    EXPECT_NE(second_.exitCode(), 0);
}

} // namespace
} // namespace tnq
