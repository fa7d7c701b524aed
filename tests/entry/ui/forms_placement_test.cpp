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

    // What a window shows at its first showing; then it is put down.
    struct Seen {
        QRect frame;
        QString title;
        std::vector<std::string> cut; // controls whose caption does not fit
    };
    static Seen Look(QWidget* d) {
        Seen seen{QRect(d->pos(), d->size()), d->windowTitle(), {}};
        for (QWidget* k : d->findChildren<QWidget*>()) {
            if (!k->isVisibleTo(d) || k->isWindow()) continue;
            const QRect at(k->mapTo(d, QPoint(0, 0)), k->size());
            if (CaptionWidth(k) > k->width() || !d->rect().contains(at))
                seen.cut.push_back(k->objectName().toStdString() + " " +
                                   k->property("text").toString().toStdString());
            // A table's column headings.
            if (auto* table = qobject_cast<QTableWidget*>(k)) {
                for (int col = 0; col < table->columnCount(); ++col)
                    if (!table->isColumnHidden(col) &&
                        table->columnWidth(col) < table->horizontalHeader()->sectionSizeHint(col))
                        seen.cut.push_back(table->horizontalHeaderItem(col)->text().toStdString());
            }
        }
        if (auto* dialog = qobject_cast<QDialog*>(d))
            dialog->done(QDialog::Rejected);
        else
            d->close();
        Settle();
        return seen;
    }
    // Shows a modal window with show and looks at it.
    static Seen LookAtModal(const std::function<void()>& show) {
        Seen seen;
        test::WhenShownModal([&seen](QWidget* d) { seen = Look(d); });
        show();
        Settle();
        return seen;
    }
};

TEST_F(FirstShowing, EveryWindowIsCentredAndShowsItsWholeTexts) {
    // The picker stands 1000 twips right of the centre.
    const int pickerShift = TwipsToPixels(1000, TwipsPerPixel(&w));
    QWidget owner; // of the dialogs that are looked up among its children
    struct Form {
        const char* name;
        std::function<Seen()> look;
        int shift = 0;
    };
    const auto modal = [](std::function<void()> show) {
        return [show] { return LookAtModal(show); };
    };
    const auto edit = [&](const char* menuMode, std::function<void()> show) {
        return modal([this, menuMode, show] {
            p.s.MenuMode = menuMode;
            show();
        });
    };
    const Form forms[] = {
        {"track selection", modal([&] { FrmTrackSel::Of(&owner).Show(c); })},
        {"track selection for Reinstate", modal([&] {
             FrmTrackSel& f = FrmTrackSel::Of(&owner);
             f.SetCaption("Reinstate");
             f.Show(c);
             f.SetCaption("Select Tracks");
         })},
        {"copy by bar", edit("mnuEdtCopy", [&] { FrmCopyByBar::Of(&owner, c).Show(c); })},
        {"copy by item", edit("mnuEdtCopyItem", [&] { FrmCopyByItem::Of(&owner, c).Run(); })},
        {"delete by bar", edit("mnuEdtDelete", [&] { FrmDeletebyBar::Of(&owner, c).Show(c); })},
        {"rests", edit("mnuEdtRests", [&] { FrmCCPrep::Of(&owner, c).Show(c); })},
        {"revise parameters",
         edit("mnuEdtParameters", [&] { FrmParameters::Of(&owner, c).Show(c); })},
        {"punch", edit("mnuEdtPunch", [&] { FrmPunch::Of(&owner, c).Show(c); })},
        {"randomize", edit("mnuEdtRandom", [&] { FrmRandom::Of(&owner, c).Show(c); })},
        {"staccato", edit("mnuEdtStaccato", [&] { FrmStaccato::Of(&owner, c).Show(c); })},
        {"two notes", edit("mnuEdtTwoNote", [&] { FrmTwoNote::Of(&owner, c).Show(c); })},
        {"dynamics", edit("mnuEdtDynamics", [&] { FrmValueRamp::Dynamics(&owner, c).Show(c); })},
        {"pitch bend",
         edit("mnuEdtPitchBend", [&] { FrmValueRamp::PitchBend(&owner, c).Show(c); })},
        {"tempo series", edit("mnuEdtTempos", [&] { FrmVolume::Of(&owner, c).Show(c); })},
        {"controller series", edit("mnuEdtVolume", [&] {
             QWidget other; // a second dialog, first shown in this mode
             FrmVolume::Of(&other, c).Show(c);
         })},
        {"balance", modal([&] { FrmBalance::Of(&owner).Show(c); })},
        {".MID options", modal([&] { FrmMidFile::Of(&owner).Show(c); })},
        {"picker", modal([&] { w.Dialogs().ShowNoteOptions(c); }), pickerShift},
        {"revise bar numbers", modal([&] { w.Dialogs().ShowReviseBarNos(c); })},
        {"settings", modal([&] { w.frmMisc->Show(c); })},
        {"grid", modal([&] { w.frmGrid1->Show(c); })},
        {"track descriptions", modal([&] { w.frmTrackDesc->Show(c); })},
        {"directory", modal([&] { w.frmDirectory->ShowModal(); })},
        {"sound test", modal([&] { w.frmFilter->ShowModal(); })},
        {"MIDI output", modal([&] { FrmMidiOutput::Choose(&w, {"Synth"}, "Synth"); })},
        {"message box", modal([&] { QtMessageBoxes(&w).MsgBox("Tracks out of balance"); })},
        {"input box", modal([&] { QtMessageBoxes(&w).InputBox("Title?"); })},
        {"about box", [&] {
             w.frmAbout2->show();
             Settle();
             return Look(&w.frmAbout2.Get());
         }},
        {"help viewer", [&] {
             auto* viewer = new FrmHelpViewer(&w);
             viewer->ShowUsingHelp();
             Settle();
             return Look(viewer);
         }},
    };
    const QSize screen(static_cast<int>(p.sys.screen.WidthPixels()),
                       static_cast<int>(p.sys.screen.HeightTwips / p.sys.screen.TwipsPerPixelY));
    for (const Form& f : forms) {
        SCOPED_TRACE(f.name);
        const Seen seen = f.look();
        const QRect& g = seen.frame;
        ASSERT_FALSE(g.isEmpty());
        EXPECT_NEAR(g.x(), (screen.width() - g.width()) / 2 + f.shift, 3) << "centred";
        EXPECT_NEAR(g.y(), (screen.height() - g.height()) / 2, 3) << "centred";
        EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(g)) << "on the screen";
        EXPECT_GE(g.width(), TitleBarWidth(seen.title)) << seen.title.toStdString();
        EXPECT_EQ(seen.cut, std::vector<std::string>{});
    }
}

} // namespace
} // namespace tnq
