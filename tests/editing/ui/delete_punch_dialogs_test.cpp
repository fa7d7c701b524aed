// Delete by Bar and Punch In/Out driven headless through their dialogs.
#include "editing/delete_by_bar.h"
#include "editing/edit_fixture.h"
#include "editing/mid_keys.h"
#include "editing/track_builders.h"
#include "editing/ui/frm_delete_by_bar.h"
#include "support/ui/settle.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace tnq {
namespace {

using test::Halves;
using test::Item;
using test::Join;
using test::Settle;

class DeletePunchDialogs : public test::EditTest {
protected:
    void SetUp() override {
        test::EditTest::SetUp();
        ASSERT_TRUE(test::ShowActive(&main));
    }
    template <class F> void WhenShown(std::function<void(F&)> act) {
        test::WhenShownElseCancel<F>(act);
    }
    // Types text over the focused box's selected text, then Enter.
    static void Field(QWidget* dialog, const char* text) {
        QTest::keyClicks(dialog->focusWidget(), text);
        test::Key(dialog, Qt::Key_Return);
        Settle();
    }
    QWidget main;
};

TEST_F(DeletePunchDialogs, DeleteBarsThreeToFourOfTwoTracksThroughTheDialog) {
    Tracks({{2, Halves(1, 6, "C", "G", "2")}, {3, Halves(1, 6, "E", "B", "3")}});
    tracks.Choose({2, 3});
    bool shown = false;
    WhenShown<FrmDeletebyBar>([&](FrmDeletebyBar& d) {
        shown = true;
        EXPECT_EQ(d.windowTitle(), "Delete by Bar");
        EXPECT_EQ(d.focusWidget(), d.txtFromBar);
        EXPECT_EQ(d.txtBeatValue->text(), "q");
        EXPECT_FALSE(d.chkAdjust->isChecked());
        Field(&d, "4");
        Field(&d, "3");
        EXPECT_EQ(d.focusWidget(), d.txtBeatValue);
        // To Bar below From Bar: OK does nothing, the focus stays.
        d.btnOK->click();
        Settle();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), d.txtBeatValue);
        d.txtFromBar->setFocus();
        Settle();
        Field(&d, "3"); // over the selected "4"
        Field(&d, "4");
        Field(&d, "qq"); // beat value, with both beat boxes filled
        Field(&d, "1");
        Field(&d, "2");
        EXPECT_EQ(d.focusWidget(), d.btnOK);
        d.btnOK->click();
        Settle();
        EXPECT_EQ(d.focusWidget(), d.txtBeatValue);
        // Whole bars: the beat boxes emptied.
        d.txtStartingBeat->clear();
        d.txtNoBeats->clear();
        d.chkAdjust->click();
        d.btnOK->setFocus();
        Settle();
        test::Key(&d, Qt::Key_Return); // Enter on OK presses it
    });
    FrmDeletebyBar& dialog = FrmDeletebyBar::Of(&main, c);
    EXPECT_TRUE(DeleteByBar(c, tracks, dialog));
    EXPECT_TRUE(shown);
    const auto wantTwo = Join(Halves(1, 2, "C", "G", "2"), Halves(5, 6, "C", "G", "2", 2));
    const auto wantThree = Join(Halves(1, 2, "E", "B", "3"), Halves(5, 6, "E", "B", "3", 2));
    ExpectTrack(2, wantTwo);
    ExpectTrack(3, wantThree);
    EXPECT_EQ(s.BarNo(2, 8), 4);
    EXPECT_EQ(test::MidNoteOnKeys(c), (std::vector<std::vector<int>>{test::RecordKeys(s, wantTwo),
                                                                      test::RecordKeys(s, wantThree)}));

    // The next showing starts afresh; Cancel changes nothing.
    ASSERT_TRUE(test::ShowActive(&main));
    tracks.Choose({2});
    WhenShown<FrmDeletebyBar>([&](FrmDeletebyBar& d) {
        EXPECT_EQ(&d, &dialog);
        EXPECT_EQ(d.txtFromBar->text(), "");
        EXPECT_EQ(d.txtToBar->text(), "");
        EXPECT_EQ(d.txtBeatValue->text(), "q");
        EXPECT_FALSE(d.chkAdjust->isChecked());
        test::Key(&d, Qt::Key_Escape);
    });
    EXPECT_FALSE(DeleteByBar(c, tracks, FrmDeletebyBar::Of(&main, c)));
    ExpectTrack(2, wantTwo);
}

} // namespace
} // namespace tnq
