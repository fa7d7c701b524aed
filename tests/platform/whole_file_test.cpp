// Whole files: lines read in pieces are the lines of the whole text.
#include "platform/whole_file.h"

#include "platform/vb.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

namespace tnq {
namespace {

std::vector<std::string> LinesOf(std::string_view text) {
    std::vector<std::string> lines;
    ForEachLine(text, true, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

TEST(WholeFile, LinesReadInPiecesAreTheLinesOfTheWholeText) {
    EXPECT_EQ(LinesOf("a\r\rb\r\n\nc"), (std::vector<std::string>{"a", "", "b", "", "c"}));
    EXPECT_EQ(LinesOf("a\r"), std::vector<std::string>{"a"});
    EXPECT_TRUE(LinesOf("").empty());

    // Line ends on either side of where a read may stop, and lines longer
    // than any read.
    std::vector<std::string> texts = {"\r\n", "a\n\r\nb"};
    for (const std::size_t at : {65535, 65536, 131071, 262143, 262144, 1 << 20}) {
        const std::string x(at - 1, 'x');
        texts.push_back(x + "\r\ny\r\n");
        texts.push_back(x + "\ry");
        texts.push_back(x + "\n\r\ny\n");
        texts.push_back(x + "y\r\n\r");
    }
    test::TempDir dir;
    const std::string path = (dir.Path() / "LINES").string();
    for (const std::string& text : texts) {
        test::WriteFile(path, text);
        std::vector<std::string> read;
        ReadLines(path, [&read](std::string_view line) { read.emplace_back(line); });
        EXPECT_EQ(read, LinesOf(text)) << text.size();
    }
}

TEST(WholeFile, HoldsComparesTheFileWithPiecesByteForByte) {
    test::TempDir dir;
    const std::string path = (dir.Path() / "TRACK").string();
    std::string buffer;
    EXPECT_TRUE(FileHolds(path, {}, buffer));
    EXPECT_TRUE(FileHolds(path, {"", ""}, buffer));
    EXPECT_FALSE(FileHolds(path, {"a"}, buffer));
    EXPECT_FALSE(FileHolds(dir.Path().string(), {}, buffer));
    // Files longer than one read, differing at either end or in length.
    const std::string big(200000, 'x');
    const std::string_view b(big);
    const struct {
        std::string File;
        std::vector<std::string_view> Pieces;
        bool Holds;
    } cases[] = {
        {"abcdef", {"ab", "", "cdef"}, true},
        {"abcdef", {"abc", "dex"}, false},
        {"abcdef", {"abcde"}, false},
        {"abcdef", {"abcdef", "g"}, false},
        {big, {b.substr(0, 70001), b.substr(70001)}, true},
        {big + "y", {big, "x"}, false},
        {"y" + big, {"x", big}, false},
    };
    for (const auto& c : cases) {
        test::WriteFile(path, c.File);
        EXPECT_EQ(FileHolds(path, c.Pieces, buffer), c.Holds) << c.File.substr(0, 10);
    }
}

TEST(WholeFile, AReplacementWritesThroughLinksSoALinkStaysALink) {
    namespace fs = std::filesystem;
    // LINK in a, the file it names in b; "@" stands for the temporary directory.
    const struct {
        std::vector<std::pair<std::string, std::string>> Links; // link, what it names
        std::string Named;
        Beside Way;
    } cases[] = {
        {{{"a/LINK", "../b/FILE"}}, "b/FILE", Beside::FixedName},
        {{{"a/LINK", "@/b/FILE"}}, "b/FILE", Beside::UniqueName},
        {{{"a/LINK", "MID"}, {"a/MID", "@/b/FILE"}}, "b/FILE", Beside::FixedName},
        {{{"a/LINK", "../b/NEW"}}, "b/NEW", Beside::UniqueName},
    };
    for (const auto& c : cases) {
        test::TempDir d;
        test::WriteFile(d.Path() / "b/FILE", "old");
        fs::create_directory(d.Path() / "a");
        for (const auto& [link, to] : c.Links)
            fs::create_symlink(to[0] == '@' ? d.Str() + to.substr(1) : to, d.Path() / link);
        ReplaceWholeFile((d.Path() / "a/LINK").string(), "new", c.Way);
        EXPECT_TRUE(fs::is_symlink(d.Path() / "a/LINK")) << c.Named;
        EXPECT_EQ(test::ReadFile(d.Path() / c.Named), "new") << c.Named;
        const auto entries = [](const fs::path& dir) {
            return std::distance(fs::directory_iterator(dir), fs::directory_iterator());
        };
        EXPECT_EQ(entries(d.Path() / "a"), static_cast<long>(c.Links.size())) << c.Named;
        EXPECT_EQ(entries(d.Path() / "b"), c.Named == "b/FILE" ? 1 : 2) << c.Named;
    }
    // A link that names itself is refused as the system refuses it.
    test::TempDir d;
    fs::create_symlink("LOOP", d.Path() / "LOOP");
    EXPECT_THROW(ReplaceWholeFile((d.Path() / "LOOP").string(), "new"), VbError);
    EXPECT_TRUE(fs::is_symlink(d.Path() / "LOOP"));
}

} // namespace
} // namespace tnq
