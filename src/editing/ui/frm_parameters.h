// frmParameters ("Revise Parameters"): a ticked box for each field to
// overwrite (Note, Octave, Duration, Channel, Pitchbend) with its value, and
// the passage. Created once per main window and kept; the value boxes, their
// ticks, From, To and By Bar / By Item carry over from one use to the next.
// Its OK checks are ParametersOK.
#pragma once

#include "editing/revise_parameters.h"
#include "editing/ui/passage_dialog.h"

class QCheckBox;

namespace tnq {

class FrmParameters : public PassageDialog, public ParametersDialog {
    Q_OBJECT
public:
    // The dialog of the main window owner, created on first use.
    static FrmParameters& Of(QWidget* owner, Context& c);

    bool Show(Context& c) override;
    ParameterTexts Texts() const override;

    QCheckBox *chkNote, *chkOctave, *chkDuration, *chkChannel, *chkPitchbend;
    QLineEdit *txtNote, *txtOctave, *txtDuration, *txtChannel, *txtPitchbend;

protected:
    explicit FrmParameters(QWidget* owner, Context& c);
    void Form_Activate() override;
    bool CheckFields() override;
    QWidget* OwnBox(EditField field) override;

private:
    void txtNote_KeyPress(int& keyAscii);
    // Keys typed into the Note box since it got the focus.
    int noteKeys_ = 0;
};

} // namespace tnq
