// frmDeletebyBar, "Delete by Bar": the bars (and beats) to delete and the
// box "Adjust bar Numbers". Every showing starts empty, with Beat Value
// "q" and the box unticked. Its OK checks are DeleteByBarOK.
#pragma once

#include "editing/delete_by_bar.h"
#include "editing/ui/edit_dialog.h"

class QCheckBox;

namespace tnq {

class FrmDeletebyBar : public EditDialog, public DeleteByBarDialog {
    Q_OBJECT
public:
    // The dialog of the main window owner, created on first use:
    //     DeleteByBar(C(), FrmTrackSel::Of(this), FrmDeletebyBar::Of(this, C()));
    static FrmDeletebyBar& Of(QWidget* owner, Context& c);

    bool Show(Context& c) override;
    DeleteByBarTexts Texts() const override;

    QLineEdit *txtFromBar, *txtToBar, *txtBeatValue, *txtStartingBeat, *txtNoBeats;
    QCheckBox* chkAdjust;

protected:
    FrmDeletebyBar(QWidget* owner, Context& c);
    void Form_Activate() override;
    bool CheckFields() override;
};

} // namespace tnq
