// The main window's menu tree, its openers and its menu commands.
#include "entry/ui/frm_kvs.h"

#include "core/file_menu.h"
#include "core/piece_commands.h"
#include "core/screen_procs.h"
#include "core/ui/frm_track_sel.h"
#include "editing/copy_commands.h"
#include "editing/delete_by_bar.h"
#include "editing/punch.h"
#include "editing/renumber_bars.h"
#include "editing/ui/frm_cc_prep.h"
#include "editing/ui/frm_copy_by_bar.h"
#include "editing/ui/frm_delete_by_bar.h"
#include "editing/ui/frm_parameters.h"
#include "editing/ui/frm_punch.h"
#include "editing/ui/frm_random.h"
#include "editing/ui/frm_staccato.h"
#include "editing/ui/frm_two_note.h"
#include "editing/ui/frm_value_ramp.h"
#include "editing/ui/frm_volume.h"
#include "midifile/balance_commands.h"
#include "midifile/make_mid.h"
#include "midifile/play_commands.h"
#include "midifile/ui/frm_balance.h"
#include "midifile/ui/frm_mid_file.h"
#include "misc/awe_conversion.h"
#include "misc/help_commands.h"
#include "misc/init_new_file.h"
#include "misc/misc_commands.h"
#include "misc/track_descriptions.h"
#include "misc/ui/frm_midi_output.h"
#include "platform/ui/help_key.h"
#include "platform/vb.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QShortcut>

namespace tnq {

namespace {

// One row of the menu tree: control name, caption, help topic (0 = none).
struct ItemRow {
    const char* name;
    const char* caption;
    int helpTopic;
    void (FrmKVS::*click)();
};

} // namespace

void FrmKVS::BuildMenus() {
    menus_ = std::make_unique<MenuTree>(menuBar(), form_.Queue());
    MenuTree& m = *menus_;
    auto items = [&](QMenu* menu, std::initializer_list<ItemRow> rows) {
        for (const ItemRow& r : rows) {
            if (r.caption[0] == '-' && r.caption[1] == '\0') {
                m.AddSeparator(menu, r.name);
                continue;
            }
            QAction* a =
                m.AddItem(menu, r.name, r.caption, [this, click = r.click] { (this->*click)(); });
            if (r.helpTopic) a->setProperty("HelpContextID", r.helpTopic);
        }
    };
    auto top = [&](const char* name, const char* caption, int helpTopic, void (FrmKVS::*opener)()) {
        QMenu* menu = opener ? m.AddMenu(name, caption, [this, opener] { (this->*opener)(); })
                             : m.AddMenu(name, caption);
        if (helpTopic) menu->menuAction()->setProperty("HelpContextID", helpTopic);
        return menu;
    };

    QMenu* file = top("mnuFile", "&File", 11, &FrmKVS::mnuFile_Click);
    items(file, {{"mnuFilNew", "&New...", 11, &FrmKVS::mnuFilNew_Click},
                 {"mnuFilOpen", "&Open...", 11, &FrmKVS::mnuFilOpen_Click},
                 {"mnuFilRecalc", "&Recalc...", 11, &FrmKVS::mnuFilRecalc_Click},
                 {"mnuFilDelete", "&Delete", 11, &FrmKVS::mnuFilDelete_Click},
                 {"mnuFilSave", "&Save", 11, &FrmKVS::mnuFilSave_Click},
                 {"mnuFilMid", "&Make .MID file...", 11, &FrmKVS::mnuFilMid_Click},
                 {"mnuFilLine", "-", 0, nullptr},
                 {"mnuFilExit", "E&xit", 11, &FrmKVS::mnuFilExit_Click}});
    mnuFileArray = std::make_unique<MenuArray>(m, file, "mnuFileArray",
                                               [this](int index) { mnuFileArray_Click(index); });

    QMenu* edit = top("mnuEdit", "&Edit", 12, &FrmKVS::mnuEdit_Click);
    items(
        edit,
        {{"mnuEdtNotes", "Add/Edit/Scan &Notes...", 13, &FrmKVS::mnuEdtNotes_Click},
         {"mnuEdtDynamics", "Edit &Dynamics...", 14, &FrmKVS::mnuEdtDynamics_Click},
         {"mnuEdtCC", "Set &Up Rests for Tempos, PB, CC", 36, &FrmKVS::mnuEdtCC_Click},
         {"mnuEdtAdjustment", "Set up a series of &Tempos...", 15, &FrmKVS::mnuEdtAdjustment_Click},
         {"mnuEdtPitchBend", "Edit Pitch&Bend...", 31, &FrmKVS::mnuEdtPitchBend_Click},
         {"mnuEdtVolume", "Edit C&ontinuous Controller...", 32, &FrmKVS::mnuEdtVolume_Click},
         {"mnuEdtCopy", "&Copy a Section...", 16, &FrmKVS::mnuEdtCopy_Click},
         {"mnuEdtVertical", "&Vertical Copy", 20, &FrmKVS::mnuEdtVertical_Click},
         {"MnuEdtDelete", "D&elete by Bar", 40, &FrmKVS::MnuEdtDelete_Click},
         {"mnuEdtStaccato", "Apply &Staccato...", 19, &FrmKVS::mnuEdtStaccato_Click},
         {"mnuEdtReverseStac", "&Reverse Staccato...", 19, &FrmKVS::mnuEdtReverseStac_Click},
         {"mnuEdtParameters", "Revise &Parameters...", 21, &FrmKVS::mnuEdtParameters_Click},
         {"mnuEdtPunch", "Punch In/Punch Out &1 Item", 27, &FrmKVS::mnuEdtPunch_Click},
         {"mnuEdtRandom", "Random&ize a Passage", 41, &FrmKVS::mnuEdtRandom_Click},
         {"mnuEdtTwoNote", "Set Up a &2 Note Pattern", 42, &FrmKVS::mnuEdtTwoNote_Click},
         {"mnuEdtRests", "Set aTrac&k to Rests", 38, &FrmKVS::mnuEdtRests_Click},
         {"mnuEdtRenumber", "Renumber B&ars", 43, &FrmKVS::mnuEdtRenumber_Click}});

    QMenu* play = top("mnuPlay", "&Play", 22, &FrmKVS::mnuPlay_Click);
    items(play,
          {{"mnuPlyMusic", "&Check Tracks for Balance", 22, &FrmKVS::mnuPlyMusic_Click},
           {"mnuPlyBalance", "&Balance Tracks...", 22, &FrmKVS::mnuPlyBalance_Click},
           {"mnuPlySuppress", "&Suppress...", 22, &FrmKVS::mnuPlySuppress_Click},
           {"mnuPlyReinstate", "&Reinstate...", 22, &FrmKVS::mnuPlyReinstate_Click},
           {"mnuModPlayMid", "&Make (Modified) .mid File", 22, &FrmKVS::mnuModPlayMid_Click},
           {"mnuPlayMid", "&Play .MID File...", 22, &FrmKVS::mnuPlayMid_Click},
           {"mnuPlayAuxiliary", "Run &Auxiliary Program", 22, &FrmKVS::mnuPlayAuxiliary_Click}});

    QMenu* misc = top("mnuMisc", "&Miscellaneous", 23, &FrmKVS::mnuMisc_Click);
    items(
        misc,
        {{"mnuMiscSelectPlayer", "Select Default &Player", 37, &FrmKVS::mnuMiscSelectPlayer_Click},
         {"mnuMiscPorts", "M&ultiple Ports", 47, &FrmKVS::mnuMiscPorts_Click},
         {"mnuMiscMidiMapper", "Set &Output...", 33, &FrmKVS::mnuMiscMidiMapper_Click},
         {"mnuMiscAuxiliary", "Select &Auxiliary Program", 34, &FrmKVS::mnuMiscAuxiliary_Click},
         {"mnuMiscSounds", "Test Sounds (&NRPN)", 46, &FrmKVS::mnuMiscSounds_Click},
         {"mnuMisParameters", "&Set Parameters...", 25, &FrmKVS::mnuMisParameters_Click},
         {"mnuMiscInit", "&Initialize New File", 44, &FrmKVS::mnuMiscInit_Click},
         {"mnuMiscTrack", "&Maintain Track Descriptions", 45, &FrmKVS::mnuMiscTrack_Click},
         {"mnuMisDirectory", "Change &Directory...", 26, &FrmKVS::mnuMisDirectory_Click},
         {"mnuMiscAWESelect", "AWE 32", 0, &FrmKVS::mnuMiscAWESelect_Click},
         {"ConvKVOtoKVS", "&Convert AWE file to TNQ...", 35, &FrmKVS::ConvKVOtoKVS_Click}});
    // The restricted controller option is never offered.
    m.SetVisible("mnuMiscAWESelect", false);
    m.SetEnabled("mnuMiscAWESelect", false);

    // F1 while a menu is open.
    for (QMenu* menu : {file, edit, play, misc}) menu->installEventFilter(this);

    QMenu* help = top("mnuHelp", "&Help", 0, nullptr);
    help->installEventFilter(this);
    // F1 in the window: the topic of the control that has the focus.
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setObjectName("F1");
    connect(f1, &QShortcut::activated, this, [this] {
        const int topic = HelpTopicOf(QApplication::focusWidget());
        form_.Queue().Post([this, topic] { ShowHelpTopic(topic); });
    });
    // F1 in any other window (a dialog, the grid, the sound-test panel, a
    // message box): the topic of that window. It runs at once: the command
    // that showed a modal window is still running.
    new HelpKey(this, [this](QWidget* window) {
        if (window == helpViewer_ || qobject_cast<QMainWindow*>(window)) return false;
        ShowHelpTopic(FormHelpTopic(window->objectName().toStdString(), C().s.MenuMode));
        return true;
    });
    items(help, {{"mnuHelpOverview", "&Overview", 0, &FrmKVS::mnuHelpOverview_Click},
                 {"mnuHelpContents", "&Contents", 0, &FrmKVS::mnuHelpContents_Click},
                 {"mnuHelpUsingHelp", "&Using Help", 0, &FrmKVS::mnuHelpUsingHelp_Click},
                 {"mnuHelpDummy", "-", 0, nullptr},
                 {"mnuHelpAbout", "&About Tonquill", 0, &FrmKVS::mnuHelpAbout_Click}});
}

// ---- Menu openers ----------------------------------------------------------

void FrmKVS::mnuFile_Click() {
    tnq::mnuFile_Click(C());
}

void FrmKVS::mnuEdit_Click() {
    if (!tnq::mnuEdit_Click(C())) menus_->KeepClosed("mnuEdit");
}

void FrmKVS::mnuPlay_Click() {
    Context& c = C();
    // Without a piece the menu still opens after the message: the
    // auxiliary program needs no piece.
    if (c.s.PieceOpen == 0) {
        NoFileOpenMsg(c);
        return;
    }
    Label3->setText("Durations");
    c.s.MenuActive = 0;
    lblTimeElapsed->clear();
}

void FrmKVS::mnuMisc_Click() {
    Context& c = C();
    Label3->setText("Items Entered");
    // From here on run-time errors are ignored.
    try {
        ShowTrackCounts(c);
    } catch (const VbError&) {}
    c.s.MenuActive = 0;
    lblTimeElapsed->clear();
}

// ---- File ------------------------------------------------------------------

void FrmKVS::mnuFilNew_Click() {
    tnq::mnuFilNew_Click(C());
}
void FrmKVS::mnuFilOpen_Click() {
    tnq::mnuFilOpen_Click(C());
}
void FrmKVS::mnuFilRecalc_Click() {
    RecalcTracks(C(), FrmTrackSel::Of(this));
}
void FrmKVS::mnuFilDelete_Click() {
    tnq::mnuFilDelete_Click(C());
}
void FrmKVS::mnuFilSave_Click() {
    tnq::mnuFilSave_Click(C());
}
void FrmKVS::mnuFilMid_Click() {
    MakeMidFile(C(), FrmMidFile::Of(this));
}
void FrmKVS::mnuFilExit_Click() {
    if (!tnq::mnuFilExit_Click(C())) return;
    ending_ = true;
    close();
}
void FrmKVS::mnuFileArray_Click(int index) {
    tnq::mnuFileArray_Click(C(), index);
}

// ---- Edit ------------------------------------------------------------------

void FrmKVS::mnuEdtNotes_Click() {
    Context& c = C();
    State& s = c.s;
    // Item entry needs the score of an open piece.
    if (s.PieceOpen == 0) {
        NoFileOpenMsg(c);
        return;
    }
    s.MenuMode = "mnuEdtNotes";
    s.NoteKeyCount = 0;
    ShowEntryHelp();
    ShowTrackCounts(c);
    for (int t = 1; t <= s.NumTracks; ++t)
        s.CurrentItem(t) = static_cast<Integer>(s.ItemCount(t) + 1);
    SetText(Box::Tempo, s.Tempo);
    SetFocus(Box::Tempo);
}

void FrmKVS::mnuEdtDynamics_Click() {
    EditDynamics(C(), FrmTrackSel::Of(this), FrmValueRamp::Dynamics(this, C()));
}
void FrmKVS::mnuEdtCC_Click() {
    SetUpRests(C(), FrmTrackSel::Of(this), FrmCCPrep::Of(this, C()));
}
void FrmKVS::mnuEdtAdjustment_Click() {
    TempoSeries(C(), FrmVolume::Of(this, C()));
}
void FrmKVS::mnuEdtPitchBend_Click() {
    EditPitchBend(C(), FrmValueRamp::PitchBend(this, C()));
}
void FrmKVS::mnuEdtVolume_Click() {
    WriteControllerSeries(C(), FrmTrackSel::Of(this), FrmVolume::Of(this, C()));
}
void FrmKVS::mnuEdtCopy_Click() {
    CopySection(C(), FrmTrackSel::Of(this), FrmCopyByBar::Of(this, C()));
}
void FrmKVS::mnuEdtVertical_Click() {
    VerticalCopy(C(), FrmTrackSel::Of(this), FrmCopyByBar::Of(this, C()));
}
void FrmKVS::MnuEdtDelete_Click() {
    DeleteByBar(C(), FrmTrackSel::Of(this), FrmDeletebyBar::Of(this, C()));
}
void FrmKVS::mnuEdtStaccato_Click() {
    ApplyStaccato(C(), FrmTrackSel::Of(this), FrmStaccato::Of(this, C()));
}
void FrmKVS::mnuEdtReverseStac_Click() {
    ReverseStaccato(C(), FrmTrackSel::Of(this), FrmStaccato::Of(this, C()));
}
void FrmKVS::mnuEdtParameters_Click() {
    ReviseParameters(C(), FrmTrackSel::Of(this), FrmParameters::Of(this, C()));
}
void FrmKVS::mnuEdtPunch_Click() {
    PunchInOut(C(), FrmTrackSel::Of(this), FrmPunch::Of(this, C()));
}
void FrmKVS::mnuEdtRandom_Click() {
    RandomizePassage(C(), FrmRandom::Of(this, C()));
}
void FrmKVS::mnuEdtTwoNote_Click() {
    TwoNotePattern(C(), FrmTrackSel::Of(this), FrmTwoNote::Of(this, C()));
}
void FrmKVS::mnuEdtRests_Click() {
    SetTrackToRests(C(), FrmTrackSel::Of(this));
}
void FrmKVS::mnuEdtRenumber_Click() {
    RenumberBars(C());
}

// ---- Play ------------------------------------------------------------------

void FrmKVS::mnuPlyMusic_Click() {
    CheckTracksForBalance(C());
}
void FrmKVS::mnuPlyBalance_Click() {
    BalanceTracks(C(), FrmBalance::Of(this));
}
void FrmKVS::mnuPlySuppress_Click() {
    SuppressTracks(C(), FrmTrackSel::Of(this), true);
}
void FrmKVS::mnuPlyReinstate_Click() {
    SuppressTracks(C(), FrmTrackSel::Of(this), false);
}
void FrmKVS::mnuModPlayMid_Click() {
    MakeModifiedMidFile(C(), FrmMidFile::Of(this));
}
void FrmKVS::mnuPlayMid_Click() {
    PlayMidFile(C());
}
void FrmKVS::mnuPlayAuxiliary_Click() {
    RunAuxiliaryProgram(C());
}

// ---- Miscellaneous ---------------------------------------------------------

void FrmKVS::mnuMiscSelectPlayer_Click() {
    tnq::mnuMiscSelectPlayer_Click(C());
}
void FrmKVS::mnuMiscPorts_Click() {
    tnq::mnuMiscPorts_Click(C());
}
void FrmKVS::mnuMiscMidiMapper_Click() {
    tnq::mnuMiscMidiMapper_Click(C(), [this](const auto& ports, const std::string& current) {
        return FrmMidiOutput::Choose(this, ports, current);
    });
}
void FrmKVS::mnuMiscAuxiliary_Click() {
    tnq::mnuMiscAuxiliary_Click(C());
}
void FrmKVS::mnuMiscSounds_Click() {
    frmFilter->ShowModal();
}
void FrmKVS::mnuMisParameters_Click() {
    frmMisc->Show(C());
}
void FrmKVS::mnuMiscInit_Click() {
    tnq::mnuMiscInit_Click(C(), {frmMisc.Get(), frmGrid1.Get()});
}
void FrmKVS::mnuMiscTrack_Click() {
    tnq::mnuMiscTrack_Click(C(), frmTrackDesc.Get());
}
void FrmKVS::mnuMisDirectory_Click() {
    frmDirectory->ShowModal();
}

void FrmKVS::mnuMiscAWESelect_Click() {
    Context& c = C();
    const bool checked = !menus_->Checked("mnuMiscAWESelect");
    menus_->SetChecked("mnuMiscAWESelect", checked);
    c.s.AWESelectChecked = checked;
    c.SetIniSetting("AWE32", checked ? "Yes" : "No");
}

void FrmKVS::ConvKVOtoKVS_Click() {
    tnq::ConvKVOtoKVS_Click(C());
}

// ---- Help ------------------------------------------------------------------

void FrmKVS::mnuHelpOverview_Click() {
    C().s.MenuMode = "mnuHelpOverview";
    frmHelp1->show();
}
void FrmKVS::mnuHelpContents_Click() {
    ShowHelpTopic(0);
}
void FrmKVS::mnuHelpUsingHelp_Click() {
    if (!helpViewer_) helpViewer_ = new FrmHelpViewer(this);
    helpViewer_->ShowUsingHelp();
}
void FrmKVS::mnuHelpAbout_Click() {
    frmAbout2->show();
}

void FrmKVS::ShowHelpTopic(int topic) {
    if (!helpViewer_) helpViewer_ = new FrmHelpViewer(this);
    helpViewer_->ShowTopic(C().s.HelpFile, topic);
}

int FrmKVS::HelpTopicOf(const QObject* control) {
    for (const QObject* o = control; o; o = o->parent()) {
        const int topic = o->property("HelpContextID").toInt();
        if (topic != 0) return topic;
    }
    return 0;
}

void FrmKVS::CloseHelpViewer() {
    if (helpViewer_) helpViewer_->close();
}

bool FrmKVS::eventFilter(QObject* watched, QEvent* event) {
    // F1 in an open menu: the topic of the item highlighted, else the menu's.
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (auto* menu = qobject_cast<QMenu*>(watched)) {
            int topic = menu->activeAction() ? HelpTopicOf(menu->activeAction()) : 0;
            if (topic == 0) topic = HelpTopicOf(menu->menuAction());
            menu->close();
            form_.Queue().Post([this, topic] { ShowHelpTopic(topic); });
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tnq
