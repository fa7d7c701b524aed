// The start sequence, the pieces directory and the standard messages.
#include "core/startup.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

namespace tnq {
namespace {

TEST(Main, StartsWithTheHelpDocumentBesideTheProgram) {
    test::Program p;
    test::WriteFile(std::filesystem::path(p.sys.programDir) / "Tnq32.html", "<html></html>");
    bool shown = false;
    EXPECT_TRUE(Main(p.c, [&] { shown = true; }));
    EXPECT_TRUE(shown);
    EXPECT_TRUE(p.msg.shown.empty());
    EXPECT_EQ(p.s.Version, "4.4");
    EXPECT_EQ(p.s.CRLF, "\r\n");
    EXPECT_EQ(p.s.HelpFile, p.sys.programDir + "/Tnq32.html");
    EXPECT_EQ(p.s.RequiredFiles[1], "libQt6Widgets.so.6 - may already exist on your system");
    EXPECT_EQ(p.s.RequiredFiles[5], "Tnq32.html - should be in the program's directory");
    EXPECT_EQ(p.s.RequiredFiles[6],
              "MINUET.TNQ (a directory) - should be in the program's directory");
    EXPECT_EQ(p.s.RequiredFiles[8],
              "SCARBORO.TNQ (a directory) - should be in the program's directory");
}

TEST(Main, MissingHelpDocumentWarnsAndGoesOn) {
    test::Program p;
    p.sys.path = (p.dir.Path() / "bin").string() + ":";
    p.msg.AnswerOk();
    bool shown = false;
    EXPECT_TRUE(Main(p.c, [&] { shown = true; }));
    EXPECT_TRUE(shown);
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Text,
              "TNQ32.HTML not found in your path.\r\n\r\nCopy TNQ32.HTML to directory " +
                  p.sys.programDir + " if you wish to obtain help while running this program.");
    EXPECT_EQ(p.msg.Last().Code, 48);
    EXPECT_EQ(p.msg.Last().Title, "Help file not available");
    EXPECT_EQ(p.s.HelpFile, "Tnq32.html");
}

TEST(Main, HelpDocumentFoundOnThePath) {
    test::Program p;
    const auto bin = p.dir.Path() / "share";
    test::WriteFile(bin / "Tnq32.html", "x");
    p.sys.path = "/nonexistent:" + bin.string();
    EXPECT_TRUE(Main(p.c, [] {}));
    EXPECT_EQ(p.s.HelpFile, bin.string() + "/Tnq32.html");
}

TEST(Main, RefusedSystemVersionEndsBeforeAnyWindow) {
    test::Program p;
    p.sys.major = 3;
    p.msg.AnswerOk();
    bool shown = false;
    EXPECT_FALSE(Main(p.c, [&] { shown = true; }));
    EXPECT_FALSE(shown);
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Text,
              "This program requires Windows 95 or greater to function properly. Sorry!");
    EXPECT_EQ(p.msg.Last().Code, 64);
}

TEST(DefaultPath, ChosenDirectoryOrThePiecesHome) {
    test::Program p;
    const std::string home = p.sys.home + "/Tonquill";
    // Nothing chosen: ~/Tonquill, created.
    EXPECT_EQ(DefaultPath(p.c), home);
    EXPECT_TRUE(std::filesystem::is_directory(home));
    // A chosen directory that exists.
    const std::string chosen = (p.dir.Path() / "pieces").string();
    std::filesystem::create_directories(chosen);
    p.ini.SetIniSetting(IniSettings, "FilePath", chosen);
    EXPECT_EQ(DefaultPath(p.c), chosen);
    // A chosen directory that has gone: back to the pieces home; the setting stays.
    std::filesystem::remove(chosen);
    EXPECT_EQ(DefaultPath(p.c), home);
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "FilePath"), chosen);
}

TEST(StandardMessages, TextsIconsAndTitles) {
    test::Program p;
    p.msg.AnswerOk();
    DisplayError(p.c, 53);
    EXPECT_EQ(p.msg.Last().Text, "Error 53 File not found");
    EXPECT_EQ(p.msg.Last().Code, 48);
    EXPECT_FALSE(p.msg.Last().Title.has_value()); // the program's title
    p.msg.AnswerOk();
    ItemSelectionWarning(p.c);
    EXPECT_EQ(p.msg.Last().Text, "Selection by Item can only be for one track");
    EXPECT_EQ(p.msg.Last().Code, 64);
    EXPECT_EQ(p.msg.Last().Title, "Selection by Item");
}

} // namespace
} // namespace tnq
