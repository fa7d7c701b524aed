// Every window of the program at its first showing: centred on the screen
// with the size it shows with, inside the screen, as wide as its title, and
// no caption narrower than its text.
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

#include <QDialog>
#include <QHeaderView>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>

namespace tnq {
namespace {

using test::Settle;

class FirstShowing : public test::EntryWindowBase {
protected:
    void SetUp() override {
        EntryWindowBase::SetUp();
        p.sys.screen = ScreenOf(nullptr);
        Load();
        NewPiece("SONATA");
        Press(Qt::Key_Escape);
    }
    // Checks a window at its first showing, then puts it down; shift: how
    // far right of the centre it stands.
    void Look(QWidget* d, int shift) {
        const QRect screen(QPoint(0, 0), d->screen()->geometry().size()), g(d->pos(), d->size());
        EXPECT_NEAR(g.x(), (screen.width() - g.width()) / 2 + shift, 3) << "centred";
        EXPECT_NEAR(g.y(), (screen.height() - g.height()) / 2, 3) << "centred";
        EXPECT_TRUE(screen.contains(g)) << "on the screen";
        EXPECT_GE(g.width(), TitleBarWidth(d->windowTitle())) << "title";
        for (QWidget* k : d->findChildren<QWidget*>()) {
            if (!k->isVisibleTo(d)) continue;
            EXPECT_LE(CaptionWidth(k), k->width()) << k->property("text").toString().toStdString();
            EXPECT_TRUE(d->rect().contains(QRect(k->mapTo(d, QPoint(0, 0)), k->size())));
            if (auto* table = qobject_cast<QTableWidget*>(k)) { // all its columns, whole
                EXPECT_FALSE(table->horizontalScrollBar()->isVisible());
                for (int col = 1; col < table->columnCount(); ++col) {
                    EXPECT_GE(table->columnWidth(col),
                              table->horizontalHeader()->sectionSizeHint(col));
                }
            }
        }
        if (auto* dialog = qobject_cast<QDialog*>(d)) dialog->done(QDialog::Rejected);
        d->close();
        Settle();
    }
};

TEST_F(FirstShowing, EveryWindowIsCentredAndShowsItsWholeTexts) {
    QWidget owner; // of the dialogs looked up among its children
    const auto mode = [this](const char* menuMode) { p.s.MenuMode = menuMode; };
    // Each shows a modal window, or gives the modeless window it showed.
    const std::pair<const char*, std::function<QWidget*()>> forms[] = {
        {"track selection", [&] { return FrmTrackSel::Of(&owner).Show(c), nullptr; }},
        {"for Reinstate",
         [&] {
             FrmTrackSel::Of(&owner).SetCaption("Reinstate");
             return FrmTrackSel::Of(&owner).Show(c), nullptr;
         }},
        {"copy by bar",
         [&] { return mode("mnuEdtCopy"), FrmCopyByBar::Of(&owner, c).Show(c), nullptr; }},
        {"copy by item", [&] { return FrmCopyByItem::Of(&owner, c).Run(), nullptr; }},
        {"delete by bar", [&] { return FrmDeletebyBar::Of(&owner, c).Show(c), nullptr; }},
        {"rests", [&] { return FrmCCPrep::Of(&owner, c).Show(c), nullptr; }},
        {"revise parameters", [&] { return FrmParameters::Of(&owner, c).Show(c), nullptr; }},
        {"punch", [&] { return FrmPunch::Of(&owner, c).Show(c), nullptr; }},
        {"randomize", [&] { return FrmRandom::Of(&owner, c).Show(c), nullptr; }},
        {"staccato",
         [&] { return mode("mnuEdtStaccato"), FrmStaccato::Of(&owner, c).Show(c), nullptr; }},
        {"two notes", [&] { return FrmTwoNote::Of(&owner, c).Show(c), nullptr; }},
        {"dynamics", [&] { return FrmValueRamp::Dynamics(&owner, c).Show(c), nullptr; }},
        {"pitch bend", [&] { return FrmValueRamp::PitchBend(&owner, c).Show(c), nullptr; }},
        {"tempo series",
         [&] { return mode("mnuEdtTempos"), FrmVolume::Of(&owner, c).Show(c), nullptr; }},
        {"controller series",
         [&] {
             QWidget other; // a second series dialog, first shown in this mode
             return mode("mnuEdtVolume"), FrmVolume::Of(&other, c).Show(c), nullptr;
         }},
        {"balance", [&] { return FrmBalance::Of(&owner).Show(c), nullptr; }},
        {".MID options", [&] { return FrmMidFile::Of(&owner).Show(c), nullptr; }},
        {"picker", [&] { return w.Dialogs().ShowNoteOptions(c), nullptr; }},
        {"revise bar numbers", [&] { return w.Dialogs().ShowReviseBarNos(c), nullptr; }},
        {"settings", [&] { return w.frmMisc->Show(c), nullptr; }},
        {"grid", [&] { return w.frmGrid1->Show(c), nullptr; }},
        {"track descriptions", [&] { return w.frmTrackDesc->Show(c), nullptr; }},
        {"directory", [&] { return w.frmDirectory->ShowModal(), nullptr; }},
        {"sound test", [&] { return w.frmFilter->ShowModal(), nullptr; }},
        {"MIDI output", [&] { return FrmMidiOutput::Choose(&w, {"Synth"}, "Synth"), nullptr; }},
        {"message box",
         [&] { return QtMessageBoxes(&w).MsgBox("Tracks out of balance"), nullptr; }},
        {"input box", [&] { return QtMessageBoxes(&w).InputBox("Title?"), nullptr; }},
        {"about box", [&] { return w.frmAbout2->show(), &w.frmAbout2.Get(); }},
        {"help viewer",
         [&] {
             auto* viewer = new FrmHelpViewer(&w);
             return viewer->ShowUsingHelp(), viewer;
         }},
    };
    const int pickerShift = TwipsToPixels(1000, TwipsPerPixel(&w)); // right of the centre
    for (const auto& [name, show] : forms) {
        SCOPED_TRACE(name);
        const int shift = std::string(name) == "picker" ? pickerShift : 0;
        const QPointer<QTimer> watch =
            test::WhenShownModal([this, shift](QWidget* d) { Look(d, shift); });
        if (QWidget* modeless = show()) {
            delete watch.data();
            Settle();
            Look(modeless, shift);
        }
        Settle();
    }
}

} // namespace
} // namespace tnq
