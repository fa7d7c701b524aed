// Files made ahead on a thread: each one asked for is there after Finish,
// also in a process forked while the thread ran.
#include "platform/file_maker.h"

#include "support/fakes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace tnq {
namespace {

namespace fs = std::filesystem;

TEST(FileMaker, MakesTheFilesAskedForAlsoInAProcessForkedMeanwhile) {
    test::TempDir dir;
    const auto at = [&dir](const char* name) { return (dir.Path() / name).string(); };
    test::WriteFile(at("KEPT"), "bytes");
    FileMaker maker;
    maker.Make(at("A"));
    maker.Make(at("KEPT"));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        maker.Make(at("C"));
        maker.Finish();
        ::_exit(fs::exists(at("C")) ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    maker.Finish();
    EXPECT_TRUE(fs::exists(at("A")));
    EXPECT_EQ(test::ReadFile(at("KEPT")), "bytes");
    EXPECT_EQ(maker.Asked(), (std::vector<std::string>{at("A"), at("KEPT")}));
}

} // namespace
} // namespace tnq
