// Staccato and its reversal driven headless through frmStaccato.
#include "editing/mid_keys.h"
#include "editing/staccato.h"
#include "editing/ui/edit_dialog_fixture.h"
#include "editing/ui/frm_staccato.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tnq {
namespace {

using test::Item;
using test::Settle;

class StaccatoDialogs : public test::EditDialogTest {
protected:
    void SetUp() override {
        test::EditDialogTest::SetUp();
        SetUpPiece(4, 40);
        s.ActiveTracks.assign(4, '1');
    }
};

TEST_F(StaccatoDialogs, QuarterStaccatoThenItsReversalThroughTheDialog) {
    const std::vector<TrackItemRecord> before = {
        Item("C", "4", "h", "0", "64", "1", "4"), Item("E", "4", "h", "0", "64", "1", "4"),
        Item("G", "4", "w", "0", "64", "2", "4")};
    Tracks({{4, before}});
    tracks.Choose({4});
    WhenShown<FrmStaccato>([&](FrmStaccato& d) {
        EXPECT_EQ(d.windowTitle(), "Apply Staccato");
        EXPECT_EQ(d.focusWidget(), d.txtFrom);
        EXPECT_EQ(d.txtNoRepeats->text(), "1");
        EXPECT_EQ(d.txtBeatValue->text(), "q");
        EXPECT_TRUE(d.optByBar->isChecked());
        EXPECT_TRUE(d.optOneHalf->isChecked());
        QTest::keyClicks(d.txtFrom, "1");
        test::Key(&d, Qt::Key_Return);
        EXPECT_EQ(d.focusWidget(), d.txtTo);
        QTest::keyClicks(d.txtTo, "1");
        d.optOneQuarter->setChecked(true);
        Type(d.txtNoRepeats, "5");
        d.btnOK->setFocus();
        Settle();
        d.btnOK->click();
        Settle();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), d.txtNoRepeats);
        QTest::keyClicks(d.txtNoRepeats, "1");
        d.btnOK->click();
    });
    ASSERT_TRUE(ApplyStaccato(c, tracks, FrmStaccato::Of(&main, c)));
    ExpectTrack(4, {Item("C", "4", "e", "0", "64", "1", "4"), Item("R", "0", "q.", "0", "0", "1", "4"),
                    Item("E", "4", "e", "0", "64", "1", "4"), Item("R", "0", "q.", "0", "0", "1", "4"),
                    Item("G", "4", "w", "0", "64", "2", "4")});
    EXPECT_EQ(test::MidNoteOnKeys(c), (std::vector<std::vector<int>>{{60, 64, 67}}));

    ASSERT_TRUE(test::ShowActive(&main));
    tracks.Choose({4});
    p.msg.AnswerOk();
    WhenShown<FrmStaccato>([&](FrmStaccato& d) {
        EXPECT_EQ(d.windowTitle(), "Reverse Staccato");
        // From and To are kept; the proportion starts at 1/2 again.
        EXPECT_EQ(d.txtFrom->text(), "1");
        EXPECT_EQ(d.txtTo->text(), "1");
        EXPECT_TRUE(d.optOneHalf->isChecked());
        d.optOneQuarter->setChecked(true);
        d.btnOK->click();
    });
    ASSERT_TRUE(ReverseStaccato(c, tracks, FrmStaccato::Of(&main, c)));
    EXPECT_EQ(p.msg.Last().Text,
              "Parameters selected must be exactly the same as originally entered, or the results "
              "may not be accurate");
    ExpectTrack(4, before);
    EXPECT_EQ(s.ItemCount(4), 3);
    EXPECT_EQ(test::MidNoteOnKeys(c), (std::vector<std::vector<int>>{{60, 64, 67}}));
}

} // namespace
} // namespace tnq
