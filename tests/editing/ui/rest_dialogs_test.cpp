// The rest grid and the two-note pattern driven headless through frmCCPrep
// and frmTwoNote.
#include "editing/mid_keys.h"
#include "editing/rests.h"
#include "editing/two_note.h"
#include "editing/ui/frm_cc_prep.h"
#include "editing/ui/frm_two_note.h"
#include "editing/ui/edit_dialog_fixture.h"

#include <QLineEdit>
#include <QPushButton>

namespace tnq {
namespace {

using test::Item;
using test::Settle;

class GridDialogs : public test::EditDialogTest {
protected:
    void SetUp() override {
        test::EditDialogTest::SetUp();
        SetUpPiece(4, 40);
        s.ActiveTracks.assign(4, '1');
    }
    // Types text into the box that has the focus, then Enter.
    static void Enter(QWidget* d, const char* text) {
        QTest::keyClicks(d->focusWidget(), text);
        test::Key(d, Qt::Key_Return);
    }
};

TEST_F(GridDialogs, SetUpRestsThroughTheDialog) {
    Tracks({{2,
             {Item("C", "4", "w", "0", "64", "1", "5"), Item("R", "0", "h", "0", "0", "2", "5"),
              Item("R", "0", "h", "0", "0", "2", "5"), Item("D", "4", "w", "0", "64", "3", "5")}}});
    tracks.Choose({2});
    WhenShown<FrmCCPrep>([&](FrmCCPrep& d) {
        EXPECT_EQ(d.windowTitle(), "CC, PB, Tempos Prep");
        EXPECT_EQ(d.focusWidget(), d.txtFromBar);
        Enter(&d, "2");
        Enter(&d, "2");
        Enter(&d, "Qq");
        EXPECT_EQ(d.focusWidget(), d.txtRestsPerBar);
        Enter(&d, "4");
        EXPECT_EQ(d.focusWidget(), d.btnOK);
        d.btnOK->click();
        Settle();
        // "qq" is no rest value: the focus is back on it, lower-cased.
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), d.txtRestValue);
        EXPECT_EQ(d.txtRestValue->text(), "qq");
        QTest::keyClicks(d.txtRestValue, "Q");
        d.btnOK->click();
        Settle();
        EXPECT_EQ(d.txtRestValue->text(), "q");
    });
    ASSERT_TRUE(SetUpRests(c, tracks, FrmCCPrep::Of(&main, c)));
    std::vector<TrackItemRecord> want = {Item("C", "4", "w", "0", "64", "1", "5")};
    for (int i = 0; i < 4; ++i) want.push_back(Item("R", "0", "q", "0", "0", "2", "5"));
    want.push_back(Item("D", "4", "w", "0", "64", "3", "5"));
    ExpectTrack(2, want);
    EXPECT_EQ(test::MidNoteOnKeys(c), (std::vector<std::vector<int>>{{60, 62}}));

    // The next showing keeps the rest value and the count, not the bars.
    ASSERT_TRUE(test::ShowActive(&main));
    tracks.Choose({2});
    WhenShown<FrmCCPrep>([&](FrmCCPrep& d) {
        EXPECT_EQ(d.txtFromBar->text(), "");
        EXPECT_EQ(d.txtToBar->text(), "");
        EXPECT_EQ(d.txtRestValue->text(), "q");
        EXPECT_EQ(d.txtRestsPerBar->text(), "4");
        d.btnCancel->click();
    });
    EXPECT_FALSE(SetUpRests(c, tracks, FrmCCPrep::Of(&main, c)));
    EXPECT_EQ(&FrmCCPrep::Of(&main, c), &FrmCCPrep::Of(&main, c));
}

TEST_F(GridDialogs, TwoNotePatternThroughTheDialog) {
    Tracks({{3,
             {Item("G", "4", "w", "0", "64", "1", "7"), Item("G", "4", "w", "0", "64", "2", "7"),
              Item("A", "4", "w", "0", "64", "3", "7")}}});
    tracks.Choose({3});
    WhenShown<FrmTwoNote>([&](FrmTwoNote& d) {
        EXPECT_EQ(d.windowTitle(), "Two Note Pattern");
        EXPECT_EQ(d.focusWidget(), d.txtFromBar);
        Enter(&d, "1");
        Enter(&d, "2");
        Enter(&d, "eb"); // upper case, and a second "b" is the flat sign
        EXPECT_EQ(d.txtNoteName1->text(), "Eb");
        Enter(&d, "5");
        EXPECT_EQ(d.txtOctave2->text(), "5"); // follows Octave 1
        Enter(&d, "g");
        EXPECT_EQ(d.focusWidget(), d.txtOctave2);
        Enter(&d, "4"); // over the selected 5
        Enter(&d, "e");
        Enter(&d, "4");
        EXPECT_EQ(d.txtNoteValue->text(), "e");
        EXPECT_EQ(d.focusWidget(), d.btnCancel);
        d.btnOK->click();
    });
    ASSERT_TRUE(TwoNotePattern(c, tracks, FrmTwoNote::Of(&main, c)));
    std::vector<TrackItemRecord> want;
    for (int bar : {1, 2})
        for (int i = 0; i < 4; ++i)
            want.push_back(i % 2 == 0 ? Item("Eb", "5", "e", "0", "64", std::to_string(bar), "3")
                                      : Item("G", "4", "e", "0", "64", std::to_string(bar), "3"));
    want.push_back(Item("A", "4", "w", "0", "64", "3", "7"));
    ExpectTrack(3, want);
    EXPECT_EQ(test::MidNoteOnKeys(c),
              (std::vector<std::vector<int>>{{75, 67, 75, 67, 75, 67, 75, 67, 69}}));

    // A refused note name keeps the dialog up with the focus on it.
    ASSERT_TRUE(test::ShowActive(&main));
    tracks.Choose({3});
    WhenShown<FrmTwoNote>([&](FrmTwoNote& d) {
        EXPECT_EQ(d.txtNoteName1->text(), "");
        EXPECT_EQ(d.txtNotesPerBar->text(), "4");
        Enter(&d, "1");
        Enter(&d, "1");
        Enter(&d, "e#");
        d.btnOK->click();
        Settle();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), d.txtNoteName1);
        d.btnCancel->click();
    });
    EXPECT_FALSE(TwoNotePattern(c, tracks, FrmTwoNote::Of(&main, c)));
}

} // namespace
} // namespace tnq
