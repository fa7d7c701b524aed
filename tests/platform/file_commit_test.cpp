// Several files replaced all or nothing: a failure or a stop at every step
// of a commit leaves each file before or after, and the next recovery
// finishes or undoes the change and leaves no temporary file.
#include "platform/file_commit.h"

#include "support/fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <sys/stat.h>
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

// The steps a three-file commit takes, in order: every new file and the
// committed journal on the disk before the commit point (MarkCommitted), the
// directory flushed after it and after the renames.
const std::vector<std::pair<CommitStep, int>> kSteps = {
    {CommitStep::WriteJournal, 0},  {CommitStep::WriteFile, 0},     {CommitStep::WriteFile, 1},
    {CommitStep::WriteFile, 2},     {CommitStep::SyncFile, 0},      {CommitStep::SyncFile, 1},
    {CommitStep::SyncFile, 2},      {CommitStep::SyncJournal, 0},   {CommitStep::MarkCommitted, 0},
    {CommitStep::SyncDirectory, 0}, {CommitStep::Rename, 0},        {CommitStep::Rename, 1},
    {CommitStep::Rename, 2},        {CommitStep::SyncDirectory, 0}, {CommitStep::RemoveJournal, 0},
};
constexpr std::size_t kCommitPoint = 8;

TEST(CommitFiles, TakesItsStepsInOrderEachOnItsFile) {
    Files f;
    std::vector<std::pair<CommitStep, std::string>> seen;
    CommitFiles(f.Change(), "Copy a Section", SongNames,
                {[&](CommitStep step, const std::string& path) {
                    seen.emplace_back(step, path);
                    return 0;
                }});
    ASSERT_EQ(seen.size(), kSteps.size());
    const std::string journal = (f.dir.Path() / ".tnq-change").string();
    for (std::size_t i = 0; i < kSteps.size(); ++i) {
        const auto [step, file] = kSteps[i];
        const bool onFile = step == CommitStep::WriteFile || step == CommitStep::SyncFile ||
                            step == CommitStep::Rename;
        const std::string want = onFile ? f.paths[static_cast<std::size_t>(file)]
                                 : step == CommitStep::SyncDirectory ? f.dir.Path().string()
                                                                     : journal;
        EXPECT_EQ(seen[i], std::make_pair(step, want)) << "step " << i;
    }
    EXPECT_TRUE(f.AllAre(f.after));
}

// Hooks that act at the n-th step (from 0).
CommitHooks AtStep(std::size_t n, std::function<int()> act) {
    auto seen = std::make_shared<std::size_t>(0);
    return {[seen, n, act](CommitStep, const std::string&) { return (*seen)++ == n ? act() : 0; }};
}

TEST(CommitFiles, AFailureBeforeTheCommitPointLeavesEveryFileAsBeforeAndNoTemporaryFile) {
    for (std::size_t n = 0; n <= kCommitPoint; ++n) {
        for (const int e : {ENOSPC, EACCES, EIO}) {
            Files f;
            try {
                CommitFiles(f.Change(), "Copy a Section", SongNames, AtStep(n, [e] { return e; }));
                ADD_FAILURE() << "step " << n << ": no error";
            } catch (const VbError& err) {
                EXPECT_EQ(err.Number(), e == ENOSPC   ? err::DiskFull
                                        : e == EACCES ? err::PermissionDenied
                                                      : err::DeviceIOError);
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
            CommitFiles(f.Change(), "Copy a Section", SongNames, AtStep(n, [] {
                            ::_exit(9);
                            return 0;
                        }));
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));

        // Before the journal: nothing to do; pending: undone; after the
        // switch to committed: finished; every file renamed: nothing to do.
        using O = Recovery::Outcome;
        const O want = n == 0                  ? O::Nothing
                       : n <= kCommitPoint     ? O::Undone
                       : n <= kCommitPoint + 4 ? O::Completed
                                               : O::Nothing;
        const Recovery r = RecoverDirectory(f.dir.Path().string(), SongNames);
        EXPECT_EQ(r.What, want) << "step " << n;
        if (want != O::Nothing) {
            EXPECT_EQ(r.Change, "Copy a Section");
        }
        EXPECT_TRUE(f.AllAre(n <= kCommitPoint ? f.before : f.after)) << "step " << n;
        EXPECT_TRUE(f.Others().empty()) << "step " << n << ": " << f.Others().front();
    }
}

// Killed after renaming its first file, the commit is finished the same in
// a copy of the directory (inode numbers and times not kept) as in place.
TEST(CommitFiles, ACopyOfADirectoryCutShortRecoversAsTheOriginal) {
    Files f;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CommitFiles(f.Change(), "Apply Staccato", SongNames, AtStep(kCommitPoint + 3, [] {
                        ::_exit(9);
                        return 0;
                    }));
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    test::TempDir other;
    const fs::path copy = other.Path() / "SONG.TNQ";
    fs::copy(f.dir.Path(), copy, fs::copy_options::recursive);
    EXPECT_EQ(RecoverDirectory(copy.string(), SongNames).What, Recovery::Outcome::Completed);
    for (std::size_t i = 0; i < f.paths.size(); ++i)
        EXPECT_EQ(test::ReadFile(copy / fs::path(f.paths[i]).filename()), f.after[i]) << i;
    EXPECT_EQ(std::distance(fs::directory_iterator(copy), fs::directory_iterator()), 3);
}

// A track file that is a link to a file elsewhere is not replaced by a
// plain file: the change is refused before anything is written.
TEST(CommitFiles, ASymbolicLinkAmongTheTargetsRefusesTheChange) {
    Files f;
    test::TempDir elsewhere;
    const fs::path real = elsewhere.Path() / "kept";
    test::WriteFile(real, "linked");
    fs::remove(f.paths[1]);
    fs::create_symlink(real, f.paths[1]);
    try {
        CommitFiles(f.Change(), "Apply Staccato", SongNames);
        ADD_FAILURE() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), err::PathFileAccessError);
        EXPECT_EQ(e.Where(), f.paths[1] + " is a symbolic link");
    }
    EXPECT_TRUE(fs::is_symlink(f.paths[1]));
    EXPECT_EQ(test::ReadFile(real), "linked");
    EXPECT_EQ(f.Now(0), f.before[0]);
    EXPECT_TRUE(f.Others().empty());
}

TEST(CommitFiles, OneFileIsReplacedWithoutAJournalAndAStrayTemporaryFileIsRemoved) {
    Files f;
    CommitFiles({{f.paths[0], {"a", "", "bc"}}}, "Accept Item", SongNames);
    EXPECT_EQ(f.Now(0), "abc");
    EXPECT_TRUE(f.Others().empty());

    // What a replacement or a Save cut short leaves, and files of others.
    for (const char* name :
         {".SONG01.tnq-new", ".SONG.TNQ.tnq-new", "..tnq-change.tnq-new", ".SONG.TNQ.tnq-Ab12Z9",
          "notes.MID.tmp", "Take 2.MID.tmp7", ".notes.tnq-new", ".hidden", "SONG.MID"})
        test::WriteFile(f.dir.Path() / name, "x");
    EXPECT_EQ(RecoverDirectory(f.dir.Path().string(), SongNames).What, Recovery::Outcome::Nothing);
    std::vector<std::string> left = f.Others();
    std::sort(left.begin(), left.end());
    // Only the program's own temporary names go; files of the user's stay.
    EXPECT_EQ(left, (std::vector<std::string>{".SONG.TNQ.tnq-Ab12Z9", ".hidden", ".notes.tnq-new",
                                              "SONG.MID", "Take 2.MID.tmp7", "notes.MID.tmp"}));
}

// A rename refused past the commit point is tried again at once; one still
// refused leaves the change for recovery, and the next commit finishes it
// first or fails with nothing of its own written: never a torn change.
TEST(CommitFiles, AChangeLeftUnfinishedIsFinishedBeforeTheNextOneIsWritten) {
    // SONG02's rename refused once (finished at once), twice (finished by
    // the next change), or for good (the next change fails).
    for (const int refusals : {1, 2, 100}) {
        SCOPED_TRACE(refusals);
        Files f;
        int left = refusals;
        const CommitHooks hooks{[&](CommitStep step, const std::string& path) {
            return step == CommitStep::Rename && path == f.paths[1] && left-- > 0 ? EIO : 0;
        }};
        const std::vector<NewFile> next{{f.paths[0], {"next 1"}}, {f.paths[2], {"next 3"}}};
        try {
            CommitFiles(f.Change(), "Apply Staccato", SongNames, hooks);
            EXPECT_EQ(refusals, 1);
        } catch (const CommitUnfinished&) {
            EXPECT_NE(refusals, 1);
        }
        if (refusals < 100) {
            CommitFiles(next, "Copy a Section", SongNames, hooks);
            EXPECT_TRUE(f.AllAre({"next 1", f.after[1], "next 3"}));
        } else {
            EXPECT_THROW(CommitFiles(next, "Copy a Section", SongNames, hooks), VbError);
            EXPECT_EQ(RecoverDirectory(f.dir.Path().string(), SongNames).What,
                      Recovery::Outcome::Completed);
            EXPECT_TRUE(f.AllAre(f.after));
        }
        EXPECT_TRUE(f.Others().empty());
    }
}

// Only a journal as the program writes it is trusted: anything else at its
// name is refused at once, by recovery and by a commit alike, with nothing
// renamed or removed; a pending one is undone whatever it holds.
TEST(RecoverDirectory, RefusesAJournalItDidNotWriteAndChangesNothing) {
    enum Kind { Text, Directory, Fifo, LinkToZero };
    const std::string committed = "tonquill change\ncommitted\nApply Staccato\n", nul(1, '\0');
    const struct {
        Kind kind;
        std::string text;
        const char* why; // "" for a journal undone
    } cases[] = {
        {Text, committed + "file .notes\nend\n",
         "names a file that is not one of the piece's in line 4"},
        {Text, committed + "file SONG01" + nul + "\nend\n", "holds a control character in line 4"},
        {Text, committed + "file SONG01\nfile SONG01\nend\n", "names the file SONG01 twice"},
        {Text, committed + "file SONG01\nend\nx", "holds more after its end line"},
        {Text, committed + std::string(kJournalMost, 'x'),
         "is larger than any journal of the program"},
        {Directory, "", "is a directory"},
        {Fifo, "", "is a FIFO"},
        {LinkToZero, "", "is a symbolic link"},
        {Text, "tonquill change\npending\nx\nfile SONG01" + nul + "\nend\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        Files f;
        const std::string dir = f.dir.Path().string(), journal = dir + "/.tnq-change";
        test::WriteFile(f.dir.Path() / ".SONG01", "the user's");
        test::WriteFile(f.dir.Path() / ".SONG01.tnq-new", "left");
        if (c.kind == Text) test::WriteFile(journal, c.text);
        if (c.kind == Directory) fs::create_directory(journal);
        if (c.kind == Fifo) ::mkfifo(journal.c_str(), 0644);
        if (c.kind == LinkToZero) fs::create_symlink("/dev/zero", journal);
        if (std::string(c.why).empty()) {
            EXPECT_TRUE(JournalIn(dir, SongNames));
            EXPECT_EQ(RecoverDirectory(dir, SongNames).What, Recovery::Outcome::Undone);
            EXPECT_EQ(f.Others(), std::vector<std::string>{".SONG01"});
            continue;
        }
        const auto start = std::chrono::steady_clock::now();
        const std::vector<std::string> others = f.Others();
        EXPECT_FALSE(JournalIn(dir, SongNames));
        RemoveStrayTemporaryFiles(dir, SongNames);
        for (const bool commit : {false, true}) {
            try {
                if (commit)
                    CommitFiles(f.Change(), "Copy a Section", SongNames);
                else
                    RecoverDirectory(dir, SongNames);
                ADD_FAILURE() << "not refused";
            } catch (const JournalRefused& e) {
                EXPECT_EQ(e.Journal(), journal);
                EXPECT_EQ(e.Why(), c.why);
            }
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_EQ(f.Others(), others);
        EXPECT_EQ(test::ReadFile(f.dir.Path() / ".SONG01.tnq-new"), "left");
        EXPECT_TRUE(f.AllAre(f.before));
    }
}

} // namespace
} // namespace tnq
