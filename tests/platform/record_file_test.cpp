// Record files: a file is created by its first write, never by opening or
// reading it.
#include "platform/record_file.h"

#include "platform/vb.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tnq {
namespace {

namespace fs = std::filesystem;

TEST(RecordFile, AMissingFileReadsEmptyAndIsCreatedByTheFirstWrite) {
    test::TempDir dir;
    const fs::path path = dir.Path() / "SONG02";
    FileImages images;
    RecordFile f;
    f.Open(images, path.string(), 4);
    EXPECT_TRUE(f.IsOpen());
    EXPECT_EQ(f.Path(), path.string());
    EXPECT_EQ(f.Length(), 0);
    std::string record = "x";
    EXPECT_FALSE(f.Read(1, record));
    EXPECT_EQ(record, "");
    EXPECT_FALSE(fs::exists(path));

    f.Write(2, "ab");
    EXPECT_EQ(f.Length(), 8);
    EXPECT_TRUE(f.Read(2, record));
    EXPECT_EQ(record, "ab  ");
    EXPECT_EQ(test::ReadFile(path), std::string(4, '\0') + "ab  ");
    // Records written together are one change, committed once.
    int written = 0;
    images.Hooks.Before = [&written](CommitStep step, const std::string&) {
        if (step == CommitStep::WriteFile) ++written;
        return 0;
    };
    f.WriteRecords(2, "cdefg");
    EXPECT_EQ(written, 1);
    images.Hooks.Before = nullptr;
    EXPECT_EQ(f.Record(3), "g   ");
    EXPECT_EQ(test::ReadFile(path), std::string(4, '\0') + "cdefg   ");
    f.Close();
    EXPECT_FALSE(f.IsOpen());

    // An existing file is opened as it is.
    f.Open(images, path.string(), 4);
    EXPECT_EQ(f.Length(), 12);

    // A missing directory is an error at once, a closed file at every use.
    try {
        f.Open(images, (dir.Path() / "NONE" / "SONG02").string(), 4);
        FAIL() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), err::PathNotFound);
    }
    EXPECT_FALSE(f.IsOpen());
    EXPECT_THROW(f.Length(), VbError);
    EXPECT_THROW(f.Read(1, record), VbError);
    EXPECT_THROW(f.Write(1, "x"), VbError);
    EXPECT_FALSE(fs::exists(dir.Path() / "NONE"));
}

TEST(RecordFile, EverySpellingOfAPathSharesOneImage) {
    test::TempDir dir;
    const std::string d = dir.Path().string();
    fs::create_directory(dir.Path() / "X");
    FileImages images;
    RecordFile a, b;
    a.Open(images, d + "/SONG02", 4);
    a.Write(1, "ab");
    for (const std::string& other : {d + "//SONG02", d + "/./SONG02", d + "/X/../SONG02"}) {
        b.Open(images, other, 4);
        std::string record;
        EXPECT_TRUE(b.Read(1, record)) << other;
        EXPECT_EQ(record, "ab  ") << other;
    }
}

} // namespace
} // namespace tnq
