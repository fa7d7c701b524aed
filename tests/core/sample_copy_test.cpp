// The sample pieces go into the pieces home when it is first made.
#include "core/startup.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tnq {
namespace {

namespace fs = std::filesystem;

TEST(DefaultPath, ANewPiecesHomeGetsTheSamplePieces) {
    test::Program p;
    const fs::path prog = p.sys.programDir;
    // Two of the three samples are in the program directory.
    test::WriteFile(prog / "MINUET.TNQ" / "MINUET.TNQ", "header");
    test::WriteFile(prog / "MINUET.TNQ" / "MINUET02", "records");
    test::WriteFile(prog / "SCARBORO.TNQ" / "SCARBORO.TNQ", "header");
    const fs::path home = fs::path(p.sys.home) / "Tonquill";
    ASSERT_FALSE(fs::exists(home));

    EXPECT_EQ(DefaultPath(p.c), home.string());
    EXPECT_EQ(test::ReadFile(home / "MINUET.TNQ" / "MINUET02"), "records");
    EXPECT_EQ(test::ReadFile(home / "SCARBORO.TNQ" / "SCARBORO.TNQ"), "header");
    EXPECT_FALSE(fs::exists(home / "ODETOJOY.TNQ"));

    // Only when the home is made: a sample the user deleted stays deleted.
    fs::remove_all(home / "MINUET.TNQ");
    EXPECT_EQ(DefaultPath(p.c), home.string());
    EXPECT_FALSE(fs::exists(home / "MINUET.TNQ"));
}

TEST(DefaultPath, APieceOfTheSameNameIsKept) {
    test::Program p;
    const fs::path prog = p.sys.programDir, pieces = p.dir.Path() / "pieces";
    test::WriteFile(prog / "ODETOJOY.TNQ" / "ODETOJOY.TNQ", "sample");
    test::WriteFile(pieces / "ODETOJOY.TNQ" / "ODETOJOY.TNQ", "mine");
    CopySamplePieces(prog.string(), pieces.string());
    EXPECT_EQ(test::ReadFile(pieces / "ODETOJOY.TNQ" / "ODETOJOY.TNQ"), "mine");
    // No program directory at all: nothing happens.
    CopySamplePieces((p.dir.Path() / "missing").string(), pieces.string());
    EXPECT_EQ(test::ReadFile(pieces / "ODETOJOY.TNQ" / "ODETOJOY.TNQ"), "mine");
}

} // namespace
} // namespace tnq
