// Several files replaced all or nothing: a failure or a stop at every step
// of a commit leaves each file before or after, and the next recovery
// finishes or undoes the change and leaves no temporary file.
#include "platform/file_commit.h"

#include "support/fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace tnq {
namespace {

namespace fs = std::filesystem;

struct Files {
    test::TempDir dir;
    std::vector<std::string> paths, before, after;

    Files() {
        for (int i = 1; i <= 3; ++i) {
            paths.push_back((dir.Path() / ("SONG0" + std::to_string(i))).string());
            before.push_back("old " + std::to_string(i));
            after.push_back("new contents " + std::to_string(i));
        }
        // The third file is new.
        for (int i = 0; i < 2; ++i) test::WriteFile(paths[i], before[i]);
        before[2] = "";
    }
    std::vector<NewFile> Change() const {
        std::vector<NewFile> out;
        for (std::size_t i = 0; i < paths.size(); ++i) out.push_back({paths[i], {after[i]}});
        return out;
    }
    std::string Now(std::size_t i) const {
        return fs::exists(paths[i]) ? test::ReadFile(paths[i]) : "";
    }
    bool AllAre(const std::vector<std::string>& want) const {
        for (std::size_t i = 0; i < paths.size(); ++i)
            if (Now(i) != want[i]) return false;
        return true;
    }
    // Names in the directory other than the three files.
    std::vector<std::string> Others() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(dir.Path())) {
            const std::string name = e.path().filename().string();
            if (name.rfind("SONG0", 0) != 0 || name.size() != 6) out.push_back(name);
        }
        return out;
    }
};

// The files the program writes in the directory.
bool SongNames(const std::string& name) {
    return name.rfind("SONG", 0) == 0;
}

// The steps a three-file commit takes, in order.
const std::vector<std::pair<CommitStep, int>> kSteps = {
    {CommitStep::WriteJournal, 0}, {CommitStep::WriteFile, 0},     {CommitStep::WriteFile, 1},
    {CommitStep::WriteFile, 2},    {CommitStep::MarkCommitted, 0}, {CommitStep::Rename, 0},
    {CommitStep::Rename, 1},       {CommitStep::Rename, 2},        {CommitStep::RemoveJournal, 0},
};

// Hooks that act at the n-th step (from 0).
CommitHooks AtStep(std::size_t n, std::function<int()> act) {
    auto seen = std::make_shared<std::size_t>(0);
    return {[seen, n, act](CommitStep, const std::string&) { return (*seen)++ == n ? act() : 0; }};
}

TEST(CommitFiles, AFailureBeforeTheCommitPointLeavesEveryFileAsBeforeAndNoTemporaryFile) {
    for (std::size_t n = 0; n < 5; ++n) {
        for (const int e : {ENOSPC, EACCES}) {
            Files f;
            try {
                CommitFiles(f.Change(), "Copy a Section", AtStep(n, [e] { return e; }));
                ADD_FAILURE() << "step " << n << ": no error";
            } catch (const VbError& err) {
                EXPECT_EQ(err.Number(), e == ENOSPC ? err::DiskFull : err::PermissionDenied);
                EXPECT_FALSE(err.Where().empty());
            }
            EXPECT_TRUE(f.AllAre(f.before)) << "step " << n;
            EXPECT_TRUE(f.Others().empty()) << "step " << n << ": " << f.Others().front();
        }
    }
}

TEST(CommitFiles, AProgramStoppedAtAnyStepIsFinishedOrUndoneByTheNextRecovery) {
    for (std::size_t n = 0; n <= kSteps.size(); ++n) {
        Files f;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            CommitFiles(f.Change(), "Copy a Section", AtStep(n, [] {
                            ::_exit(9);
                            return 0;
                        }));
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));

        // Before the journal: nothing to do; pending: undone; after the
        // switch to committed: finished; a whole commit: nothing to do.
        using O = Recovery::Outcome;
        const O want = n == 0 || n == kSteps.size() ? O::Nothing : n <= 4 ? O::Undone : O::Completed;
        const Recovery r = RecoverDirectory(f.dir.Path().string(), SongNames);
        EXPECT_EQ(r.What, want) << "step " << n;
        if (want != O::Nothing) {
            EXPECT_EQ(r.Change, "Copy a Section");
        }
        EXPECT_TRUE(f.AllAre(n <= 4 ? f.before : f.after)) << "step " << n;
        EXPECT_TRUE(f.Others().empty()) << "step " << n << ": " << f.Others().front();
    }
}

TEST(CommitFiles, OneFileIsReplacedWithoutAJournalAndAStrayTemporaryFileIsRemoved) {
    Files f;
    CommitFiles({{f.paths[0], {"a", "", "bc"}}}, "Accept Item");
    EXPECT_EQ(f.Now(0), "abc");
    EXPECT_TRUE(f.Others().empty());

    // What a replacement or a Save cut short leaves, and files of others.
    for (const char* name : {".SONG01.tnq-new", ".SONG.TNQ.tnq-new", "..tnq-change.tnq-new",
                             ".SONG.TNQ.tnq-Ab12Z9", "notes.MID.tmp", "Take 2.MID.tmp7",
                             ".notes.tnq-new", ".hidden", "SONG.MID"})
        test::WriteFile(f.dir.Path() / name, "x");
    EXPECT_EQ(RecoverDirectory(f.dir.Path().string(), SongNames).What, Recovery::Outcome::Nothing);
    std::vector<std::string> left = f.Others();
    std::sort(left.begin(), left.end());
    // Only the program's own temporary names go; files of the user's stay.
    EXPECT_EQ(left, (std::vector<std::string>{".SONG.TNQ.tnq-Ab12Z9", ".hidden", ".notes.tnq-new",
                                              "SONG.MID", "Take 2.MID.tmp7", "notes.MID.tmp"}));
}

} // namespace
} // namespace tnq
