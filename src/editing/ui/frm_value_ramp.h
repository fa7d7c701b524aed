// frmDynamics ("Edit Dynamics") and frmPitchbend ("Edit Pitchbend"): the
// passage, From Value and To Value or a ticked Percent; frmPitchbend also
// names the track and the channel. Created once per main window and kept;
// the values, the percent box, the Percent tick and By Bar / By Item carry
// over from one use to the next. Their OK checks are DynamicsOK and
// PitchBendOK.
#pragma once

#include "editing/ui/passage_dialog.h"
#include "editing/value_ramps.h"

class QCheckBox;

namespace tnq {

class FrmValueRamp : public PassageDialog, public RampDialog {
    Q_OBJECT
public:
    // The dialogs of the main window owner, created on first use:
    //     EditDynamics(C(), FrmTrackSel::Of(this), FrmValueRamp::Dynamics(this, C()));
    static FrmValueRamp& Dynamics(QWidget* owner, Context& c);
    static FrmValueRamp& PitchBend(QWidget* owner, Context& c);

    bool Show(Context& c) override;
    RampTexts Texts() const override;

    // Only in frmPitchbend.
    QLineEdit *txtTrack = nullptr, *txtChannel = nullptr;
    QLineEdit *txtFromValue, *txtToValue, *txtPercent;
    QCheckBox* chkPercent;

protected:
    FrmValueRamp(QWidget* owner, Context& c, bool pitchBend);
    void Form_Activate() override;
    bool CheckFields() override;
    QWidget* OwnBox(EditField field) override;

private:
    void chkPercent_Click();
    bool pitchBend_;
};

} // namespace tnq
