// The Help menu driven headless as a new user would: paging through the
// overview, the About box, the help viewer by the menu and by F1 in every
// window, and the viewer closed at exit.
#include "editing/ui/frm_cc_prep.h"
#include "editing/ui/frm_copy_by_bar.h"
#include "editing/ui/frm_copy_by_item.h"
#include "editing/ui/frm_delete_by_bar.h"
#include "editing/ui/frm_parameters.h"
#include "editing/ui/frm_punch.h"
#include "editing/ui/frm_random.h"
#include "editing/ui/frm_staccato.h"
#include "editing/ui/frm_two_note.h"
#include "editing/ui/frm_value_ramp.h"
#include "editing/ui/frm_volume.h"
#include "entry/ui/entry_window.h"
#include "entry/ui/frm_note_options.h"
#include "entry/ui/frm_revise_bar_nos.h"
#include "midifile/ui/frm_balance.h"
#include "midifile/ui/frm_mid_file.h"
#include "misc/ui/frm_midi_output.h"

#include <QApplication>
#include <QMessageBox>
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
                                  "<li id=\"topic-46\">Test Sounds</li>" +
                                      OtherTopics() + "</body></html>");
        p.s.HelpFile = helpFile.string();
        c.files = &p.files;
        EntryWindowBase::SetUp();
        Load();
    }
    void Choose(const char* item) { EntryWindowBase::Choose(w, item); }
    // The topics of the dialogs' commands and fields.
    static std::string OtherTopics() {
        std::string anchors;
        for (int t :
             {5, 11, 14, 15, 16, 19, 20, 21, 22, 25, 26, 27, 31, 32, 33, 36, 40, 41, 42, 44, 45})
            anchors += "<a id=\"topic-" + std::to_string(t) + "\"></a>";
        return anchors;
    }

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

// F1 in each window but the main one: the viewer at the window's topic, or
// at the contents where the help has none for it; Esc closes the viewer.
TEST_F(HelpMenu, F1InEveryWindowOpensTheViewerAtItsTopic) {
    p.s.NumTracks = 4;
    const auto Loaded = [](DialogForm* f) {
        f->Load();
        return f;
    };
    struct Row {
        const char* menuMode;
        std::function<QWidget*()> make;
        const char* anchor;
    };
    const Row rows[] = {
        {"", [&] { return &FrmTrackSel::Of(&w); }, "contents"},
        {"", [&] { return &FrmValueRamp::Dynamics(&w, c); }, "topic-14"},
        {"", [&] { return &FrmValueRamp::PitchBend(&w, c); }, "topic-31"},
        {"", [&] { return &FrmCCPrep::Of(&w, c); }, "topic-36"},
        {"mnuEdtTempos", [&] { return &FrmVolume::Of(&w, c); }, "topic-15"},
        {"mnuEdtVolume", [&] { return &FrmVolume::Of(&w, c); }, "topic-32"},
        {"mnuEdtCopy", [&] { return &FrmCopyByBar::Of(&w, c); }, "topic-16"},
        {"mnuEdtVertical", [&] { return &FrmCopyByBar::Of(&w, c); }, "topic-20"},
        {"", [&] { return &FrmCopyByItem::Of(&w, c); }, "topic-16"},
        {"", [&] { return &FrmDeletebyBar::Of(&w, c); }, "topic-40"},
        {"", [&] { return &FrmStaccato::Of(&w, c); }, "topic-19"},
        {"", [&] { return &FrmParameters::Of(&w, c); }, "topic-21"},
        {"", [&] { return &FrmPunch::Of(&w, c); }, "topic-27"},
        {"", [&] { return &FrmRandom::Of(&w, c); }, "topic-41"},
        {"", [&] { return &FrmTwoNote::Of(&w, c); }, "topic-42"},
        {"", [&] { return Loaded(new FrmReviseBarNos(&w, c)); }, "topic-5"},
        {"", [&] { return Loaded(new FrmNoteOptions(&w, c)); }, "topic-6"},
        {"", [&] { return &FrmMidFile::Of(&w); }, "topic-11"},
        {"", [&] { return &FrmBalance::Of(&w); }, "topic-22"},
        {"", [&] { return &w.frmGrid1.Get(); }, "topic-44"},
        {"", [&] { return &w.frmMisc.Get(); }, "topic-25"},
        {"", [&] { return &w.frmFilter.Get(); }, "topic-46"},
        {"", [&] { return &w.frmTrackDesc.Get(); }, "topic-45"},
        {"", [&] { return &w.frmDirectory.Get(); }, "topic-26"},
        {"", [&] { return new FrmMidiOutput(&w, {"Synth"}, ""); }, "topic-33"},
        {"", [&] { return &w.frmHelp1.Get(); }, "contents"},
        {"", [&] { return &w.frmAbout2.Get(); }, "contents"},
        {"", [&] { return new QMessageBox(QMessageBox::Warning, "Tonquill", "?", {}, &w); },
         "contents"},
    };
    for (const Row& r : rows) {
        p.s.MenuMode = r.menuMode;
        QWidget* f = r.make();
        SCOPED_TRACE(f->objectName().toStdString() + " " + r.menuMode);
        ASSERT_TRUE(test::ShowActive(f));
        ASSERT_EQ(QApplication::activeWindow(), f);
        QTest::keyClick(f->focusWidget() ? f->focusWidget() : f, Qt::Key_F1);
        Settle();
        FrmHelpViewer* v = w.HelpViewer();
        ASSERT_NE(v, nullptr);
        EXPECT_TRUE(v->isVisible());
        EXPECT_EQ(v->Anchor(), r.anchor);
        QTest::keyClick(v, Qt::Key_Escape);
        Settle();
        EXPECT_FALSE(v->isVisible());
        f->hide();
        ASSERT_TRUE(test::ShowActive(&w));
    }
}

// Over a modal dialog the viewer is modal itself, so that it can be read
// there; Close returns to the dialog. Beside the main window it is modeless.
TEST_F(HelpMenu, OverAModalDialogTheViewerCanBeReadAndClosed) {
    test::WhenShown<FrmCCPrep>([&](FrmCCPrep* d) {
        QTest::keyClick(d->focusWidget() ? d->focusWidget() : d, Qt::Key_F1);
        Settle();
        FrmHelpViewer* v = w.HelpViewer();
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(QApplication::activeModalWidget(), v);
        EXPECT_EQ(v->Anchor(), "topic-36");
        Click(v->btnClose);
        EXPECT_FALSE(v->isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), d);
        Click(d->btnCancel);
    });
    FrmCCPrep::Of(&w, c).Run();
    Choose("mnuHelpContents");
    EXPECT_FALSE(w.HelpViewer()->isModal());
}

} // namespace
} // namespace tnq
