// Every window of the program, each shown as it is first shown with a new
// piece open and the menus active: a list that tests of all windows go
// through.
#pragma once

#include "core/ui/frm_track_sel.h"
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
#include "entry/ui/kvs_dialogs.h"
#include "midifile/ui/frm_balance.h"
#include "midifile/ui/frm_mid_file.h"
#include "misc/ui/frm_midi_output.h"
#include "platform/ui/qt_message_boxes.h"
#include "platform/ui/qt_placement.h"

#include <QScreen>

#include <functional>
#include <vector>

namespace tnq::test {

// A window: show gives the modeless window it showed, or shows a modal
// one and returns null once it is put down; button names one of its
// buttons that is no default one (its object name, else its caption).
struct ProgramWindow {
    const char* Name;
    std::function<QWidget*()> Show;
    const char* Button;
};

class EveryWindow : public EntryWindowBase {
protected:
    void SetUp() override {
        EntryWindowBase::SetUp();
        p.sys.screen = ScreenOf(nullptr);
        Load();
        NewPiece("SONATA");
        Press(Qt::Key_Escape);
    }
    // The dialogs looked up among the children of owner.
    std::vector<ProgramWindow> Windows(QWidget& owner) {
        const auto mode = [this](const char* menuMode) { p.s.MenuMode = menuMode; };
        return {
            {"track selection", [&] { return FrmTrackSel::Of(&owner).Show(c), nullptr; },
             "btnSelTrkCancel"},
            {"for Reinstate",
             [&] {
                 FrmTrackSel::Of(&owner).SetCaption("Reinstate");
                 return FrmTrackSel::Of(&owner).Show(c), nullptr;
             },
             "btnSelTrkCancel"},
            {"copy by bar",
             [&, mode] { return mode("mnuEdtCopy"), FrmCopyByBar::Of(&owner, c).Show(c), nullptr; },
             "btnCancel"},
            {"copy by item", [&] { return FrmCopyByItem::Of(&owner, c).Run(), nullptr; },
             "btnCancel"},
            {"delete by bar", [&] { return FrmDeletebyBar::Of(&owner, c).Show(c), nullptr; },
             "btnCancel"},
            {"rests", [&] { return FrmCCPrep::Of(&owner, c).Show(c), nullptr; }, "btnCancel"},
            {"revise parameters", [&] { return FrmParameters::Of(&owner, c).Show(c), nullptr; },
             "btnCancel"},
            {"punch", [&] { return FrmPunch::Of(&owner, c).Show(c), nullptr; }, "btnCancel"},
            {"randomize", [&] { return FrmRandom::Of(&owner, c).Show(c), nullptr; }, "btnCancel"},
            {"staccato",
             [&, mode] {
                 return mode("mnuEdtStaccato"), FrmStaccato::Of(&owner, c).Show(c), nullptr;
             },
             "btnCancel"},
            {"two notes", [&] { return FrmTwoNote::Of(&owner, c).Show(c), nullptr; }, "btnCancel"},
            {"dynamics", [&] { return FrmValueRamp::Dynamics(&owner, c).Show(c), nullptr; },
             "btnCancel"},
            {"pitch bend", [&] { return FrmValueRamp::PitchBend(&owner, c).Show(c), nullptr; },
             "btnCancel"},
            {"tempo series",
             [&, mode] { return mode("mnuEdtTempos"), FrmVolume::Of(&owner, c).Show(c), nullptr; },
             "btnCancel"},
            {"controller series",
             [&, mode] {
                 QWidget other; // a second series dialog, first shown in this mode
                 return mode("mnuEdtVolume"), FrmVolume::Of(&other, c).Show(c), nullptr;
             },
             "btnCancel"},
            {"balance", [&] { return FrmBalance::Of(&owner).Show(c), nullptr; }, "btnCancel"},
            {".MID options", [&] { return FrmMidFile::Of(&owner).Show(c), nullptr; }, "btnAbort"},
            {"picker", [&] { return w.Dialogs().ShowNoteOptions(c), nullptr; }, "btnCancel"},
            {"revise bar numbers", [&] { return w.Dialogs().ShowReviseBarNos(c), nullptr; },
             "btnCancel"},
            {"settings", [&] { return w.frmMisc->Show(c), nullptr; }, "btnCancel"},
            {"grid", [&] { return w.frmGrid1->Show(c), nullptr; }, "btnUpdate"},
            {"track descriptions", [&] { return w.frmTrackDesc->Show(c), nullptr; }, "btnCancel"},
            {"directory", [&] { return w.frmDirectory->ShowModal(), nullptr; }, "btnCancel"},
            {"sound test", [&] { return w.frmFilter->ShowModal(), nullptr; }, "btnExit"},
            {"MIDI output", [&] { return FrmMidiOutput::Choose(&w, {"Synth"}, "Synth"), nullptr; },
             "btnCancel"},
            {"message box",
             [&] {
                 return QtMessageBoxes(&w).MsgBox("Tracks out of balance", mb::OKCancel), nullptr;
             },
             "Cancel"},
            {"input box", [&] { return QtMessageBoxes(&w).InputBox("Title?"), nullptr; }, "Cancel"},
            {"about box", [&] { return w.frmAbout2->show(), &w.frmAbout2.Get(); }, "btnSysInfo"},
            {"help viewer",
             [&] {
                 auto* viewer = new FrmHelpViewer(&w);
                 return viewer->ShowUsingHelp(), viewer;
             },
             "btnClose"},
        };
    }
};

} // namespace tnq::test
