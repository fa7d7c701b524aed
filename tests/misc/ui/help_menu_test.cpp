// The Help menu driven headless as a new user would: paging through the
// overview, the About box, the help viewer by the menu and by F1, and the
// viewer closed at exit.
#include "entry/ui/entry_window.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

namespace tnq {
namespace {

namespace fs = std::filesystem;
using test::Settle;

class HelpMenu : public test::EntryWindowBase {
protected:
    void SetUp() override {
        p.s.Version = "4.4";
        // A help document with a contents anchor and the note box's topic.
        helpFile = p.dir.Path() / "prog" / "Tnq32.html";
        test::WriteFile(helpFile, "<html><body><h1 id=\"contents\">Contents</h1>"
                                  "<h2 id=\"txtNote\"><a id=\"topic-6\"></a>Note</h2>"
                                  "<h2 id=\"mnuMisc\"><a id=\"topic-23\"></a>Misc</h2>"
                                  "<li id=\"topic-46\">Test Sounds</li></body></html>");
        p.s.HelpFile = helpFile.string();
        c.files = &p.files;
        EntryWindowBase::SetUp();
        Load();
    }
    void Choose(const char* item) { EntryWindowBase::Choose(w, item); }

    fs::path helpFile;
};

TEST_F(HelpMenu, PageThroughTheOverviewAndStartAgainAfterExit) {
    Choose("mnuHelpOverview");
    EXPECT_EQ(p.s.MenuMode, "mnuHelpOverview");
    ASSERT_TRUE(w.frmHelp1.Loaded());
    FrmHelp1& f = w.frmHelp1.Get();
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(f.isModal());
    EXPECT_EQ(f.windowTitle(), "Tonquill - Overview");
    EXPECT_EQ(f.Page(), 0);
    EXPECT_FALSE(f.btnPrevious->isEnabled());
    EXPECT_EQ(f.Shown().Lines.front().front().Text, "Tonquill for Windows");
    EXPECT_TRUE(f.btnExit->isDefault());

    for (int i = 1; i <= 5; ++i) {
        Click(f.btnNext);
        EXPECT_EQ(f.Page(), i);
        EXPECT_TRUE(f.btnPrevious->isEnabled());
    }
    EXPECT_FALSE(f.btnNext->isEnabled());
    EXPECT_EQ(f.Shown().Lines.back().front().Text, "   Contents");
    for (int i = 0; i < 4; ++i) Click(f.btnPrevious);
    EXPECT_EQ(f.Page(), 1);
    EXPECT_TRUE(f.btnNext->isEnabled());
    Click(f.btnPrevious);
    EXPECT_EQ(f.Page(), 0);
    EXPECT_FALSE(f.btnPrevious->isEnabled());

    // Covered and shown again, the page is drawn again.
    const int draws = f.Draws();
    f.repaint();
    EXPECT_GT(f.Draws(), draws);

    // The main window goes on working beside it.
    Choose("mnuMiscPorts");
    EXPECT_TRUE(w.Menus().Checked("mnuMiscPorts"));

    Click(f.btnNext);
    Click(f.btnExit);
    EXPECT_FALSE(w.frmHelp1.Loaded());
    Choose("mnuHelpOverview");
    EXPECT_EQ(w.frmHelp1->Page(), 0);
    EXPECT_FALSE(w.frmHelp1->btnPrevious->isEnabled());
}

TEST_F(HelpMenu, TheAboutBoxShowsTheVersionAndHidesOnOK) {
    Choose("mnuHelpAbout");
    ASSERT_TRUE(w.frmAbout2.Loaded());
    FrmAbout2& a = w.frmAbout2.Get();
    EXPECT_TRUE(a.isVisible());
    EXPECT_FALSE(a.isModal());
    EXPECT_EQ(a.windowTitle(), "About Tonquill (32 bit)");
    EXPECT_EQ(a.Label1->text(), "Tonquill (32 bit) v4.4");
    EXPECT_NEAR(a.Label1->x() + a.Label1->width() / 2, a.width() / 2, 1);
    EXPECT_NEAR(a.btnOK->x() + a.btnOK->width() / 2, a.width() / 2, 1);
    EXPECT_FALSE(a.Image1->pixmap().isNull());

    // No system-information program on the path: the message.
    p.sys.path = (p.dir.Path() / "empty").string();
    p.msg.AnswerOk();
    Click(a.btnSysInfo);
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Text, "System Information Is Unavailable At This Time");

    Click(a.btnOK);
    EXPECT_FALSE(a.isVisible());
    EXPECT_TRUE(w.frmAbout2.Loaded()); // only hidden
}

TEST_F(HelpMenu, TheViewerByMenuAndByF1AndClosedAtExit) {
    Choose("mnuHelpContents");
    FrmHelpViewer* v = w.HelpViewer();
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(v->Document(), helpFile.string());
    EXPECT_EQ(v->Anchor(), "contents");
    EXPECT_TRUE(v->txtHelp->toPlainText().contains("Contents"));

    Choose("mnuHelpUsingHelp");
    EXPECT_EQ(v->Document(), "");
    EXPECT_TRUE(v->txtHelp->toPlainText().contains("Using Help"));
    Click(v->btnContents);
    EXPECT_EQ(v->Anchor(), "contents");

    // F1 in the note box while entering items.
    p.s.PieceOpen = 1;
    p.s.NumTracks = 4;
    w.ShowEntryHelp();
    w.activateWindow();
    Settle();
    w.txtNote->setFocus();
    Settle();
    QTest::keyClick(w.txtNote, Qt::Key_F1);
    Settle();
    EXPECT_EQ(v->Anchor(), "topic-6");
    w.EnableMenus();

    // F1 on a highlighted item of an open menu.
    QMenu* misc = w.Menus().Menu("mnuMisc");
    misc->popup(w.mapToGlobal(QPoint(10, 10)));
    Settle();
    misc->setActiveAction(w.Menus().Item("mnuMiscSounds"));
    QTest::keyClick(misc, Qt::Key_F1);
    Settle();
    EXPECT_FALSE(misc->isVisible());
    EXPECT_EQ(v->Anchor(), "topic-46");

    // A help document that cannot be read: the viewer says so itself.
    p.s.HelpFile = "Tnq32.html";
    Choose("mnuHelpContents");
    EXPECT_EQ(v->Document(), "");
    EXPECT_TRUE(v->txtHelp->toPlainText().contains("Help is not available"));
    EXPECT_TRUE(p.msg.shown.empty());

    // Exit closes the viewer.
    Choose("mnuFilExit");
    EXPECT_FALSE(v->isVisible());
}

} // namespace
} // namespace tnq
