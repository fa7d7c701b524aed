// frmRandom ("Randomize a Passage"): the track, the passage, the lower and
// upper limit and the mode, "&Dynamics" or "&Tempo" (neither at first;
// choosing Tempo puts track 1 into Track). Created once per main window and
// kept; everything but the Repeat Number and the beat boxes carries over
// from one use to the next. Its OK checks are RandomOK.
#pragma once

#include "editing/randomize.h"
#include "editing/ui/passage_dialog.h"

namespace tnq {

class FrmRandom : public PassageDialog, public RandomDialog {
    Q_OBJECT
public:
    // The dialog of the main window owner, created on first use.
    static FrmRandom& Of(QWidget* owner, Context& c);

    bool Show(Context& c) override;
    RandomTexts Texts() const override;

    QLineEdit *txtTrack, *txtLower, *txtUpper;
    QRadioButton *optDynamics, *optAdjustment;

protected:
    explicit FrmRandom(QWidget* owner, Context& c);
    void Form_Activate() override;
    bool CheckFields() override;
    QWidget* OwnBox(EditField field) override;
};

} // namespace tnq
