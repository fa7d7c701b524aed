// frmPunch, "Punch In/Out": where (a bar, repeat, beat and beat value, or
// the end of each track), the item (bar, note, octave, value, adjustment,
// dynamics, pitch bend) and the operation. At Bar, Measure, Note Name,
// Octave, Note Value and "Update Adjustment" keep their values between
// uses; the other boxes are reset on each showing, no operation is chosen
// and every box is enabled again, except those a kept "R" or "CNTRL"
// switches off. Its OK checks are PunchOK.
#pragma once

#include "editing/punch.h"
#include "editing/ui/edit_dialog.h"

class QCheckBox;
class QLabel;
class QRadioButton;

namespace tnq {

class FrmPunch : public EditDialog, public PunchDialog {
    Q_OBJECT
public:
    // The dialog of the main window owner, created on first use:
    //     PunchInOut(C(), FrmTrackSel::Of(this), FrmPunch::Of(this, C()));
    static FrmPunch& Of(QWidget* owner, Context& c);

    bool Show(Context& c) override;
    PunchTexts Texts() const override;

    // Location.
    QLineEdit *txtAtBar, *txtRepeat, *txtAtBeat, *txtBeatValue;
    QCheckBox* chkLastItem;
    // Data.
    QLineEdit *txtMeasure, *txtNote, *txtOctave, *txtNoteValue, *txtAdjustment, *txtDynamics,
        *txtPitchbend;
    QLabel *lblAdjustment, *lblDynamics;
    // Operation.
    QRadioButton *optPunchIn, *optPunchOut;
    QCheckBox* chkAdjustment;

    void optPunchIn_Click();
    void optPunchOut_Click();
    void chkLastItem_Click();

protected:
    FrmPunch(QWidget* owner, Context& c);
    void Form_Activate() override;
    bool CheckFields() override;

private:
    void txtAtBar_LostFocus();
    void txtNote_GotFocus();
    void txtNote_KeyDown(int& keyCode, int& shift);
    void txtNote_KeyPress(int& keyAscii);
    void txtNote_LostFocus();
    // The boxes of the Data frame the note name switches off, enabled again
    // with their labels as they were.
    void EnableItemBoxes();

    int noteKeys_ = 0; // keys typed into Note Name since it got the focus
};

} // namespace tnq
