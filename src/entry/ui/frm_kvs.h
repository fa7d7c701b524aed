// The main window: the entry boxes with their captions on the left, the 96
// track rows (32 shown at a time) on the right, the two status lines at the
// bottom, and the menus. It is the program's MainScreen.
#pragma once

#include "core/context.h"
#include "misc/ui/frm_about2.h"
#include "misc/ui/frm_directory.h"
#include "misc/ui/frm_filter.h"
#include "misc/ui/frm_grid1.h"
#include "misc/ui/frm_help1.h"
#include "misc/ui/frm_help_viewer.h"
#include "misc/ui/frm_misc.h"
#include "misc/ui/frm_track_desc.h"
#include "platform/ui/control_array.h"
#include "platform/ui/form.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/menus.h"
#include "platform/ui/sorted_combo.h"
#include "platform/ui/status_line.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>

#include <memory>

namespace tnq {

class KvsDialogs;

class FrmKVS : public QMainWindow, public MainScreen {
    Q_OBJECT
public:
    explicit FrmKVS(QWidget* parent = nullptr);
    ~FrmKVS() override;

    void Attach(Context* c);

    // The window's forms layer (queue, keys, focus) and its menus.
    Form& Forms() { return form_; }
    MenuTree& Menus() { return *menus_; }
    // The client area, where the controls stand.
    QWidget* Client() const { return client_; }
    QLineEdit* BoxControl(Box box) const { return boxes_[static_cast<int>(box)]; }
    // The dialogs the entry keys show (the picker, Revise Bar Numbers).
    KvsDialogs& Dialogs() { return *dialogs_; }

    // ---- Window events ---------------------------------------------------
    void Form_Load();
    void Form_Activate();
    void Form_QueryUnload(Integer& cancel);

    // ---- Screen procedures -------------------------------------------------
    void EnableMenus() override;
    void ShowEntryHelp() override;
    void ArrangeTrackLabels() override;

    // ---- Buttons -----------------------------------------------------------
    void btnAccept_Click();
    void btnExitKVSfrm_Click();
    void btnFlip_Click() override;

    // ---- Entry boxes (frm_kvs_entry.cpp) ---------------------------------
    void SelectFieldText(QLineEdit* box);
    // Focus handlers: false when a guard sent the focus back.
    bool txtTempo_GotFocus();
    bool txtTrack_GotFocus();
    bool txtItem_GotFocus();
    bool txtChannel_GotFocus();
    bool txtBar_GotFocus();
    bool txtNote_GotFocus();
    bool txtOcta_GotFocus();
    bool txtDur_GotFocus();
    bool txtAdj_GotFocus();
    bool txtDyn_GotFocus();
    bool txtPitchbend_GotFocus();
    void txtTempo_LostFocus();
    void txtTrack_LostFocus();
    void txtItem_LostFocus();
    void txtChannel_LostFocus();
    void txtBar_LostFocus();
    void txtNote_LostFocus();
    void txtDur_LostFocus();
    void cboGMNames_LostFocus();
    void txtItem_KeyDown(int& keyCode, int& shift);
    void txtBar_KeyDown(int& keyCode, int& shift);
    void txtNote_KeyDown(int& keyCode, int& shift);
    void txtNote_KeyPress(int& keyAscii);
    void txtDur_KeyPress(int& keyAscii);
    void Form_KeyDown(int& keyCode, int& shift);
    void Form_KeyPress(int& keyAscii);

    // ---- Menu openers ------------------------------------------------------
    void mnuFile_Click();
    void mnuEdit_Click();
    void mnuPlay_Click();
    void mnuMisc_Click();

    // ---- File --------------------------------------------------------------
    void mnuFilNew_Click();
    void mnuFilOpen_Click();
    void mnuFilRecalc_Click();
    void mnuFilDelete_Click();
    void mnuFilSave_Click();
    void mnuFilMid_Click();
    void mnuFilExit_Click();
    void mnuFileArray_Click(int index);

    // ---- Edit --------------------------------------------------------------
    void mnuEdtNotes_Click();
    void mnuEdtDynamics_Click();
    void mnuEdtCC_Click();
    void mnuEdtAdjustment_Click();
    void mnuEdtPitchBend_Click();
    void mnuEdtVolume_Click();
    void mnuEdtCopy_Click();
    void mnuEdtVertical_Click();
    void MnuEdtDelete_Click();
    void mnuEdtStaccato_Click();
    void mnuEdtReverseStac_Click();
    void mnuEdtParameters_Click();
    void mnuEdtPunch_Click();
    void mnuEdtRandom_Click();
    void mnuEdtTwoNote_Click();
    void mnuEdtRests_Click();
    void mnuEdtRenumber_Click();

    // ---- Play --------------------------------------------------------------
    void mnuPlyMusic_Click();
    void mnuPlyBalance_Click();
    void mnuPlySuppress_Click();
    void mnuPlyReinstate_Click();
    void mnuModPlayMid_Click();
    void mnuPlayMid_Click();
    void mnuPlayAuxiliary_Click();

    // ---- Miscellaneous -----------------------------------------------------
    void mnuMiscSelectPlayer_Click();
    void mnuMiscPorts_Click();
    void mnuMiscMidiMapper_Click();
    void mnuMiscAuxiliary_Click();
    void mnuMiscSounds_Click();
    void mnuMisParameters_Click();
    void mnuMiscInit_Click() override;
    void mnuMiscTrack_Click();
    void mnuMisDirectory_Click();
    void mnuMiscAWESelect_Click();
    void ConvKVOtoKVS_Click();

    // ---- Help --------------------------------------------------------------
    void mnuHelpOverview_Click();
    void mnuHelpContents_Click();
    void mnuHelpUsingHelp_Click();
    void mnuHelpAbout_Click();
    // F1: the help topic of the focused control, or of the highlighted menu
    // item (of its menu when none is highlighted).
    void ShowHelpTopic(int topic);
    static int HelpTopicOf(const QObject* control);
    void CloseHelpViewer() override;

    // ---- MainScreen --------------------------------------------------------
    std::string Text(Box box) const override;
    void SetText(Box box, const std::string& text) override;
    void SetStatus1(const std::string& text) override;
    void SetStatus2(const std::string& text) override;
    void SetTrackFigure(int row, const std::string& text) override;
    void SetHourglass(bool on) override;
    void DoEvents() override;
    void SetFocus(Box box) override;
    void SetCaption(const std::string& control, const std::string& text) override;
    std::string Caption(const std::string& control) const override;
    void SetMenuEnabled(const std::string& control, bool enabled) override;
    void SetMenuChecked(const std::string& control, bool checked) override;
    bool MenuChecked(const std::string& control) const override;
    void ShowRecentPieces(const std::vector<std::string>& paths) override;
    void SetTrackList(const std::vector<std::string>& rows, int selected) override;
    void SetBackColor(Box box, std::uint32_t rgb) override;
    void SetControlEnabled(const std::string& control, bool enabled) override;
    bool GMNamesVisible() const override;
    std::string GMNamesText() const override;
    int GMNamesListIndex() const override;
    void HideGMNames() override;
    void Beep() override;
    void SetControlVisible(const std::string& control, bool visible) override;
    bool ControlVisible(const std::string& control) const override;
    void SetFocusOn(const std::string& control) override;

    // ---- Controls (named as on the screen) ------------------------------------
    QLabel *Label1, *Label17, *Label3, *Label14;
    QLabel *Label4, *lblTitle;
    QLabel *Label5, *Label6, *lblTrackDesc, *Label7, *lblChannel, *Label8, *Label16, *Label9,
        *Label18;
    QLabel *lblOctave, *lblNoteValue, *lblTimeElapsed, *lblAdjustment, *lblDynamics, *lblPitchBend;
    QLineEdit *txtTempo, *txtTrack, *txtItem, *txtChannel, *txtBar, *txtNote, *txtOcta, *txtDur,
        *txtAdj, *txtDyn, *txtPitchBend;
    SortedComboBox *cboTracks, *cboDrumLookup;
    QComboBox* cboGMNames;
    QPushButton *btnAccept, *btnExitKVSfrm, *btnFlip;
    QGroupBox* Frame1;
    StatusLine *StatusBar1, *StatusBar2;
    ControlArray<QLabel> lblTrkNum{"lblTrkNum"};
    ControlArray<QLabel> lblTrkDat{"lblTrkDat"};
    std::unique_ptr<MenuArray> mnuFileArray;

    // ---- Dialogs, each created on first use --------------------------------
    FormSlot<FrmFilter> frmFilter{[this] { return new FrmFilter(this, C()); }};
    FormSlot<FrmDirectory> frmDirectory{[this] { return new FrmDirectory(this, C()); }};
    FormSlot<FrmHelp1> frmHelp1{[this] { return new FrmHelp1(this, C()); }};
    FormSlot<FrmAbout2> frmAbout2{[this] { return new FrmAbout2(this, C()); }};
    FormSlot<FrmMisc> frmMisc{[this] { return new FrmMisc(this, C()); }};
    FormSlot<FrmGrid1> frmGrid1{[this] { return new FrmGrid1(this, C()); }};
    FormSlot<FrmTrackDesc> frmTrackDesc{[this] { return new FrmTrackDesc(this, C()); }};
    // The help viewer, created on first use; null before.
    FrmHelpViewer* HelpViewer() const { return helpViewer_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Context& C() const;
    void BuildControls();
    void BuildMenus();
    // Sets the visibility of rows from..to of both label arrays, in
    // ascending order, the number label first.
    void ShowRows(int from, int to, bool visible);
    void ReportError(const std::exception& e);
    // The instrument list with no row chosen and no text.
    void ClearGMNames();
    // The entry boxes' focus, loss-of-focus and key handlers.
    void ConnectEntryBoxes();
    // A focus move asked for by a handler, made once it has returned.
    void MoveFocus(QWidget* control);

    Context* c_ = nullptr;
    bool ending_ = false; // Exit has run; closing asks nothing more
    Form form_;
    QWidget* client_ = nullptr;
    std::unique_ptr<MenuTree> menus_;
    QLineEdit* boxes_[11] = {};
    Hourglass hourglass_;
    std::unique_ptr<KvsDialogs> dialogs_;
    // Focus moves asked for and not made yet. A box the focus reaches while
    // one is waiting is only passed on the way: its focus handler and its
    // check do not run (passed_ is that box until the focus leaves it).
    int focusMoves_ = 0;
    QWidget* passed_ = nullptr;
    FrmHelpViewer* helpViewer_ = nullptr;
};

} // namespace tnq
