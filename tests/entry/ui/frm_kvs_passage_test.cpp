// The passage edits through the Edit menu of the main window, driven
// headless: Edit Dynamics, Edit Pitchbend, Revise Parameters and Randomize
// a Passage, each through its real dialog, with the track files and the
// .MID file afterwards.
#include "core/track_files.h"
#include "core/ui/frm_track_sel.h"
#include "editing/ui/frm_parameters.h"
#include "editing/ui/frm_random.h"
#include "editing/ui/frm_value_ramp.h"
#include "entry/ui/entry_window.h"
#include "midifile/mid_fixture.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <string>
#include <vector>

namespace tnq {
namespace {

class PassageMenu : public test::MovedPieceRoad {
protected:
    // A dialog's boxes given their texts.
    static void Fill(std::vector<std::pair<QLineEdit*, const char*>> boxes) {
        for (auto [box, text] : boxes) box->setText(text);
    }
    // Runs act on the dialog F once the Edit-menu item `item` shows it.
    template <class F> void Run(const char* item, std::function<void(F*)> act) {
        bool shown = false;
        test::WhenShown<F>([&](F* d) {
            shown = true;
            act(d);
        });
        Choose(w, item);
        EXPECT_TRUE(shown) << item;
        EXPECT_EQ(w.StatusBar2->Line(), "Select a menu item") << item;
    }
    static TrackItemRecord Note(const char* name, const char* dyn, const char* chan = "1",
                                const char* bend = "0") {
        return {name, "4", "q", "0", dyn, "1", chan, bend};
    }
    static TrackItemRecord Rest(const char* chan, const char* bend = "0") {
        return {"R", "4", "q", "0", "0", "1", chan, bend};
    }
};

TEST_P(PassageMenu, DynamicsPitchBendParametersAndRandomFromTheEditMenu) {
    Load();
    NewPiece("PASSAGE");
    if (HasFatalFailure()) return;
    Press(Qt::Key_Escape);
    WriteTrackFile(1, {Note("C", "64"), Note("D", "64"), Note("E", "64"), Note("F", "64")});
    WriteTrackFile(2, {Rest("2"), Rest("2"), Rest("2"), Rest("2")});
    OpenMenu(w, "mnuFile");
    ChooseTracks({1, 2});
    Choose(w, "mnuFilRecalc");
    ASSERT_EQ(Count(1), 4);

    // Edit > Edit Dynamics on track 1: a crescendo from 40 to 100.
    OpenMenu(w, "mnuEdit");
    ChooseTracks({1});
    Run<FrmValueRamp>("mnuEdtDynamics", [](FrmValueRamp* d) {
        EXPECT_EQ(d->windowTitle(), "Edit Dynamics");
        Fill({{d->txtFrom, "1"}, {d->txtTo, "1"}, {d->txtFromValue, "40"}, {d->txtToValue, "100"}});
        d->btnOK->click();
    });
    EXPECT_EQ(TrackRecords(1), (std::vector<TrackItemRecord>{Note("C", "40"), Note("D", "60"),
                                                        Note("E", "80"), Note("F", "100")}));

    // Edit > Edit Pitchbend: no track selection; the rests of track 2 bend
    // from 0 to 100 on channel 5.
    OpenMenu(w, "mnuEdit");
    Run<FrmValueRamp>("mnuEdtPitchBend", [](FrmValueRamp* d) {
        EXPECT_EQ(d->windowTitle(), "Edit Pitchbend");
        Fill({{d->txtTrack, "2"}, {d->txtChannel, "5"}, {d->txtFrom, "1"}, {d->txtTo, "1"},
              {d->txtFromValue, "0"}, {d->txtToValue, "100"}});
        d->btnOK->click();
    });
    EXPECT_EQ(TrackRecords(2), (std::vector<TrackItemRecord>{Rest("5", "0"), Rest("5", "33"),
                                                        Rest("5", "66"), Rest("5", "100")}));

    // Edit > Revise Parameters on track 1: every note becomes F#.
    OpenMenu(w, "mnuEdit");
    ChooseTracks({1});
    Run<FrmParameters>("mnuEdtParameters", [](FrmParameters* d) {
        EXPECT_EQ(d->windowTitle(), "Revise Parameters");
        Fill({{d->txtFrom, "1"}, {d->txtTo, "1"}});
        d->chkNote->click();
        d->txtNote->setText("F#");
        d->btnOK->click();
    });
    EXPECT_EQ(TrackRecords(1), (std::vector<TrackItemRecord>{Note("F#", "40"), Note("F#", "60"),
                                                        Note("F#", "80"), Note("F#", "100")}));

    // Edit > Randomize a Passage on track 1, both limits 90.
    OpenMenu(w, "mnuEdit");
    Run<FrmRandom>("mnuEdtRandom", [](FrmRandom* d) {
        EXPECT_EQ(d->windowTitle(), "Randomize a Passage");
        Fill({{d->txtTrack, "1"}, {d->txtFrom, "1"}, {d->txtTo, "1"}, {d->txtLower, "90"},
              {d->txtUpper, "90"}});
        d->optDynamics->click();
        d->btnOK->click();
    });
    EXPECT_EQ(TrackRecords(1), (std::vector<TrackItemRecord>{Note("F#", "90"), Note("F#", "90"),
                                                        Note("F#", "90"), Note("F#", "90")}));

    // The .MID file: four F#4 at velocity 90 on the first chunk, the bends
    // on channel 5 of the second.
    ASSERT_TRUE(MakeMidWithOk());
    const test::CsvResult csv = test::ExpectReadable(MidFilePath(p.s));
    std::vector<std::string> notes, bends;
    for (const auto& r : csv.Of(1, "Note_on_c"))
        if (r.Fields[2] != "0") notes.push_back(r.Fields[1] + "=" + r.Fields[2]);
    for (const auto& r : csv.Of(2, "Pitch_bend_c")) bends.push_back(r.Fields[0] + ":" + r.Fields[1]);
    EXPECT_EQ(notes, (std::vector<std::string>(4, "66=90")));
    EXPECT_EQ(bends, (std::vector<std::string>{"4:8225", "4:8258", "4:8292"}));
}

INSTANTIATE_TEST_SUITE_P(Road, PassageMenu, ::testing::Bool(), test::MovedPieceName);

} // namespace
} // namespace tnq
