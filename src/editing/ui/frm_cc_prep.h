// frmCCPrep, "CC, PB, Tempos Prep": the bars to replace by a grid of rests,
// the rest value and the number of rests per bar. From Bar and To Bar are
// entered afresh on every showing; Rest Value and # Rests per Bar keep the
// last values. Its OK checks are CCPrepOK.
#pragma once

#include "editing/rests.h"
#include "editing/ui/edit_dialog.h"

namespace tnq {

class FrmCCPrep : public EditDialog, public CCPrepDialog {
    Q_OBJECT
public:
    // The dialog of the main window owner, created on first use.
    static FrmCCPrep& Of(QWidget* owner, Context& c);

    bool Show(Context& c) override;
    CCPrepTexts Texts() const override;

    QLineEdit *txtFromBar, *txtToBar, *txtRestValue, *txtRestsPerBar;

protected:
    FrmCCPrep(QWidget* owner, Context& c);
    void Form_Activate() override;
    bool CheckFields() override;
};

} // namespace tnq
