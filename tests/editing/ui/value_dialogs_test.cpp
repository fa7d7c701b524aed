// The value-edit dialogs driven headless: Edit Dynamics and Edit Pitchbend,
// Revise Parameters and Randomize a Passage, each through its real form.
#include "editing/ui/edit_dialog_fixture.h"
#include "editing/ui/frm_parameters.h"
#include "editing/ui/frm_random.h"
#include "editing/ui/frm_value_ramp.h"
#include "editing/value_ramps.h"
#include "support/ui/settle.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <functional>
#include <string>
#include <vector>

namespace tnq {
namespace {

using test::Item;
using test::Settle;

class ValueDialogs : public test::EditDialogTest {
protected:
    // OK that is refused: the dialog stays up with the focus on box.
    static void Refused(QDialog& d, QPushButton* ok, QWidget* box) {
        ok->click();
        Settle();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), box) << box->objectName().toStdString();
    }
};

TEST_F(ValueDialogs, EditDynamicsThroughTheDialogKeepsItsValuesForTheNextUse) {
    Tracks({{2,
             {Item("C", "4", "q", "0", "64", "1"), Item("D", "4", "q", "0", "64", "1"),
              Item("E", "4", "q", "0", "64", "1"), Item("F", "4", "q", "0", "64", "1")}}});
    tracks.Choose({2});
    FrmValueRamp& dialog = FrmValueRamp::Dynamics(&main, c);
    WhenShown<FrmValueRamp>([&](FrmValueRamp& d) {
        EXPECT_EQ(d.objectName(), "frmDynamics");
        EXPECT_EQ(d.windowTitle(), "Edit Dynamics");
        FreshPassageOfBarOne(d);
        EXPECT_EQ(d.focusWidget(), d.txtFromValue);
        QTest::keyClicks(d.txtFromValue, "64");
        test::Key(&d, Qt::Key_Return);
        QTest::keyClicks(d.txtToValue, "128");
        Refused(d, d.btnOK, d.txtToValue);
        d.txtToValue->clear();
        QTest::keyClicks(d.txtToValue, "100");
        Type(d.txtStartingBeat, "2");
        Refused(d, d.btnOK, d.txtNoBeats);
        d.txtStartingBeat->clear();
        d.btnOK->click();
    });
    ASSERT_TRUE(EditDynamics(c, tracks, dialog));
    EXPECT_EQ(Records(2)[3].Dynamics, "100");
    EXPECT_EQ(Records(2)[1].Dynamics, "76");

    // Percent: ticking it empties the values; 0 is refused.
    ASSERT_TRUE(test::ShowActive(&main));
    tracks.Choose({2});
    WhenShown<FrmValueRamp>([&](FrmValueRamp& d) {
        EXPECT_EQ(d.txtFrom->text(), "1");
        EXPECT_EQ(d.txtToValue->text(), "100");
        d.chkPercent->click();
        Settle();
        EXPECT_EQ(d.txtFromValue->text(), "");
        EXPECT_EQ(d.focusWidget(), d.txtPercent);
        QTest::keyClicks(d.txtPercent, "0");
        Refused(d, d.btnOK, d.txtPercent);
        Type(d.txtPercent, "50");
        d.btnOK->click();
    });
    ASSERT_TRUE(EditDynamics(c, tracks, dialog));
    EXPECT_EQ(Records(2)[0].Dynamics, "96");
    EXPECT_EQ(Records(2)[3].Dynamics, "127");
}

TEST_F(ValueDialogs, EditPitchbendThroughTheDialog) {
    Tracks({{3,
             {Item("R", "", "q", "0", "0", "1", "1"), Item("R", "", "q", "0", "0", "1", "1"),
              Item("R", "", "q", "0", "0", "1", "1"), Item("R", "", "q", "0", "0", "1", "1")}}});
    WhenShown<FrmValueRamp>([&](FrmValueRamp& d) {
        EXPECT_EQ(d.objectName(), "frmPitchbend");
        EXPECT_EQ(d.windowTitle(), "Edit Pitchbend");
        EXPECT_EQ(d.optByItem->text(), "By &Item");
        EXPECT_EQ(d.focusWidget(), d.txtTrack);
        QTest::keyClicks(d.txtTrack, "5");
        Refused(d, d.btnOK, d.txtTrack);
        d.txtTrack->clear();
        QTest::keyClicks(d.txtTrack, "3");
        test::Key(&d, Qt::Key_Return);
        EXPECT_EQ(d.focusWidget(), d.txtChannel);
        QTest::keyClicks(d.txtChannel, "17");
        Refused(d, d.btnOK, d.txtChannel);
        d.txtChannel->clear();
        QTest::keyClicks(d.txtChannel, "4");
        d.optByItem->click();
        Type(d.txtFrom, "1");
        Type(d.txtTo, "4");
        Type(d.txtFromValue, "0");
        Type(d.txtToValue, "-100");
        d.btnOK->click();
    });
    ASSERT_TRUE(EditPitchBend(c, FrmValueRamp::PitchBend(&main, c)));
    std::vector<TrackItemRecord> want;
    for (const char* b : {"0", "-34", "-67", "-100"})
        want.push_back(Item("R", "", "q", "0", "0", "1", "4", b));
    ExpectTrack(3, want);
}

TEST_F(ValueDialogs, ReviseParametersThroughTheDialog) {
    Tracks({{2,
             {Item("C", "4", "q", "0", "64", "1", "1"), Item("R", "4", "q", "0", "0", "1", "1"),
              Item("D", "4", "q", "0", "64", "2", "1")}}});
    tracks.Choose({2});
    WhenShown<FrmParameters>([&](FrmParameters& d) {
        EXPECT_EQ(d.windowTitle(), "Revise Parameters");
        EXPECT_EQ(d.focusWidget(), d.txtFrom);
        QTest::keyClicks(d.txtFrom, "1");
        test::Key(&d, Qt::Key_Return);
        QTest::keyClicks(d.txtTo, "1");
        d.chkNote->click();
        Settle();
        EXPECT_EQ(d.focusWidget(), d.txtNote);
        QTest::keyClicks(d.txtNote, "eb");
        EXPECT_EQ(d.txtNote->text(), "Eb");
        d.chkDuration->click();
        Settle();
        QTest::keyClicks(d.txtDuration, "Q3.");
        EXPECT_EQ(d.txtDuration->text(), "q3.");
        Refused(d, d.btnOK, d.txtDuration);
        d.chkDuration->click(); // unticked: emptied
        Settle();
        EXPECT_EQ(d.txtDuration->text(), "");
        d.chkChannel->click();
        Settle();
        QTest::keyClicks(d.txtChannel, "12");
        d.btnOK->click();
    });
    ASSERT_TRUE(ReviseParameters(c, tracks, FrmParameters::Of(&main, c)));
    ExpectTrack(2, {Item("Eb", "4", "q", "0", "64", "1", "12"), Item("R", "4", "q", "0", "0", "1", "12"),
                    Item("D", "4", "q", "0", "64", "2", "1")});
    EXPECT_EQ(s.NoteCode(2, 1), 63);
}

TEST_F(ValueDialogs, RandomizeAPassageThroughTheDialog) {
    Tracks({{1,
             {Item("TEMPO", "0", "q", "0", "100", "1"), Item("R", "0", "q", "0", "0", "1"),
              Item("TEMPO", "0", "q", "0", "100", "1"), Item("R", "0", "q", "0", "0", "1")}},
            {2, {Item("C", "4", "q"), Item("D", "4", "q"), Item("E", "4", "h")}}});
    s.Random = [] { return 0.5; };
    FrmRandom& dialog = FrmRandom::Of(&main, c);
    WhenShown<FrmRandom>([&](FrmRandom& d) {
        EXPECT_EQ(d.windowTitle(), "Randomize a Passage");
        EXPECT_FALSE(d.optDynamics->isChecked());
        EXPECT_FALSE(d.optAdjustment->isChecked());
        EXPECT_EQ(d.focusWidget(), d.txtTrack);
        QTest::keyClicks(d.txtTrack, "2");
        Type(d.txtFrom, "1");
        Type(d.txtTo, "1");
        Type(d.txtLower, "100");
        Type(d.txtUpper, "50");
        // No mode: OK does nothing.
        Refused(d, d.btnOK, d.txtUpper);
        d.optDynamics->click();
        // The lower limit above the upper: OK does nothing.
        Refused(d, d.btnOK, d.txtUpper);
        Type(d.txtLower, "40");
        d.btnOK->click();
    });
    ASSERT_TRUE(RandomizePassage(c, dialog));
    for (const auto& r : Records(2)) EXPECT_EQ(r.Dynamics, "45");

    // Tempo puts track 1 into Track; the limits carry over.
    ASSERT_TRUE(test::ShowActive(&main));
    WhenShown<FrmRandom>([&](FrmRandom& d) {
        EXPECT_EQ(d.txtLower->text(), "40");
        EXPECT_EQ(d.txtNoRepeats->text(), "1");
        d.optAdjustment->click();
        Settle();
        EXPECT_EQ(d.txtTrack->text(), "1");
        Type(d.txtUpper, "120");
        d.btnOK->click();
    });
    ASSERT_TRUE(RandomizePassage(c, dialog));
    EXPECT_EQ(Records(1)[0].Dynamics, "80");
    EXPECT_EQ(Records(1)[2].Dynamics, "80");
}

// Enter walks the boxes in the order the form lists them, from the box that
// has the focus on showing to the OK button; the option buttons and the
// Percent tick come after the buttons.
TEST_F(ValueDialogs, EnterWalksTheBoxesInTheirOrder) {
    struct Case {
        std::function<EditDialog&()> dialog;
        std::vector<std::string> order;
    };
    const std::vector<Case> cases = {
        {[&]() -> EditDialog& { return FrmValueRamp::Dynamics(&main, c); },
         {"txtFrom", "txtTo", "txtFromValue", "txtToValue", "txtNoRepeats", "txtBeatValue",
          "txtStartingBeat", "txtNoBeats", "txtPercent", "btnOK"}},
        {[&]() -> EditDialog& { return FrmValueRamp::PitchBend(&main, c); },
         {"txtTrack", "txtChannel", "txtFrom", "txtTo", "txtFromValue", "txtToValue",
          "txtNoRepeats", "txtBeatValue", "txtStartingBeat", "txtNoBeats", "txtPercent", "btnOK"}},
        {[&]() -> EditDialog& { return FrmRandom::Of(&main, c); },
         {"txtTrack", "txtFrom", "txtTo", "txtLower", "txtUpper", "txtNoRepeats", "txtBeatValue",
          "txtStartingBeat", "txtNoBeats", "btnOK"}},
    };
    for (const Case& k : cases) {
        EditDialog& dialog = k.dialog();
        std::vector<std::string> walked;
        ASSERT_TRUE(test::ShowActive(&main));
        WhenShown<EditDialog>([&](EditDialog& d) {
            for (std::size_t i = 0; i < k.order.size(); ++i) {
                walked.push_back(d.focusWidget() ? d.focusWidget()->objectName().toStdString() : "");
                if (i + 1 < k.order.size()) test::Key(&d, Qt::Key_Return);
            }
            d.btnCancel->click();
        });
        EXPECT_FALSE(dialog.Run());
        EXPECT_EQ(walked, k.order) << dialog.objectName().toStdString();
    }
}

} // namespace
} // namespace tnq
