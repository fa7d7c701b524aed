// Whole files: lines read in pieces are the lines of the whole text.
#include "platform/whole_file.h"

#include "support/fakes.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace tnq
