// Help topics, the overview pages and their paging, and System Info.
#include "misc/help_commands.h"
#include "misc/overview_pages.h"

#include "core/startup.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <set>

namespace tnq {
namespace {

TEST(HelpAnchor, ATopicTheDocumentHasElseTheContents) {
    const std::string doc = R"(<h1 id="contents">x</h1><a id="topic-6"></a><li id="topic-46">)";
    EXPECT_EQ(HelpAnchor(doc, 6), "topic-6");
    EXPECT_EQ(HelpAnchor(doc, 46), "topic-46");
    EXPECT_EQ(HelpAnchor(doc, 4), "contents");  // not in the document
    EXPECT_EQ(HelpAnchor(doc, 0), "contents");  // no topic
    EXPECT_EQ(HelpAnchor("", 6), "contents");
}

std::string Plain(const PageLine& line) {
    std::string text;
    for (const TextRun& r : line) text += r.Text;
    return text;
}

std::vector<std::string> Headings(const OverviewPage& page) {
    std::vector<std::string> h;
    for (std::size_t i = 0; i < page.Lines.size(); ++i) {
        const PageLine& line = page.Lines[i];
        if (line.size() == 1 && line[0].Bold && line[0].Underline) {
            EXPECT_TRUE(i > 0 && page.Lines[i - 1].empty()) << "no blank line before "
                                                            << line[0].Text;
            h.push_back(line[0].Text);
        }
    }
    return h;
}

TEST(OverviewPages, HeadingsStartsAndQuotedLines) {
    State s;
    s.Version = "4.4";
    s.ProgramDirectory = "/opt/tonquill";
    FillRequiredFiles(s);
    struct Case {
        int page;
        double left, top;
        std::vector<std::string> headings;
    };
    const Case cases[] = {
        {0, 120, 400,
         {"Purpose:", "Minimum Requirements:", "Software Setup:", "Programs and Files:",
          "Tracks and Channels:"}},
        {1, 120, 200, {"General Operating Information:"}},
        {2, 0, 0, {"A Few Hints:"}},
        {3, 120, 200, {}},
        {4, 0, 0, {"Navigating the Screen", "Files required:", "Installation"}},
        {5, 0, 0, {"Help"}},
    };
    std::set<std::string> all;
    for (const Case& c : cases) {
        const OverviewPage p = OverviewPageOf(s, c.page, "tonquill");
        EXPECT_EQ(p.Left, c.left) << c.page;
        EXPECT_EQ(p.Top, c.top) << c.page;
        EXPECT_EQ(Headings(p), c.headings) << c.page;
        for (const PageLine& l : p.Lines) all.insert(Plain(l));
    }
    // Page 0's title: bold and larger, the version plain on the same line.
    const PageLine title = OverviewPageOf(s, 0, "tonquill").Lines.front();
    ASSERT_EQ(title.size(), 2u);
    EXPECT_EQ(title[0].Text, "Tonquill for Windows");
    EXPECT_TRUE(title[0].Bold);
    EXPECT_EQ(title[0].Points, 9.75);
    EXPECT_EQ(title[1].Text, "  (version 4.4)");
    EXPECT_FALSE(title[1].Bold);
    EXPECT_EQ(title[1].Points, 8.25);
    for (const char* line :
         {"To use a computer to orchestrate and play a sound card or synthesizer.",
          "Up to 96 Tracks - 1 Note per Track, multiple ports, 16 Channels per port.",
          "  tonquill - the program, should be in its own directory",
          "   Keep tonquill, Tnq32.html and the sample pieces together in",
          "   one directory. To run the program, start tonquill from there.",
          "   Press F1 to receive help at any point, or select", "   Contents from the Help menu."})
        EXPECT_EQ(all.count(line), 1u) << line;
    // Every required file, indented by two blanks.
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(all.count("  " + s.RequiredFiles[i]), 1u) << i;
    // Where this copy was built or installed is nothing a reader can follow.
    for (const std::string& line : all)
        EXPECT_EQ(line.find(s.ProgramDirectory), std::string::npos) << line;
    const PageLine contents = OverviewPageOf(s, 5, "tonquill").Lines.back();
    EXPECT_TRUE(contents[0].Bold);
    EXPECT_FALSE(contents[1].Bold);
}

TEST(OverviewPager, NextAndPreviousStopAtTheEnds) {
    OverviewPager p;
    EXPECT_EQ(p.Page, 0);
    EXPECT_FALSE(p.PreviousEnabled);
    p.Next();
    EXPECT_TRUE(p.PreviousEnabled);
    p.Previous();
    EXPECT_EQ(p.Page, 0);
    EXPECT_FALSE(p.PreviousEnabled);
    EXPECT_TRUE(p.NextEnabled);
    for (int i = 0; i < 5; ++i) p.Next();
    EXPECT_EQ(p.Page, 5);
    EXPECT_FALSE(p.NextEnabled);
    p.Next(); // a stray press goes nowhere
    EXPECT_EQ(p.Page, 5);
    p.Previous();
    EXPECT_EQ(p.Page, 4);
    EXPECT_TRUE(p.NextEnabled);
}

TEST(SysInfo, TheFirstProgramOnThePathStartsNoneGivesTheMessage) {
    std::set<std::string> files = {"/usr/local/bin/kinfocenter", "/usr/bin/hardinfo"};
    auto exists = [&](const std::string& p) { return files.count(p) > 0; };
    EXPECT_EQ(SysInfoProgram("/usr/local/bin:/usr/bin", exists), "/usr/bin/hardinfo");
    EXPECT_EQ(SysInfoProgram("/usr/local/bin", exists), "/usr/local/bin/kinfocenter");
    EXPECT_EQ(SysInfoProgram("", exists), "");

    struct Case {
        std::string path;
        bool starts;
        std::vector<std::string> started;
        bool message;
    };
    const Case cases[] = {{"/usr/bin", true, {"/usr/bin/hardinfo"}, false},
                          {"", true, {}, true}, // no path at all
                          {"/usr/bin", false, {"/usr/bin/hardinfo"}, true},
                          {"/nowhere", true, {}, true}};
    for (const Case& c : cases) {
        test::Program p;
        p.sys.path = c.path;
        p.launcher.startable = c.starts;
        if (c.message) p.msg.AnswerOk();
        StartSysInfo(p.c, exists);
        if (c.message) {
            // No launcher either: the same message.
            p.msg.AnswerOk();
            p.c.launcher = nullptr;
            StartSysInfo(p.c, exists);
            p.msg.shown.pop_back();
        }
        std::vector<std::string> started;
        for (const auto& s : p.launcher.started) {
            started.push_back(s.Program);
            EXPECT_TRUE(s.Arguments.empty());
        }
        EXPECT_EQ(started, c.started);
        EXPECT_EQ(p.msg.shown.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(p.msg.Last().Text, "System Information Is Unavailable At This Time");
            EXPECT_EQ(p.msg.Last().Code, mb::OKOnly);
            EXPECT_FALSE(p.msg.Last().Title);
        }
    }
}

TEST(AboutBox, CaptionAndTitleLine) {
    State s;
    s.Version = "4.4";
    EXPECT_EQ(AboutCaption(), "About Tonquill (32 bit)");
    EXPECT_EQ(AboutTitle(s), "Tonquill (32 bit) v4.4");
}

} // namespace
} // namespace tnq
