// File images: an image read in a change is read once for the whole change;
// a change writes only the files whose bytes it changed, and one undone
// leaves the images reading the files as they were; however a change of
// several files ends, it leaves no new file behind.
#include "platform/file_images.h"

#include "platform/record_file.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

namespace tnq {
namespace {

TEST(FileImages, AnImageReadInAChangeIsKeptToItsEndAndReadAgainAfterIt) {
    test::TempDir dir;
    const std::string path = (dir.Path() / "SONG01").string();
    test::WriteFile(path, "aabb");
    FileImages images;
    RecordFile f;
    std::string record;
    images.Begin();
    f.Open(images, path, 2);
    ASSERT_TRUE(f.Read(2, record));
    f.Close();
    test::WriteFile(path, "xxyyzz");
    f.Open(images, path, 2);
    EXPECT_EQ(f.Length(), 4);
    std::string buffer;
    EXPECT_EQ(f.Bytes(buffer), "aabb");
    images.Commit("read");
    EXPECT_EQ(test::ReadFile(path), "xxyyzz");
    f.Open(images, path, 2);
    ASSERT_TRUE(f.Read(3, record));
    EXPECT_EQ(record, "zz");
}

TEST(FileImages, AChangeWritesTheFilesItChangedAndAnUndoneOneReadsThemAsTheyWere) {
    struct Case {
        const char* name;
        long long record;
        const char* text;
        bool undo;
        int written; // files the commit writes
        const char* after;
    } cases[] = {
        {"the same bytes", 1, "aa", false, 0, "aabb"},
        {"other bytes of the same length", 2, "cc", false, 1, "aacc"},
        {"a longer file", 3, "cc", false, 1, "aabbcc"},
        {"undone", 3, "cc", true, 0, "aabb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const std::string path = (dir.Path() / "SONG01").string();
        test::WriteFile(path, "aabb");
        FileImages images;
        int written = 0;
        images.Hooks.Before = [&written](CommitStep step, const std::string&) {
            if (step == CommitStep::WriteFile) ++written;
            return 0;
        };
        RecordFile f;
        f.Open(images, path, 2);
        images.Begin();
        f.Write(c.record, c.text);
        if (c.undo)
            images.Undo();
        else
            images.Commit("write");
        EXPECT_EQ(written, c.written);
        EXPECT_EQ(test::ReadFile(path), c.after);
        std::string buffer;
        EXPECT_EQ(f.Bytes(buffer), c.after);
    }
}

TEST(FileImages, AChangeOfSeveralFilesLeavesNoNewFileHoweverItEnds) {
    enum class End { Commit, Undo, FailAtSecondFile };
    struct Case {
        const char* name;
        End end;
        bool secondChangedBack; // its bytes written back as they were
        const char* second;     // SONG02 afterwards
    } cases[] = {
        {"committed", End::Commit, false, "ccbb"},
        {"one file changed back", End::Commit, true, "aabb"},
        {"undone", End::Undo, false, "aabb"},
        {"a commit that fails", End::FailAtSecondFile, false, "aabb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        std::vector<std::string> paths;
        for (int i = 1; i <= 3; ++i) {
            paths.push_back((dir.Path() / ("SONG0" + std::to_string(i))).string());
            test::WriteFile(paths.back(), "aabb");
        }
        FileImages images([](const std::string& name) { return name.rfind("SONG", 0) == 0; });
        int files = 0;
        images.Hooks.Before = [&](CommitStep step, const std::string&) {
            return step == CommitStep::WriteFile && ++files == 2 && c.end == End::FailAtSecondFile
                           ? ENOSPC
                           : 0;
        };
        images.Begin();
        std::vector<RecordFile> handles(3);
        for (std::size_t i = 0; i < 3; ++i) {
            handles[i].Open(images, paths[i], 2);
            handles[i].Write(1, "cc");
        }
        if (c.secondChangedBack) handles[1].Write(1, "aa");
        if (c.end == End::Undo)
            images.Undo();
        else if (c.end == End::FailAtSecondFile)
            EXPECT_THROW(images.Commit("write"), VbError);
        else
            images.Commit("write");
        EXPECT_EQ(test::ReadFile(paths[1]), c.second);
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"SONG01", "SONG02", "SONG03"}));
    }
}

} // namespace
} // namespace tnq
