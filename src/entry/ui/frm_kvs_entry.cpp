// The main window's entry boxes: their focus, loss-of-focus and key handlers
// on the forms layer, thin over the entry-field logic.
#include "entry/entry_fields.h"
#include "entry/ui/frm_kvs.h"
#include "entry/ui/kvs_dialogs.h"
#include "platform/ui/vb_keys.h"

#include <QApplication>

namespace tnq {

void FrmKVS::ConnectEntryBoxes() {
    using Got = bool (FrmKVS::*)();
    using Lost = void (FrmKVS::*)();
    struct Row {
        QLineEdit* box;
        Got got;
        Lost lost; // nullptr: the box checks nothing when it is left
    };
    const Row rows[] = {
        {txtTempo, &FrmKVS::txtTempo_GotFocus, &FrmKVS::txtTempo_LostFocus},
        {txtTrack, &FrmKVS::txtTrack_GotFocus, &FrmKVS::txtTrack_LostFocus},
        {txtItem, &FrmKVS::txtItem_GotFocus, &FrmKVS::txtItem_LostFocus},
        {txtChannel, &FrmKVS::txtChannel_GotFocus, &FrmKVS::txtChannel_LostFocus},
        {txtBar, &FrmKVS::txtBar_GotFocus, &FrmKVS::txtBar_LostFocus},
        {txtNote, &FrmKVS::txtNote_GotFocus, &FrmKVS::txtNote_LostFocus},
        {txtOcta, &FrmKVS::txtOcta_GotFocus, nullptr},
        {txtDur, &FrmKVS::txtDur_GotFocus, &FrmKVS::txtDur_LostFocus},
        {txtAdj, &FrmKVS::txtAdj_GotFocus, nullptr},
        {txtDyn, &FrmKVS::txtDyn_GotFocus, nullptr},
        {txtPitchBend, &FrmKVS::txtPitchbend_GotFocus, nullptr},
    };
    ClassicFocus& focus = form_.Focus();
    for (const Row& r : rows) {
        QLineEdit* box = r.box;
        // A box reached while a check or guard is sending the focus elsewhere
        // is only passed: nothing of it runs, on the way in or out.
        focus.OnGotFocus(box, [this, box, got = r.got] {
            if (!c_) return;
            if (focusMoves_ > 0) {
                passed_ = box;
                return;
            }
            passed_ = nullptr;
            if (!(this->*got)()) passed_ = box;
        });
        focus.OnLostFocus(box, [this, box, lost = r.lost] {
            if (passed_ == box) {
                passed_ = nullptr;
                return;
            }
            if (c_ && lost) (this->*lost)();
        });
    }

    focus.OnLostFocus(cboGMNames, [this] {
        if (c_) cboGMNames_LostFocus();
    });

    KeyPreview& keys = form_.Keys();
    keys.SetFormKeyDown([this](int& k, int& s) {
        if (c_) Form_KeyDown(k, s);
    });
    keys.SetFormKeyPress([this](int& a) { Form_KeyPress(a); });
    keys.OnKeyDown(txtItem, [this](int& k, int& s) {
        if (c_) txtItem_KeyDown(k, s);
    });
    keys.OnKeyDown(txtBar, [this](int& k, int& s) {
        if (c_) txtBar_KeyDown(k, s);
    });
    keys.OnKeyDown(txtNote, [this](int& k, int& s) {
        if (c_) txtNote_KeyDown(k, s);
    });
    keys.OnKeyPress(txtNote, [this](int& a) {
        if (c_) txtNote_KeyPress(a);
    });
    keys.OnKeyPress(txtDur, [this](int& a) { txtDur_KeyPress(a); });
}

void FrmKVS::MoveFocus(QWidget* control) {
    ++focusMoves_;
    form_.Queue().Post([this] { --focusMoves_; });
    form_.Focus().SetFocus(control);
}

void FrmKVS::SelectFieldText(QLineEdit* box) {
    box->setSelection(0, static_cast<int>(box->text().size()));
}

// ---- Focus handlers ------------------------------------------------------------

bool FrmKVS::txtTempo_GotFocus() {
    tnq::txtTempo_GotFocus(C());
    SelectFieldText(txtTempo);
    return true;
}

bool FrmKVS::txtTrack_GotFocus() {
    if (!tnq::txtTrack_GotFocus(C())) return false;
    SelectFieldText(txtTrack);
    return true;
}

bool FrmKVS::txtItem_GotFocus() {
    if (!tnq::txtItem_GotFocus(C())) return false;
    SelectFieldText(txtItem);
    return true;
}

bool FrmKVS::txtChannel_GotFocus() {
    tnq::txtChannel_GotFocus(C());
    SelectFieldText(txtChannel);
    return true;
}

bool FrmKVS::txtBar_GotFocus() {
    if (!tnq::txtBar_GotFocus(C())) return false;
    SelectFieldText(txtBar);
    return true;
}

bool FrmKVS::txtNote_GotFocus() {
    tnq::txtNote_GotFocus(C());
    SelectFieldText(txtNote);
    return true;
}

bool FrmKVS::txtOcta_GotFocus() {
    tnq::txtOcta_GotFocus(C());
    SelectFieldText(txtOcta);
    return true;
}

bool FrmKVS::txtDur_GotFocus() {
    tnq::txtDur_GotFocus(C());
    SelectFieldText(txtDur);
    return true;
}

bool FrmKVS::txtAdj_GotFocus() {
    tnq::txtAdj_GotFocus(C());
    SelectFieldText(txtAdj);
    return true;
}

bool FrmKVS::txtDyn_GotFocus() {
    tnq::txtDyn_GotFocus(C());
    SelectFieldText(txtDyn);
    return true;
}

bool FrmKVS::txtPitchbend_GotFocus() {
    tnq::txtPitchbend_GotFocus(C());
    SelectFieldText(txtPitchBend);
    return true;
}

// ---- Loss-of-focus checks --------------------------------------------------------

void FrmKVS::txtTempo_LostFocus() {
    tnq::txtTempo_LostFocus(C());
}

void FrmKVS::txtTrack_LostFocus() {
    tnq::txtTrack_LostFocus(C());
}

void FrmKVS::txtItem_LostFocus() {
    tnq::txtItem_LostFocus(C());
}

void FrmKVS::txtChannel_LostFocus() {
    tnq::txtChannel_LostFocus(C());
}

void FrmKVS::txtBar_LostFocus() {
    tnq::txtBar_LostFocus(C());
}

void FrmKVS::txtNote_LostFocus() {
    tnq::txtNote_LostFocus(C());
}

void FrmKVS::txtDur_LostFocus() {
    tnq::txtDur_LostFocus(C());
}

void FrmKVS::cboGMNames_LostFocus() {
    tnq::cboGMNames_LostFocus(C());
}

// ---- Keys --------------------------------------------------------------------------

void FrmKVS::Form_KeyDown(int& keyCode, int& shift) {
    // While a search or scan shows the hourglass (and lets window events
    // run), the keys of the boxes do nothing.
    if (hourglass_.On()) {
        keyCode = 0;
        return;
    }
    switch (tnq::Form_KeyDown(C(), keyCode, shift)) {
    case FormKeyAction::NextBox:
        form_.Keys().SendKey(vbkey::Tab);
        break;
    case FormKeyAction::PreviousBox:
        form_.Keys().SendKey(vbkey::Tab, vbshift::Shift);
        break;
    case FormKeyAction::Accept:
        btnAccept_Click();
        break;
    case FormKeyAction::CheckItemBox:
        // As Tab out of the item box; from another box the check runs there.
        if (form_.Focus().Owner() == txtItem) {
            form_.Keys().SendKey(vbkey::Tab);
        } else {
            C().s.SkipValidation = 0;
            txtItem_LostFocus();
        }
        break;
    case FormKeyAction::None:
        break;
    }
}

void FrmKVS::Form_KeyPress(int& keyAscii) {
    // Nothing is typed into the boxes while the hourglass shows.
    if (hourglass_.On()) keyAscii = 0;
    tnq::Form_KeyPress(keyAscii);
}

void FrmKVS::txtItem_KeyDown(int& keyCode, int& shift) {
    tnq::txtItem_KeyDown(C(), keyCode, shift);
}

void FrmKVS::txtBar_KeyDown(int& keyCode, int& shift) {
    tnq::txtBar_KeyDown(C(), keyCode, shift, dialogs_.get());
}

void FrmKVS::txtNote_KeyDown(int& keyCode, int& shift) {
    tnq::txtNote_KeyDown(C(), keyCode, shift, dialogs_.get());
}

void FrmKVS::txtNote_KeyPress(int& keyAscii) {
    tnq::txtNote_KeyPress(C().s, keyAscii);
}

void FrmKVS::txtDur_KeyPress(int& keyAscii) {
    tnq::txtDur_KeyPress(keyAscii);
}

// ---- Screen services of the entry boxes -----------------------------------------

void FrmKVS::Beep() {
    QApplication::beep();
}

void FrmKVS::SetControlVisible(const std::string& control, bool visible) {
    if (QWidget* w = client_->findChild<QWidget*>(QString::fromStdString(control)))
        w->setVisible(visible);
}

bool FrmKVS::ControlVisible(const std::string& control) const {
    const QWidget* w = client_->findChild<QWidget*>(QString::fromStdString(control));
    return w && w->isVisibleTo(const_cast<FrmKVS*>(this));
}

void FrmKVS::SetFocusOn(const std::string& control) {
    if (QWidget* w = client_->findChild<QWidget*>(QString::fromStdString(control))) MoveFocus(w);
}

} // namespace tnq
