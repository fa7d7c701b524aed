// The help document search.
#include "platform/help_file.h"

#include <gtest/gtest.h>

#include <set>

namespace tnq {
namespace {

TEST(HelpFileFound, SearchesTheProgramDirectoryThenThePath) {
    struct Case {
        const char* path;
        std::set<std::string> files;
        bool found;
        const char* result;
    } cases[] = {
        {"/usr/bin:/opt/tools/", {"/opt/tools/Tnq32.html"}, true, "/opt/tools/Tnq32.html"},
        {"/usr/bin:/opt/tools", {"/opt/tools/Tnq32.html"}, true, "/opt/tools/Tnq32.html"},
        {"/usr/bin:/opt/tools",
         {"/prog/Tnq32.html", "/usr/bin/Tnq32.html"},
         true,
         "/prog/Tnq32.html"},
        {"/usr/bin::/x", {"/Tnq32.html"}, true, "/Tnq32.html"}, // empty entry = root
        {"", {"/usr/bin/Tnq32.html"}, false, "Tnq32.html"},
        {"/a:/b", {}, false, "Tnq32.html"},
    };
    for (const auto& c : cases) {
        std::string help = kHelpFileName;
        std::vector<std::string> tried;
        auto exists = [&](const std::string& p) {
            tried.push_back(p);
            return c.files.count(p) > 0;
        };
        EXPECT_EQ(HelpFileFound(help, "/prog", c.path, exists), c.found) << c.path;
        EXPECT_EQ(help, c.result) << c.path;
        ASSERT_FALSE(tried.empty());
        EXPECT_EQ(tried.front(), "/prog/Tnq32.html");
    }
}

TEST(FoundOnPath, TheFirstEntryHoldingTheNameWins) {
    auto exists = [](const std::string& p) {
        return p == "/b/prog" || p == "/c/prog" || p == "/prog";
    };
    struct Case {
        const char* path;
        const char* found;
    };
    const Case cases[] = {{"/a:/b:/c", "/b/prog"}, {"/c/:/b", "/c/prog"}, {"/a", ""},
                          {"", ""},                {"/a::/b", "/prog"}};
    for (const Case& c : cases) EXPECT_EQ(FoundOnPath("prog", c.path, exists), c.found) << c.path;
}

} // namespace
} // namespace tnq
