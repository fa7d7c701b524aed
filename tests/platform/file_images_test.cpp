// File images: an image read in a change is read once for the whole change;
// a change writes only the files whose bytes it changed, and one undone
// leaves the images reading the files as they were.
#include "platform/file_images.h"

#include "platform/record_file.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace tnq
