// Starting real programs: arguments arrive whole, a program
// that is missing is reported, and a program that runs is not waited for.
#include "platform/ui/qt_launcher.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace tnq {
namespace {

namespace fs = std::filesystem;

class QtLauncherTest : public ::testing::Test {
protected:
    // An executable script in a directory whose name holds a blank.
    fs::path Script(const std::string& name, const std::string& body) {
        const fs::path file = dir.Path() / "my programs" / name;
        test::WriteFile(file, "#!/bin/sh\n" + body);
        fs::permissions(file, fs::perms::owner_all);
        return file;
    }
    // Waits up to 10 s for a file to appear with contents.
    std::string WaitFor(const fs::path& file) {
        for (int i = 0; i < 1000; ++i) {
            const std::string text = test::ReadFile(file);
            if (!text.empty() && text.back() == '\n') return text;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return "";
    }
    test::TempDir dir;
    QtLauncher launcher;
};

TEST_F(QtLauncherTest, EveryArgumentArrivesWhole) {
    const fs::path out = dir.Path() / "args.txt";
    const fs::path script =
        Script("show args", "for a in \"$@\"; do echo \"[$a]\"; done > '" + out.string() + ".tmp'\n"
                            "mv '" + out.string() + ".tmp' '" + out.string() + "'\n");
    const std::string mid = (dir.Path() / "my pieces" / "MY SONG.TNQ" / "MY SONG.MID").string();
    ASSERT_TRUE(launcher.Start(script.string(), {mid}));
    EXPECT_EQ(WaitFor(out), "[" + mid + "]\n");
}

TEST_F(QtLauncherTest, AProgramThatCannotBeStarted) {
    EXPECT_FALSE(launcher.Start((dir.Path() / "no such program").string(), {"x"}));
    EXPECT_FALSE(launcher.Start("", {}));
    const fs::path notExecutable = dir.Path() / "plain file";
    test::WriteFile(notExecutable, "text");
    EXPECT_FALSE(launcher.Start(notExecutable.string(), {}));
}

TEST_F(QtLauncherTest, ARunningProgramIsNotWaitedFor) {
    const fs::path out = dir.Path() / "done.txt";
    const fs::path script = Script("slow", "sleep 2\necho done > '" + out.string() + "'\n");
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(launcher.Start(script.string(), {}));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(WaitFor(out), "done\n");
}

} // namespace
} // namespace tnq
