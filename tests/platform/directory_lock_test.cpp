// Directory locks: one holder at a time, by any name of the directory, for as
// long as one of its holds lasts.
#include "platform/directory_lock.h"

#include "support/fakes.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tnq {
namespace {

namespace fs = std::filesystem;
using Outcome = DirectoryLock::Outcome;

TEST(DirectoryLock, OneHolderAtATimeUntilEveryHoldIsReleased) {
    test::TempDir d;
    const fs::path dir = d.Path() / "SONG.TNQ";
    fs::create_directories(dir);
    fs::create_directory_symlink(dir, d.Path() / "other");

    DirectoryLock first, second;
    ASSERT_EQ(first.Take(dir.string()), Outcome::Taken);
    EXPECT_TRUE(first.Holds((d.Path() / "other").string())) << "another name, the same directory";
    EXPECT_FALSE(first.Holds(d.Path().string()));
    EXPECT_EQ(second.Take((d.Path() / "other").string()), Outcome::HeldElsewhere);
    EXPECT_FALSE(second.IsHeld());

    DirectoryLock shared = first.Share();
    first.Release();
    EXPECT_EQ(second.Take(dir.string()), Outcome::HeldElsewhere) << "the shared hold lasts";
    shared = DirectoryLock();
    EXPECT_EQ(second.Take(dir.string()), Outcome::Taken);

    EXPECT_EQ(first.Take((d.Path() / "gone").string()), Outcome::NotLockable);
    EXPECT_FALSE(first.Share().IsHeld());
}

} // namespace
} // namespace tnq
