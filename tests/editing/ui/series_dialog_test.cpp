// The series dialog driven headless: the tempo series and the controller
// series through frmVolume, its two modes and the fields it keeps.
#include "editing/series.h"
#include "editing/ui/frm_volume.h"
#include "editing/ui/edit_dialog_fixture.h"

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

TrackItemRecord Rest(const char* channel = "1") {
    return Item("R", "4", "q", "0", "0", "1", channel);
}

class SeriesDialogs : public test::EditDialogTest {
protected:
    static void WhenShown(std::function<void(FrmVolume&)> act) {
        test::WhenShownElseCancel<FrmVolume>(act);
    }
    // Types text into box over what it held.
    static void Type(QLineEdit* box, const char* text) {
        EditDialogTest::Type(box, "");
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    static void OkRefused(FrmVolume& d, QWidget* focus) {
        d.btnOK->click();
        Settle();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), focus);
    }
    FrmVolume& Dialog() { return FrmVolume::Of(&main, c); }
};

TEST_F(SeriesDialogs, TempoSeriesThroughTheDialog) {
    Tracks({{1, {Rest(), Rest(), Rest(), Rest()}}});
    WhenShown([&](FrmVolume& d) {
        EXPECT_EQ(d.windowTitle(), "Series of Tempos");
        EXPECT_EQ(d.chkControl->text(), "Insert Tempo Items");
        for (QWidget* w : {static_cast<QWidget*>(d.cboController),
                           static_cast<QWidget*>(d.Label9), static_cast<QWidget*>(d.chkSpecify),
                           static_cast<QWidget*>(d.txtChannel)})
            EXPECT_TRUE(w->isHidden());
        FreshPassageOfBarOne(d);
        QTest::keyClicks(d.txtFromValue, "1000");
        test::Key(&d, Qt::Key_Return);
        QTest::keyClicks(d.txtToValue, "90");
        OkRefused(d, d.txtFromValue);
        Type(d.txtFromValue, "0"); // no tempo is 0
        OkRefused(d, d.txtFromValue);
        Type(d.txtFromValue, "60");
        Type(d.txtNoRepeats, "5");
        OkRefused(d, d.txtNoRepeats);
        Type(d.txtNoRepeats, "1");
        d.chkControl->click();
        d.btnOK->click();
    });
    EXPECT_TRUE(TempoSeries(c, Dialog()));
    EXPECT_EQ(s.DialogResult, "Tempos");
    ExpectTrack(1, {{"TEMPO", "0", "q", "0", "60", "1", "1", "0"}, Rest(),
                    {"TEMPO", "0", "q", "0", "70", "1", "1", "0"}, Rest(),
                    {"TEMPO", "0", "q", "0", "80", "1", "1", "0"}, Rest(),
                    {"TEMPO", "0", "q", "0", "90", "1", "1", "0"}, Rest()});
    EXPECT_EQ(s.ItemCount(1), 8);
    EXPECT_EQ(p.screen.status2, "Select a menu item");

    // The same dialog for a percentage: ticking Percent empties the value
    // boxes; together with Insert it is refused; Esc cancels.
    ASSERT_TRUE(test::ShowActive(&main));
    WhenShown([&](FrmVolume& d) {
        EXPECT_EQ(d.txtFrom->text(), "1");
        EXPECT_EQ(d.txtFromValue->text(), "60");
        EXPECT_FALSE(d.chkControl->isChecked());
        d.chkPercent->click();
        Settle();
        EXPECT_EQ(d.focusWidget(), d.txtPercent);
        EXPECT_EQ(d.txtFromValue->text(), "");
        EXPECT_EQ(d.txtToValue->text(), "");
        OkRefused(d, d.txtPercent);
        Type(d.txtPercent, "0");
        OkRefused(d, d.txtPercent);
        Type(d.txtPercent, "-25");
        d.chkControl->click();
        OkRefused(d, d.chkControl);
        test::Key(&d, Qt::Key_Escape);
    });
    EXPECT_FALSE(TempoSeries(c, Dialog()));
    EXPECT_EQ(s.DialogResult, "");
    EXPECT_EQ(s.ItemCount(1), 8);
}

TEST_F(SeriesDialogs, ControllerSeriesThroughTheDialog) {
    Tracks({{2, {Rest("3"), Rest("3")}}, {3, {Rest("4"), Rest("4")}}});
    s.MenuMode = "mnuEdtVolume";
    // By Item with two tracks chosen: the one-track warning.
    tracks.Choose({2, 3});
    WhenShown([&](FrmVolume& d) {
        EXPECT_EQ(d.windowTitle(), "Continuous Controllers");
        EXPECT_EQ(d.chkControl->text(), "Insert Control Items");
        EXPECT_FALSE(d.cboController->isHidden());
        EXPECT_EQ(d.cboController->count(), 8);
        EXPECT_EQ(d.cboController->currentText(), "Expression");
        // Shown but closed until Specify Channel is ticked.
        EXPECT_FALSE(d.txtChannel->isHidden());
        EXPECT_FALSE(d.txtChannel->isEnabled());
        Type(d.txtFrom, "1");
        Type(d.txtTo, "1");
        Type(d.txtFromValue, "0");
        Type(d.txtToValue, "128");
        OkRefused(d, d.txtToValue);
        Type(d.txtToValue, "100");
        d.cboController->setCurrentIndex(0);
        OkRefused(d, d.cboController);
        d.cboController->setCurrentIndex(4); // Pan
        d.chkSpecify->click();
        Settle();
        EXPECT_TRUE(d.txtChannel->isEnabled());
        EXPECT_TRUE(d.lblChannel->isVisible());
        EXPECT_EQ(d.focusWidget(), d.txtChannel);
        QTest::keyClicks(d.txtChannel, "17");
        OkRefused(d, d.txtChannel);
        Type(d.txtChannel, "16");
        d.optByItem->click();
        p.msg.AnswerOk();
        d.btnOK->click();
        Settle();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(p.msg.Last().Text, "Selection by Item can only be for one track");
        d.optByBar->click();
        d.chkControl->click();
        d.btnOK->click();
    });
    EXPECT_TRUE(WriteControllerSeries(c, tracks, Dialog()));
    EXPECT_EQ(s.DialogResult, "10");
    for (int t : {2, 3})
        ExpectTrack(t, {{"CNTRL", "0", "", "10", "0", "1", "16", "0"}, Rest(t == 2 ? "3" : "4"),
                        {"CNTRL", "0", "", "10", "100", "1", "16", "0"},
                        Rest(t == 2 ? "3" : "4")});
    EXPECT_EQ(s.ItemChan(3, 3), 16);

    // Shown again: Specify Channel unticked hides the channel, Expression is
    // chosen again, the values are kept.
    ASSERT_TRUE(test::ShowActive(&main));
    tracks.Choose({2});
    WhenShown([&](FrmVolume& d) {
        EXPECT_FALSE(d.chkSpecify->isChecked());
        EXPECT_TRUE(d.txtChannel->isHidden());
        EXPECT_EQ(d.txtChannel->text(), "");
        EXPECT_EQ(d.cboController->currentIndex(), 1);
        EXPECT_EQ(d.txtToValue->text(), "100");
        d.btnCancel->click();
    });
    EXPECT_FALSE(WriteControllerSeries(c, tracks, Dialog()));
}

TEST_F(SeriesDialogs, FirstShowingLaidOutForItsMode) {
    // Shown first for tempos, the dialog is as compact as at its next
    // showing, and its value boxes stand in line with the beat boxes.
    s.MenuMode = "mnuEdtTempos";
    QSize first, second;
    int fromValueX = -1, repeatsX = -2;
    WhenShown([&](FrmVolume& d) {
        first = d.size();
        fromValueX = d.txtFromValue->x();
        repeatsX = d.txtNoRepeats->x();
        d.btnCancel->click();
    });
    Dialog().Show(c);
    ASSERT_TRUE(test::ShowActive(&main));
    WhenShown([&](FrmVolume& d) {
        second = d.size();
        d.btnCancel->click();
    });
    Dialog().Show(c);
    EXPECT_EQ(first, second);
    EXPECT_EQ(fromValueX, repeatsX);
}

} // namespace
} // namespace tnq
