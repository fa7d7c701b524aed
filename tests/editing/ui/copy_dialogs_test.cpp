// The copy dialogs driven headless: Copy a Section and Vertical Copy
// through frmCopyByBar, and the option and offset rules of frmCopyByItem.
#include "editing/copy_commands.h"
#include "editing/ui/edit_dialog_fixture.h"
#include "editing/ui/frm_copy_by_bar.h"
#include "editing/ui/frm_copy_by_item.h"
#include "support/ui/settle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tnq {
namespace {

using test::Item;
using test::Settle;

using CopyDialogs = test::EditDialogTest;

TEST_F(CopyDialogs, CopyASectionFromASecondPieceThroughTheDialog) {
    // RONDO, with a data file and its track 2.
    const std::string open = s.PieceTitle;
    s.PieceTitle = "RONDO";
    std::filesystem::create_directories(PieceDir());
    test::WriteFile(PieceDir() / "RONDO.TNQ", "\"60\",480\r\n");
    WriteTrack(2, {Item("D", "4", "h", "0", "64", "1"), Item("F", "4", "h", "0", "64", "1"),
                   Item("A", "4", "w", "0", "64", "2")});
    s.PieceTitle = open;
    Tracks({{2, {Item("C", "4", "w", "0", "64", "1"), Item("G", "4", "w", "0", "64", "2")}}});
    tracks.Choose({2});

    bool shown = false;
    WhenShown<FrmCopyByBar>([&](FrmCopyByBar& d) {
        shown = true;
        EXPECT_EQ(d.windowTitle(), "Horizontal Copy by Bar");
        EXPECT_TRUE(d.txtTitle->isEnabled());
        EXPECT_EQ(d.txtTitle->text(), "SONATA");
        EXPECT_EQ(d.txtBeatValue->text(), "q");
        EXPECT_EQ(d.txtOffset->text(), "0");
        EXPECT_TRUE(d.optAdd->isChecked());
        EXPECT_EQ(d.cboPitch->count(), 23);
        EXPECT_EQ(d.cboOctave->count(), 15);
        EXPECT_EQ(d.focusWidget(), d.txtTitle);
        QTest::keyClicks(d.txtTitle, "rondo"); // over the selected title
        test::Key(&d, Qt::Key_Return);
        QTest::keyClicks(d.txtFromBar, "1");
        test::Key(&d, Qt::Key_Return);
        QTest::keyClicks(d.txtToBar, "1");
        d.optInsert->setChecked(true);
        d.cboPitch->setCurrentIndex(12); // down a minor 2nd
        // No At Bar: OK does nothing.
        d.btnOK->click();
        Settle();
        EXPECT_TRUE(d.isVisible());
        Type(d.txtAtBar, "2");
        d.btnOK->click();
    });
    EXPECT_TRUE(CopySection(c, tracks, FrmCopyByBar::Of(&main, c)));
    EXPECT_TRUE(shown);
    EXPECT_EQ(s.SourceTitle, "RONDO");
    ExpectTrack(2, {Item("C", "4", "w", "0", "64", "1"), Item("C#", "4", "h", "0", "64", "1"),
                    Item("E", "4", "h", "0", "64", "1"), Item("G", "4", "w", "0", "64", "2")});
    EXPECT_EQ(s.ItemCount(2), 4);
    EXPECT_EQ(s.NoteCode(2, 3), 64);
}

TEST_F(CopyDialogs, VerticalCopyThroughTheDialog) {
    Tracks({{2, {Item("C", "4", "q", "0", "64", "1", "2"), Item("E", "4", "q", "0", "64", "1", "2")}},
            {3, {Item("R", "4", "h", "0", "0", "1", "9")}}});
    p.msg.AnswerInput("2");
    tracks.Choose({3});
    WhenShown<FrmCopyByBar>([&](FrmCopyByBar& d) {
        EXPECT_EQ(d.windowTitle(), "Vertical Copy by Bar");
        EXPECT_FALSE(d.txtTitle->isEnabled());
        EXPECT_FALSE(d.lblTitle->isEnabled());
        EXPECT_EQ(d.focusWidget(), d.txtFromBar);
        QTest::keyClicks(d.txtFromBar, "1");
        test::Key(&d, Qt::Key_Return);
        QTest::keyClicks(d.txtToBar, "1");
        Type(d.txtOffset, "1");
        d.cboOctave->setCurrentIndex(8); // down 1 octave
        d.btnOK->click();
    });
    EXPECT_TRUE(VerticalCopy(c, tracks, FrmCopyByBar::Of(&main, c)));
    ExpectTrack(3, {Item("R", "4", "h", "0", "0", "1", "9"), Item("C", "3", "q", "0", "64", "2", "9"),
                    Item("E", "3", "q", "0", "64", "2", "9")});
    EXPECT_EQ(s.NoteCode(3, 3), 52);
}

TEST_F(CopyDialogs, CopyByItemOptionsFollowTheCursorAndTheOffsetFollowsTheBox) {
    Tracks({{2, {Item("C", "4", "q"), Item("D", "4", "q"), Item("E", "4", "q")}}});
    s.CurrentTrack = 2;
    s.CurrentItem(2) = 2; // inside the track
    FrmCopyByItem& dialog = FrmCopyByItem::Of(&main, c);
    WhenShown<FrmCopyByItem>([&](FrmCopyByItem& d) {
        EXPECT_FALSE(d.optAdd->isChecked());
        d.optAdd->click();
        Settle();
        EXPECT_FALSE(d.optAdd->isChecked());
        d.optReplace->click();
        Settle();
        EXPECT_TRUE(d.optReplace->isChecked());
        EXPECT_EQ(d.focusWidget(), d.txtFromTitle);
        d.chkBarNos->click();
        Settle();
        EXPECT_TRUE(d.txtOffset->isEnabled());
        EXPECT_EQ(d.txtOffset->text(), "0");
        EXPECT_EQ(s.CopyBarNumbers, "Y");
        d.chkBarNos->click();
        Settle();
        EXPECT_FALSE(d.txtOffset->isEnabled());
        EXPECT_FALSE(d.lblOffset->isEnabled());
        EXPECT_EQ(d.txtOffset->text(), "");
        EXPECT_EQ(s.CopyBarNumbers, "");
        d.btnCancel->click();
    });
    EXPECT_FALSE(dialog.Run());
    ASSERT_TRUE(test::ShowActive(&main));

    // Behind the last item: Add is preselected, Replace (kept from the
    // showing before) is refused when clicked.
    s.CurrentItem(2) = 4;
    WhenShown<FrmCopyByItem>([&](FrmCopyByItem& d) {
        EXPECT_TRUE(d.optAdd->isChecked());
        d.optReplace->click();
        Settle();
        EXPECT_FALSE(d.optReplace->isChecked());
        EXPECT_FALSE(d.optAdd->isChecked());
        p.msg.AnswerOk();
        d.btnOK->click();
        Settle();
        EXPECT_EQ(p.msg.Last().Text, "No option selected");
        d.optAdd->click();
        Type(d.txtFromItem, "2");
        Type(d.txtNoItems, "2");
        Type(d.txtChannel, "16");
        d.btnOK->click();
    });
    EXPECT_TRUE(dialog.Run());
    EXPECT_EQ(s.CopyMode, "ADD");
    EXPECT_EQ(s.RangeFrom, 2);
    EXPECT_EQ(s.RangeTo, 2);
    EXPECT_EQ(s.CopyChannel, "16");
}

} // namespace
} // namespace tnq
