// frmVolume, the dialog of the two series commands: "Series of Tempos" for
// the tempo series and "Continuous Controllers" for the controller series
// (chosen by MenuMode at each showing). From, To, the values, the
// percentage and By Bar / By Item carry over from one use to the next, in
// both modes; the repeat, beat, insert and channel fields start afresh. Its
// OK checks are SeriesOK; OK leaves "Tempos" or the controller number in
// DialogResult.
#pragma once

#include "editing/series.h"
#include "editing/ui/passage_dialog.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace tnq {

class FrmVolume : public PassageDialog, public SeriesDialog {
    Q_OBJECT
public:
    // The dialog of the main window owner, created on first use:
    //     TempoSeries(C(), FrmVolume::Of(this, C()));
    static FrmVolume& Of(QWidget* owner, Context& c);

    bool Show(Context& c) override;
    SeriesTexts Texts() const override;

    QLineEdit *txtFromValue, *txtToValue, *txtPercent;
    QLabel* Label9;
    QComboBox* cboController;
    QLabel* lblChannel;
    QLineEdit* txtChannel;
    QCheckBox *chkPercent, *chkControl, *chkSpecify;

    void chkPercent_Click();
    void chkSpecify_Click();

protected:
    FrmVolume(QWidget* owner, Context& c);
    void Form_Activate() override;
    bool CheckFields() override;
    void StoreFields() override;
    QWidget* OwnBox(EditField field) override;

private:
    // The controls, checkbox caption and window caption of the mode that
    // MenuMode names.
    void ShowMode();
};

} // namespace tnq
