// frmStaccato, "Apply Staccato" or "Reverse Staccato" by the running
// command: the repeat number and beat narrowing, the location By Bar or By
// Item with its From and To (kept between uses), and the proportion of the
// note that stays sounding. Every other field is set afresh on each
// showing. Its OK checks are StaccatoOK.
#pragma once

#include "editing/staccato.h"
#include "editing/ui/edit_dialog.h"

class QRadioButton;

namespace tnq {

class FrmStaccato : public EditDialog, public StaccatoDialog {
    Q_OBJECT
public:
    // The dialog of the main window owner, created on first use.
    static FrmStaccato& Of(QWidget* owner, Context& c);

    bool Show(Context& c) override;
    StaccatoTexts Texts() const override;

    QLineEdit *txtNoRepeats, *txtBeatValue, *txtStartingBeat, *txtNoBeats, *txtFrom, *txtTo;
    QRadioButton *optByBar, *optByItem, *optOneQuarter, *optOneHalf, *optThreeQuarters;

protected:
    FrmStaccato(QWidget* owner, Context& c);
    void Form_Activate() override;
    bool CheckFields() override;
};

} // namespace tnq
