// The tempo and controller series through the Edit menu of the main window,
// driven headless as a user drives them: the series dialog in both modes,
// the track files, the item counts on screen and the .MID file afterwards.
#include "core/track_files.h"
#include "core/ui/frm_track_sel.h"
#include "editing/ui/frm_volume.h"
#include "entry/ui/entry_window.h"
#include "midifile/mid_fixture.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <string>
#include <vector>

namespace tnq {
namespace {

using test::Settle;

class SeriesMenu : public test::MovedPieceRoad {
protected:
    // The dialog's boxes in tab order from From: each typed, then Enter.
    static void Fields(FrmVolume& d, std::vector<const char*> texts) {
        for (const char* text : texts) {
            QTest::keyClicks(d.focusWidget(), text);
            test::Key(&d, Qt::Key_Return);
        }
    }
    static TrackItemRecord Rest(const char* channel) {
        return {"R", "4", "q", "0", "0", "1", channel, "0"};
    }
};

TEST_P(SeriesMenu, TemposAndAFadeFromTheEditMenu) {
    Load();
    NewPiece("SWELL");
    if (HasFatalFailure()) return;
    Press(Qt::Key_Escape);
    WriteTrackFile(1, {Rest("1"), Rest("1"), Rest("1"), Rest("1")});
    WriteTrackFile(2, {Rest("2"), Rest("2"), Rest("2"), Rest("2")});
    OpenMenu(w, "mnuFile");
    ChooseTracks({1, 2});
    Choose(w, "mnuFilRecalc");
    ASSERT_EQ(Count(2), 4);

    // Edit > Set up a series of Tempos: no track selection, 120 down to 90.
    OpenMenu(w, "mnuEdit");
    bool tempoShown = false;
    test::WhenShown<FrmVolume>([&](FrmVolume* d) {
        tempoShown = true;
        EXPECT_EQ(d->windowTitle(), "Series of Tempos");
        Fields(*d, {"1", "1", "120", "90"});
        d->chkControl->click();
        d->btnOK->click();
    });
    Choose(w, "mnuEdtAdjustment");
    EXPECT_TRUE(tempoShown);
    std::vector<TrackItemRecord> one;
    for (int v : {120, 110, 100, 90}) {
        one.push_back({"TEMPO", "0", "q", "0", std::to_string(v), "1", "1", "0"});
        one.push_back(Rest("1"));
    }
    EXPECT_EQ(TrackRecords(1), one);
    EXPECT_EQ(Count(1), 8);
    EXPECT_EQ(w.StatusBar2->Line(), "Select a menu item");

    // Edit > Edit Continuous Controller on track 2: Main Volume from 100 to
    // 40, the values kept from the tempos retyped.
    OpenMenu(w, "mnuEdit");
    ChooseTracks({2});
    test::WhenShown<FrmVolume>([&](FrmVolume* d) {
        EXPECT_EQ(d->windowTitle(), "Continuous Controllers");
        EXPECT_EQ(d->txtFromValue->text(), "120");
        Fields(*d, {"1", "1", "100", "40"});
        d->cboController->setCurrentIndex(2); // Main Volume
        d->chkControl->click();
        d->btnOK->click();
    });
    Choose(w, "mnuEdtVolume");
    std::vector<TrackItemRecord> two;
    for (int v : {100, 80, 60, 40}) {
        two.push_back({"CNTRL", "0", "", "7", std::to_string(v), "1", "2", "0"});
        two.push_back(Rest("2"));
    }
    EXPECT_EQ(TrackRecords(2), two);
    EXPECT_EQ(Count(2), 8);

    // The .MID file: four tempos on the first chunk, four volumes on the
    // second, one a quarter note apart.
    ASSERT_TRUE(MakeMidWithOk());
    const test::CsvResult csv = test::ExpectReadable(MidFilePath(p.s));
    std::vector<std::string> tempos, volumes;
    for (const auto& r : csv.Of(1, "Tempo")) tempos.push_back(std::to_string(r.Time) + ":" + r.Fields[0]);
    for (const auto& r : csv.Of(2, "Control_c"))
        volumes.push_back(std::to_string(r.Time) + ":" + r.Fields[1] + "=" + r.Fields[2]);
    EXPECT_EQ(tempos, (std::vector<std::string>{"0:500000", "480:545455", "960:600000",
                                                "1440:666667"}));
    EXPECT_EQ(volumes, (std::vector<std::string>{"0:7=100", "480:7=80", "960:7=60", "1440:7=40"}));
}

INSTANTIATE_TEST_SUITE_P(Road, SeriesMenu, ::testing::Bool(), test::MovedPieceName);

} // namespace
} // namespace tnq
