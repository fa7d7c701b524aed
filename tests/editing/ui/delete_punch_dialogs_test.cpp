// Delete by Bar and Punch In/Out driven headless through their dialogs.
#include "editing/delete_by_bar.h"
#include "editing/edit_fixture.h"
#include "editing/mid_keys.h"
#include "editing/track_builders.h"
#include "editing/ui/frm_delete_by_bar.h"
#include "editing/ui/frm_punch.h"
#include "editing/punch.h"
#include "support/ui/settle.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

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

TEST_F(DeletePunchDialogs, PunchInAtBarFiveBeatTwoAndOutAgainThroughTheDialog) {
    const auto two = Halves(4, 6, "C", "E", "2"), three = Halves(4, 6, "G", "B", "3");
    Tracks({{2, two}, {3, three}});
    tracks.Choose({2, 3});
    FrmPunch& dialog = FrmPunch::Of(&main, c);
    bool shown = false;
    WhenShown<FrmPunch>([&](FrmPunch& d) {
        shown = true;
        EXPECT_EQ(d.windowTitle(), "Punch In/Out");
        EXPECT_EQ(d.focusWidget(), d.txtAtBar);
        EXPECT_EQ(d.txtRepeat->text(), "1");
        EXPECT_EQ(d.txtAtBeat->text(), "1");
        EXPECT_EQ(d.txtBeatValue->text(), "q");
        EXPECT_EQ(d.txtAdjustment->text(), "0");
        EXPECT_EQ(d.txtDynamics->text(), "64");
        EXPECT_FALSE(d.optPunchIn->isChecked() || d.optPunchOut->isChecked());
        // No operation: the message, the dialog stays.
        p.msg.AnswerOk();
        d.btnOK->click();
        Settle();
        EXPECT_EQ(p.msg.Last().Text, "An operation must be selected");
        EXPECT_TRUE(d.isVisible());
        d.optPunchIn->click();
        Settle();
        EXPECT_EQ(d.focusWidget(), d.txtAtBar);
        Field(&d, "5");
        Field(&d, "1");
        Field(&d, "2");
        Field(&d, "H"); // beats of half notes
        Field(&d, "5"); // measure
        EXPECT_EQ(d.focusWidget(), d.txtNote);
        QTest::keyClicks(d.txtNote, "eb");
        EXPECT_EQ(d.txtNote->text(), "Eb");
        test::Key(&d, Qt::Key_Return);
        Field(&d, "4");
        Field(&d, "q3."); // a dotted tuplet: refused
        Field(&d, "0");
        Field(&d, "80");
        Field(&d, "0");
        EXPECT_EQ(d.focusWidget(), d.btnOK);
        d.btnOK->click();
        Settle();
        EXPECT_EQ(d.focusWidget(), d.txtNoteValue);
        QTest::keyClicks(d.txtNoteValue, "h");
        d.btnOK->click();
    });
    EXPECT_TRUE(PunchInOut(c, tracks, dialog));
    EXPECT_TRUE(shown);
    // Beat 2 in half notes begins after the first item of bar 5.
    auto wantTwo = two, wantThree = three;
    wantTwo.insert(wantTwo.begin() + 3, Item("Eb", "4", "h", "0", "80", "5", "2"));
    wantThree.insert(wantThree.begin() + 3, Item("Eb", "4", "h", "0", "80", "5", "3"));
    ExpectTrack(2, wantTwo);
    ExpectTrack(3, wantThree);
    EXPECT_EQ(s.SelectedTracks, "1111");
    EXPECT_EQ(test::MidNoteOnKeys(c), (std::vector<std::vector<int>>{test::RecordKeys(s, wantTwo),
                                                                      test::RecordKeys(s, wantThree)}));

    // Out again: the kept boxes stay, Measure follows At Bar.
    ASSERT_TRUE(test::ShowActive(&main));
    tracks.Choose({2, 3});
    WhenShown<FrmPunch>([&](FrmPunch& d) {
        EXPECT_EQ(d.txtAtBar->text(), "5");
        EXPECT_EQ(d.txtNote->text(), "Eb");
        EXPECT_EQ(d.txtNoteValue->text(), "h");
        EXPECT_EQ(d.txtAtBeat->text(), "1");
        EXPECT_EQ(d.txtDynamics->text(), "64");
        d.optPunchOut->click();
        Settle();
        Field(&d, "5"); // At Bar, left with Enter
        EXPECT_EQ(d.txtMeasure->text(), "5");
        Field(&d, "1");
        Field(&d, "2");
        Field(&d, "h");
        d.btnOK->click();
    });
    EXPECT_TRUE(PunchInOut(c, tracks, dialog));
    ExpectTrack(2, two);
    ExpectTrack(3, three);
    EXPECT_EQ(test::MidNoteOnKeys(c), (std::vector<std::vector<int>>{test::RecordKeys(s, two),
                                                                      test::RecordKeys(s, three)}));
}

TEST_F(DeletePunchDialogs, PunchNoteNameKeysAndTheBoxesTheySwitchOff) {
    FrmPunch& dialog = FrmPunch::Of(&main, c);
    WhenShown<FrmPunch>([&](FrmPunch& d) {
        d.txtNote->setFocus();
        Settle();
        test::Key(&d, Qt::Key_F3);
        EXPECT_EQ(d.txtNote->text(), "CNTRL");
        test::Key(&d, Qt::Key_Return);
        EXPECT_FALSE(d.txtOctave->isEnabled());
        EXPECT_FALSE(d.txtNoteValue->isEnabled());
        EXPECT_FALSE(d.txtPitchbend->isEnabled());
        EXPECT_EQ(d.txtOctave->text(), "0");
        EXPECT_EQ(d.txtNoteValue->text(), "");
        EXPECT_EQ(d.lblAdjustment->text(), "Control #");
        EXPECT_EQ(d.lblDynamics->text(), "Control Val");
        EXPECT_EQ(d.focusWidget(), d.txtAdjustment);

        // Back to a note: the boxes open again for the note's values.
        d.txtNote->setFocus();
        Settle();
        QTest::keyClicks(d.txtNote, "bb");
        EXPECT_EQ(d.txtNote->text(), "Bb");
        test::Key(&d, Qt::Key_Return);
        EXPECT_TRUE(d.txtOctave->isEnabled());
        EXPECT_EQ(d.lblDynamics->text(), "Dynamics");

        d.txtNote->setFocus();
        Settle();
        QTest::keyClicks(d.txtNote, "r");
        test::Key(&d, Qt::Key_Return);
        EXPECT_EQ(d.txtNote->text(), "R");
        for (QLineEdit* box : {d.txtOctave, d.txtAdjustment, d.txtDynamics, d.txtPitchbend}) {
            EXPECT_FALSE(box->isEnabled());
            EXPECT_EQ(box->text(), "0");
        }
        EXPECT_EQ(d.focusWidget(), d.txtNoteValue);

        d.chkLastItem->click();
        Settle();
        for (QLineEdit* box : {d.txtAtBar, d.txtAtBeat, d.txtRepeat, d.txtBeatValue})
            EXPECT_FALSE(box->isEnabled());
        EXPECT_EQ(d.focusWidget(), d.txtMeasure);
        d.btnCancel->click();
    });
    EXPECT_FALSE(dialog.Run());

    // The next showing opens the boxes again, but not those the kept "R"
    // switches off.
    ASSERT_TRUE(test::ShowActive(&main));
    WhenShown<FrmPunch>([&](FrmPunch& d) {
        EXPECT_FALSE(d.chkLastItem->isChecked());
        for (QLineEdit* box : {d.txtAtBar, d.txtAtBeat, d.txtNoteValue})
            EXPECT_TRUE(box->isEnabled());
        EXPECT_EQ(d.txtNote->text(), "R");
        EXPECT_FALSE(d.txtDynamics->isEnabled());
        EXPECT_EQ(d.txtDynamics->text(), "0");
        test::Key(&d, Qt::Key_Escape);
    });
    EXPECT_FALSE(dialog.Run());
}

} // namespace
} // namespace tnq
